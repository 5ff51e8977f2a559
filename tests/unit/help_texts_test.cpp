// The program's own help texts: every control of the dialogs' pair tables has its pop-up text.
#include <gtest/gtest.h>

#include <cstring>

#include "presentation/help_texts.h"

TEST(HelpTexts, EveryPairedControlHasItsTopicAndNothingElseDoes) {
    const std::uint32_t pairs[] = {1014, 0x806803F6, 1001, 0x806903E9, 1003, 0x806903EB, 0, 0, 1020, 0x806903E9};
    EXPECT_STREQ(HelpPopupText(pairs, 1014), HelpTopicText(0x806803F6));
    EXPECT_STREQ(HelpPopupText(pairs, 1003), HelpTopicText(0x806903EB));
    EXPECT_EQ(HelpPopupText(pairs, 1020), nullptr); // nothing after the end of the table is read
    EXPECT_EQ(HelpPopupText(pairs, 0), nullptr);
    for (std::uint32_t id : {0x806903E9u, 0x806903EBu, 0x806703EFu, 0x806703F0u, 0x806703F1u, 0x806703F2u,
                             0x806703F3u, 0x806703F4u, 0x806703F5u, 0x806803F6u, 0x806903F7u, 0x806903F8u,
                             0x806903F9u, 0x806903FAu, 0x806E044Du, 0x806E0458u, 0x806F0461u, 0x806F0466u}) {
        ASSERT_NE(HelpTopicText(id), nullptr) << std::hex << id;
        EXPECT_GT(std::strlen(HelpTopicText(id)), 20u) << std::hex << id;
    }
    EXPECT_EQ(HelpTopicText(0x806803F7), nullptr);
    EXPECT_NE(std::strstr(HelpGuideText(), "=KX205|'Pr\xEA" "dko\x9C\xE6#13330'!Wynik"), nullptr);
}
