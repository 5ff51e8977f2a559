// Companion file paths and help context ids.
#include <gtest/gtest.h>

#include <string>

#include "presentation/help.h"

TEST(Help, SiblingPaths) {
    const struct {
        const char* path;
        const char* suffix;
        int capacity;
        const char* result;
    } cases[] = {
        {"C:\\Pomiary\\wiatr.exe", ".HLP", 260, "C:\\Pomiary\\wiatr.HLP"},
        {"C:\\Pomiary\\wiatr.exe", ".TXT", 260, "C:\\Pomiary\\wiatr.TXT"},
        {"C:\\a.b\\prog.x.exe", ".HLP", 260, "C:\\a.b\\prog.x.HLP"},
        {"C:\\a.b\\prog", ".TXT", 260, "C:\\a.b\\prog.TXT"}, // a dot in a folder name is no extension
        {".profile", ".TXT", 260, ".profile.TXT"},            // the first character is never the dot
        {"C:\\Pomiary\\wiatr.exe", ".TXT", 12, "C:\\Pomiary\\"},
        {"C:\\Pomiary\\wiatr.exe", ".TXT", 20, "C:\\Pomiary\\wiatr.TX"},
    };
    for (const auto& c : cases) {
        char out[260];
        EXPECT_EQ(std::string(SiblingPath(c.path, c.suffix, out, c.capacity)), c.result) << c.path << " " << c.capacity;
    }
}

TEST(Help, ContextIds) {
    EXPECT_EQ(HelpContextId(103, 1013), 0x806703F5u);
    EXPECT_EQ(HelpContextId(104, 1014), 0x806803F6u);
    EXPECT_EQ(HelpContextId(104, 1001), 0x806903E9u);
    EXPECT_EQ(HelpContextId(103, 1003), 0x806903EBu);
    EXPECT_EQ(HelpContextId(105, 1018), 0x806903FAu);
}
