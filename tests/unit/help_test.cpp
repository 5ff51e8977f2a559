// Companion file paths: the extension replaced, in the file name only, cut to the buffer.
#include <gtest/gtest.h>

#include "presentation/help.h"

TEST(Help, SiblingPaths) {
    const char* const EXE = "C:\\Pomiary\\wiatr.exe";
    // path, suffix, buffer capacity, what the buffer holds afterwards
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {EXE, ".HLP", 260, "C:\\Pomiary\\wiatr.HLP"},
        {"C:\\a.b\\prog.x.exe", ".TXT", 260, "C:\\a.b\\prog.x.TXT"},
        // A dot in a folder name is no extension, even right before the separator.
        {"C:\\a.b\\prog", ".TXT", 260, "C:\\a.b\\prog.TXT"},
        {"C:\\dir.\\prog", ".TXT", 260, "C:\\dir.\\prog.TXT"}, {"C:/dir./prog", ".TXT", 260, "C:/dir./prog.TXT"},
        {".profile", ".TXT", 260, ".profile.TXT"}, // the first character is never the dot
        {EXE, ".TXT", 12, "C:\\Pomiary\\"}, {EXE, ".TXT", 20, "C:\\Pomiary\\wiatr.TX"},
        {EXE, ".TXT", 1, ""}, {EXE, ".TXT", 0, "untouched"},
    };
    for (const auto& [path, suffix, capacity, result] : cases) {
        char out[260] = "untouched";
        EXPECT_STREQ(SiblingPath(path, suffix, out, capacity), result) << path << " " << capacity;
    }
}
