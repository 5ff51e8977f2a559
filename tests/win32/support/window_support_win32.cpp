// Test windows built from in-memory dialog templates, so the tests need no resources of the program.
#include "tests/win32/support/window_support_win32.h"

#include <cstring>

#include "resources/resource.h"
#include "presentation/display_win32.h"
#include "tests/win32/support/test_env_win32.h"

namespace {

// A DLGTEMPLATE in memory: header, no menu, default class, title, then items aligned to DWORDs.
struct TemplateBuilder {
    std::vector<WORD> words;
    void Align() {
        if (words.size() % 2 != 0) words.push_back(0);
    }
    void Text(const wchar_t* text) {
        for (; *text != 0; ++text) words.push_back(static_cast<WORD>(*text));
        words.push_back(0);
    }
    void Dword(DWORD v) {
        words.push_back(LOWORD(v));
        words.push_back(HIWORD(v));
    }
    void Header(DWORD style, int items, short cx, short cy, const wchar_t* title) {
        Dword(style);
        Dword(0);
        words.push_back(static_cast<WORD>(items));
        words.insert(words.end(), {0, 0, static_cast<WORD>(cx), static_cast<WORD>(cy)});
        words.push_back(0); // menu
        words.push_back(0); // class
        Text(title);
        words.push_back(8); // point size, with DS_SETFONT
        Text(L"MS Sans Serif");
    }
    void Static(int id, DWORD style, short x, short y, short cx, short cy) {
        Align();
        Dword(WS_CHILD | WS_VISIBLE | style);
        Dword(0);
        words.insert(words.end(), {static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(cx),
                                   static_cast<WORD>(cy), static_cast<WORD>(id), 0xFFFF, 0x0082});
        words.push_back(0); // no text
        words.push_back(0); // no creation data
    }
};

INT_PTR CALLBACK HostProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        return TRUE;
    }
    auto* messages = reinterpret_cast<HostMessages*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    if (messages != nullptr && (message == MSG_MEASURED || message == MSG_SERIAL_CHANGED)) {
        messages->posted.emplace_back(message, wParam);
        return TRUE;
    }
    return FALSE;
}

HWND CreateFromTemplate(TemplateBuilder& t, LPARAM parameter) {
    return CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(t.words.data()),
                                      nullptr, HostProc, parameter);
}

} // namespace

int HostMessages::Count(UINT message) const {
    int n = 0;
    for (const auto& p : posted) n += p.first == message ? 1 : 0;
    return n;
}

int HostMessages::Count(UINT message, WPARAM wParam) const {
    int n = 0;
    for (const auto& p : posted) n += (p.first == message && p.second == wParam) ? 1 : 0;
    return n;
}

bool CreateHostWindow(HostWindow& host, const std::uint32_t colors[4]) {
    TemplateBuilder t;
    t.Header(DS_SETFONT | WS_POPUP | WS_CAPTION | WS_VISIBLE, 3, 183, 175, L"KX-205 (test host)");
    t.Static(IDC_SERIAL_NUMBER, SS_CENTER | SS_SUNKEN, 108, 155, 29, 11);
    t.Static(IDC_MEASUREMENT_STATUS, SS_LEFT | SS_SUNKEN, 6, 109, 172, 11);
    t.Static(IDC_LOG_STATUS, SS_LEFT | SS_SUNKEN, 6, 125, 172, 11);
    host.dialog = CreateFromTemplate(t, reinterpret_cast<LPARAM>(&host.messages));
    if (host.dialog == nullptr) return false;
    RECT rects[2] = {{6, 16, 178, 52}, {6, 68, 178, 104}};
    for (int q = 0; q < 2; ++q) {
        host.readouts[q] = CreateDisplay(GetModuleHandleA(nullptr), host.dialog, q, &rects[q], colors[2 * q],
                                         colors[2 * q + 1], "Courier New", 36, 1, 1, 20);
    }
    SetWindowPos(host.dialog, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    PumpFor(100);
    return host.readouts[0] != nullptr && host.readouts[1] != nullptr;
}

void DestroyHostWindow(HostWindow& host) {
    if (host.dialog != nullptr) DestroyWindow(host.dialog);
    host.dialog = nullptr;
}

HWND CreateEmptyDialog(int widthDlu, int heightDlu) {
    TemplateBuilder t;
    t.Header(DS_SETFONT | WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, static_cast<short>(widthDlu),
             static_cast<short>(heightDlu), L"Test");
    HWND dialog = CreateFromTemplate(t, 0);
    SetWindowPos(dialog, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    return dialog;
}

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

std::string ControlText(HWND dialog, int id) {
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

int Capture::CountColor(COLORREF color) const {
    DWORD rgb = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    int n = 0;
    for (DWORD p : pixels) n += (p & 0xFFFFFF) == rgb ? 1 : 0;
    return n;
}

Capture CaptureWindow(HWND window, bool wholeWindow) {
    Capture c;
    RECT r;
    if (wholeWindow) {
        GetWindowRect(window, &r);
        OffsetRect(&r, -r.left, -r.top);
    } else {
        GetClientRect(window, &r);
    }
    c.width = r.right;
    c.height = r.bottom;
    if (c.width <= 0 || c.height <= 0) return c;
    HDC source = wholeWindow ? GetWindowDC(window) : GetDC(window);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = c.width;
    bi.bmiHeader.biHeight = -c.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, c.width, c.height, source, 0, 0, SRCCOPY);
    GdiFlush();
    c.pixels.assign(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + c.width * c.height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
    return c;
}

std::string SaveArtifact(const Capture& c, const std::string& name) {
    std::string folder = EnvVar("KX205_ARTIFACTS");
    if (folder.empty()) return "";
    CreateDirectoryA(WinePath(folder).c_str(), nullptr);
    std::string path = folder + "/" + name + ".bmp";
    int rowBytes = (c.width * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = c.width;
    ih.biHeight = c.height;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biSizeImage = static_cast<DWORD>(rowBytes * c.height);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + ih.biSizeImage;
    std::string bytes(reinterpret_cast<const char*>(&fh), sizeof fh);
    bytes.append(reinterpret_cast<const char*>(&ih), sizeof ih);
    for (int y = c.height - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(rowBytes), '\0');
        for (int x = 0; x < c.width; ++x) {
            DWORD p = c.pixels[static_cast<size_t>(y * c.width + x)];
            row[static_cast<size_t>(x * 3)] = static_cast<char>(p & 0xFF);
            row[static_cast<size_t>(x * 3 + 1)] = static_cast<char>((p >> 8) & 0xFF);
            row[static_cast<size_t>(x * 3 + 2)] = static_cast<char>((p >> 16) & 0xFF);
        }
        bytes += row;
    }
    WriteTextFile(path, bytes);
    return path;
}
