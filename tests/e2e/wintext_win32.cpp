// wintext CAPTION: what the end-to-end scenarios read of the program's windows. For every visible top-level
// window with that caption, a line "window LEFT TOP WIDTH HEIGHT", then one line "ID TEXT" per child
// control, ID decimal (65535 for items without an id), and for a combo box one line "ID item TEXT" per
// entry of its list. Texts are written as the windows hold them (Windows-1250 bytes).
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    // Asked for, not read from the window: an edit control of another process keeps its text to itself.
    char text[512] = "";
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        &ignored);
    unsigned id = static_cast<unsigned>(GetDlgCtrlID(child)) & 0xFFFF;
    std::printf("%u %s\n", id, text);
    char className[32] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "ComboBox") != 0) return TRUE;
    LRESULT count = SendMessageA(child, CB_GETCOUNT, 0, 0);
    // Asked in UTF-16: Wine hands an ANSI entry to another process cut after its first character.
    wchar_t entry[256];
    for (LRESULT i = 0; i < count; ++i) {
        if (SendMessageW(child, CB_GETLBTEXTLEN, i, 0) >= 256) continue;
        SendMessageW(child, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry));
        WideCharToMultiByte(1250, 0, entry, -1, text, sizeof text, nullptr, nullptr);
        std::printf("%u item %s\n", id, text);
    }
    return TRUE;
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM caption) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    if (!IsWindowVisible(window) || std::strcmp(text, reinterpret_cast<const char*>(caption)) != 0) return TRUE;
    RECT r;
    GetWindowRect(window, &r);
    std::printf("window %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    EnumChildWindows(window, PrintChild, 0);
    return TRUE;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: wintext CAPTION\n", stderr);
        return 2;
    }
    EnumWindows(PrintWindow, reinterpret_cast<LPARAM>(argv[1]));
    std::fflush(stdout);
    return 0;
}
