// Pop-up help requests: the help file beside the program, the pair table, nothing for items without an id.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "presentation/help_win32.h"

namespace {

struct HelpCall {
    int count = 0;
    HWND window = nullptr;
    std::string path;
    UINT command = 0;
    ULONG_PTR data = 0;
} seen;

BOOL WINAPI RecordHelp(HWND window, LPCSTR path, UINT command, ULONG_PTR data) {
    ++seen.count;
    seen.window = window;
    seen.path = path;
    seen.command = command;
    seen.data = data;
    return TRUE;
}

} // namespace

TEST(Help, RequestsGoToTheHelpFileBesideTheProgram) {
    HelpViewerFn previous = SetHelpViewer(RecordHelp);
    const DWORD pairs[] = {1014, 0x806803F6, 1001, 0x806903E9, 1003, 0x806903EB, 0, 0};
    HELPINFO request{};
    request.cbSize = sizeof request;
    request.iContextType = HELPINFO_WINDOW;
    request.iCtrlId = 0xFFFF;
    request.hItemHandle = reinterpret_cast<HANDLE>(0x1234);
    EXPECT_TRUE(ShowContextHelp(&request, pairs));
    EXPECT_EQ(seen.count, 0);

    request.iCtrlId = 1014;
    EXPECT_TRUE(ShowContextHelp(&request, pairs));
    ASSERT_EQ(seen.count, 1);
    EXPECT_EQ(seen.window, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(seen.command, static_cast<UINT>(HELP_WM_HELP));
    EXPECT_EQ(seen.data, reinterpret_cast<ULONG_PTR>(pairs));
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string expected(exe);
    expected = expected.substr(0, expected.rfind('.')) + ".HLP";
    EXPECT_EQ(seen.path, expected);
    char log[MAX_PATH];
    EXPECT_EQ(std::string(ModuleSiblingPath(log, MAX_PATH, ".TXT")), expected.substr(0, expected.size() - 4) + ".TXT");
    SetHelpViewer(previous);
}
