// Dialog templates 103 to 106, icon 107 and bitmaps 108 and 109: the template bytes (styles, ids, help ids,
// texts) and real dialogs made from them (items, Windows-1250 texts, positions, tab order, pictures).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/win32/support/test_env_win32.h"

namespace {

struct Item {
    int id;
    const char* className;
    const char* text; // Windows-1250; nullptr for a picture
    int x, y, cx, cy;
    DWORD style; // exactly, besides WS_CHILD | WS_VISIBLE
    DWORD helpId;
    int picture = 0; // bitmap resource shown by a picture item
};

struct Template {
    int id;
    const char* caption;
    int cx, cy;
    DWORD style;
    DWORD exStyle;
    std::vector<Item> items; // template order
    std::vector<int> tabOrder;
};

constexpr DWORD FRAME =
    DS_SETFONT | DS_MODALFRAME | DS_CENTER | DS_SETFOREGROUND | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD LABEL = SS_LEFTNOWORDWRAP | WS_GROUP;
constexpr DWORD INTERVAL = ES_NUMBER | WS_BORDER | WS_TABSTOP; // no ES_AUTOHSCROLL: typing stops when full
constexpr DWORD PUSH = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD DEFAULT = BS_DEFPUSHBUTTON | WS_TABSTOP;

const std::vector<Template>& Templates() {
    static const std::vector<Template> templates = {
        {IDD_LOG_SETTINGS,
         "Rejestracja wynik\xF3w",
         237,
         92,
         FRAME | DS_CONTEXTHELP,
         0,
         {
             {IDC_NONE, "Static", "W pliku:", 7, 22, 27, 10, LABEL, 0},
             {IDC_NONE, "Static", "Interwa\xB3 rejestracji:", 7, 39, 61, 10, LABEL, 0},
             {IDC_NONE, "Static", "Format zapisu:", 102, 38, 114, 10, LABEL, 0},
             {IDC_NONE, "Static", "h", 22, 52, 8, 10, LABEL, 0},
             {IDC_NONE, "Static", "m", 45, 52, 8, 10, LABEL, 0},
             {IDC_NONE, "Static", "s", 71, 52, 8, 10, LABEL, 0},
             {IDC_LOG_ENABLED, "Button", "Rejestruj wyniki pomiar\xF3w", 7, 7, 96, 10,
              BS_AUTOCHECKBOX | WS_TABSTOP, HID_LOG_ENABLED},
             {IDC_LOG_FILE_NAME, "Edit", "", 36, 20, 177, 12, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
              HID_LOG_FILE_NAME},
             {IDC_LOG_BROWSE, "Button", "...", 217, 20, 14, 12, PUSH, HID_LOG_BROWSE},
             {IDC_INTERVAL_HOURS, "Edit", "", 7, 49, 13, 12, INTERVAL, HID_INTERVAL_HOURS},
             {IDC_INTERVAL_MINUTES, "Edit", "", 29, 49, 13, 12, INTERVAL, HID_INTERVAL_MINUTES},
             {IDC_INTERVAL_SECONDS, "Edit", "", 55, 49, 13, 12, INTERVAL, HID_INTERVAL_SECONDS},
             {IDC_LOG_FORMAT, "ComboBox", "", 101, 50, 130, 105, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
              HID_LOG_FORMAT},
             {IDC_OK, "Button", "O&K", 54, 71, 50, 14, DEFAULT, HID_OK},
             {IDC_CANCEL, "Button", "&Anuluj", 133, 71, 50, 14, PUSH, HID_CANCEL},
         },
         {IDC_LOG_ENABLED, IDC_LOG_FILE_NAME, IDC_LOG_BROWSE, IDC_INTERVAL_HOURS, IDC_INTERVAL_MINUTES,
          IDC_INTERVAL_SECONDS, IDC_LOG_FORMAT, IDC_OK, IDC_CANCEL}},
        {IDD_PORT,
         "Port szeregowy",
         176,
         90,
         FRAME | DS_3DLOOK | DS_CONTEXTHELP,
         0,
         {
             {IDC_NONE, "Static",
              "Wybierz port szeregowy, do kt\xF3rego do\xB3\xB9"
              "czony jest wiatromierz KX-205:",
              7, 7, 162, 19, SS_LEFT | WS_GROUP, 0},
             {IDC_PORT_LIST, "ComboBox", "", 64, 34, 48, 45,
              CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP, 0},
             {IDC_OK, "Button", "O&K", 23, 69, 50, 14, DEFAULT, 0},
             {IDC_CANCEL, "Button", "&Anuluj", 101, 69, 50, 14, PUSH, 0},
             {IDC_NONE, "Static", "Aktualnie u\xBFywany:", 39, 52, 62, 8, SS_LEFT | WS_GROUP, 0},
             {IDC_CURRENT_PORT, "Static", "", 110, 52, 42, 8, SS_LEFT | WS_GROUP, 0},
         },
         {IDC_PORT_LIST, IDC_OK, IDC_CANCEL}},
        {IDD_COLORS,
         "Kolory",
         160,
         149,
         FRAME | DS_3DLOOK | DS_CONTEXTHELP,
         0,
         {
             {IDC_NONE, "Button", "Pr\xEA" "dko\x9C\xE6 wiatru", 7, 7, 146, 55, BS_GROUPBOX, 0},
             {IDC_NONE, "Button", "Kierunek wiatru", 7, 66, 146, 55, BS_GROUPBOX, 0},
             {IDC_SPEED_TEXT_COLOR, "Button", "Kolor tekstu", 78, 19, 63, 14, PUSH, 0},
             {IDC_SPEED_BACK_COLOR, "Button", "Kolor t\xB3" "a", 78, 39, 63, 14, PUSH, 0},
             {IDC_DIRECTION_TEXT_COLOR, "Button", "Kolor tekstu", 78, 78, 63, 14, PUSH, 0},
             {IDC_DIRECTION_BACK_COLOR, "Button", "Kolor t\xB3" "a", 78, 98, 63, 14, PUSH, 0},
             {IDC_OK, "Button", "O&K", 23, 128, 46, 14, DEFAULT, 0},
             {IDC_CANCEL, "Button", "&Anuluj", 89, 128, 46, 14, PUSH, 0},
         },
         {IDC_SPEED_TEXT_COLOR, IDC_SPEED_BACK_COLOR, IDC_DIRECTION_TEXT_COLOR, IDC_DIRECTION_BACK_COLOR,
          IDC_OK, IDC_CANCEL}},
        {IDD_ABOUT,
         "O programie",
         154,
         182,
         FRAME | DS_3DLOOK,
         0,
         {
             {IDC_OK, "Button", "O&K", 52, 161, 50, 14, DEFAULT, 0},
             {IDC_NONE, "Static", nullptr, 31, 7, 91, 78, SS_BITMAP | SS_CENTERIMAGE | SS_SUNKEN, 0,
              IDB_PICTURE},
             {IDC_NONE, "Static", nullptr, 48, 90, 57, 30, SS_BITMAP | SS_CENTERIMAGE, 0, IDB_LOGO},
             {IDC_NONE, "Static", "Rizuzedarar KX-205\nWersja 2.6", 9, 128, 134, 27, SS_CENTER | WS_GROUP, 0},
         },
         {IDC_OK}},
    };
    return templates;
}

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

const BYTE* ResourceBytes(int id, LPCSTR type) {
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(id), type);
    return found ? static_cast<const BYTE*>(LockResource(LoadResource(Module(), found))) : nullptr;
}

std::wstring Wide(const char* windows1250) {
    wchar_t text[256] = {};
    MultiByteToWideChar(1250, 0, windows1250, -1, text, 256);
    return text;
}

// ---- reading an extended dialog template

struct TemplateItem {
    DWORD helpId, exStyle, style;
    short x, y, cx, cy;
    DWORD id;
    std::wstring title;
    int titleOrdinal = -1;
};

struct TemplateHeader {
    DWORD exStyle, style;
    short cx, cy;
    std::wstring caption;
    WORD pointSize;
    BYTE charset;
    std::wstring face;
    std::vector<TemplateItem> items;
};

struct Reader {
    const BYTE* p;
    template <typename T> T Take() {
        T value;
        memcpy(&value, p, sizeof value);
        p += sizeof value;
        return value;
    }
    std::wstring String() {
        std::wstring s;
        for (wchar_t c; (c = Take<wchar_t>()) != 0;) s += c;
        return s;
    }
    // A name or an ordinal: 0 for none, 0xFFFF then the number, else a string.
    std::wstring NameOrOrdinal(int* ordinal) {
        WORD first;
        memcpy(&first, p, sizeof first);
        if (first == 0xFFFF) {
            p += 2;
            *ordinal = Take<WORD>();
            return L"";
        }
        return String();
    }
    void AlignToDword(const BYTE* base) {
        while ((p - base) % 4) ++p;
    }
};

bool ReadTemplate(int id, TemplateHeader& t) {
    const BYTE* base = ResourceBytes(id, MAKEINTRESOURCEA(5)); // RT_DIALOG
    if (!base) return false;
    Reader r{base};
    if (r.Take<WORD>() != 1 || r.Take<WORD>() != 0xFFFF) return false; // not an extended template
    r.Take<DWORD>();                                                    // the dialog's own help id
    t.exStyle = r.Take<DWORD>();
    t.style = r.Take<DWORD>();
    WORD count = r.Take<WORD>();
    r.Take<short>();
    r.Take<short>();
    t.cx = r.Take<short>();
    t.cy = r.Take<short>();
    int ordinal = -1;
    r.NameOrOrdinal(&ordinal); // menu
    r.NameOrOrdinal(&ordinal); // class
    t.caption = r.String();
    t.pointSize = r.Take<WORD>();
    r.Take<WORD>(); // weight
    r.Take<BYTE>(); // italic
    t.charset = r.Take<BYTE>();
    t.face = r.String();
    for (WORD i = 0; i < count; ++i) {
        r.AlignToDword(base);
        TemplateItem item;
        item.helpId = r.Take<DWORD>();
        item.exStyle = r.Take<DWORD>();
        item.style = r.Take<DWORD>();
        item.x = r.Take<short>();
        item.y = r.Take<short>();
        item.cx = r.Take<short>();
        item.cy = r.Take<short>();
        item.id = r.Take<DWORD>();
        r.NameOrOrdinal(&ordinal); // class
        item.title = r.NameOrOrdinal(&item.titleOrdinal);
        r.p += r.Take<WORD>(); // creation data
        t.items.push_back(item);
    }
    return true;
}

// ---- dialogs made from the templates

INT_PTR CALLBACK TrivialProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// An owner-less dialog made from a template, destroyed at the end of the scope.
struct Dialog {
    HWND window;
    explicit Dialog(int id)
        : window(CreateDialogParamA(Module(), MAKEINTRESOURCEA(id), nullptr, TrivialProc, 0)) {}
    ~Dialog() {
        if (window) DestroyWindow(window);
    }
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
};

std::string Text(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassName(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Left, top, width and height in pixels, each mapped from dialog units as the dialog manager maps them.
RECT Pixels(HWND dialog, int x, int y, int cx, int cy) {
    RECT r = {x, y, cx, cy};
    MapDialogRect(dialog, &r);
    return r;
}

// The control's left, top, width and height in the dialog's client coordinates.
RECT Placement(HWND dialog, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::string Show(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right) + "x" +
           std::to_string(r.bottom);
}

std::vector<HWND> Children(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

SIZE BitmapSize(HBITMAP bitmap, int* bitsPerPixel = nullptr) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    if (bitsPerPixel) *bitsPerPixel = info.bmBitsPixel;
    return {info.bmWidth, info.bmHeight};
}

// Saves what the dialog shows as a 24-bit BMP among the test run's artefacts, for a look at the Polish
// letters.
void SaveScreenshot(HWND dialog, int id) {
    std::string folder = EnvVar("KX205_ARTIFACTS");
    if (folder.empty()) return;
    CreateDirectoryA(WinePath(folder).c_str(), nullptr);
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
    for (int i = 0; i < 20; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
    RECT r;
    GetWindowRect(dialog, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP shot = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, shot);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    DWORD size = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
    BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof file + sizeof info.bmiHeader + size), 0, 0,
                             sizeof file + sizeof info.bmiHeader};
    std::string path = WinePath(folder + "/dialog_" + std::to_string(id) + ".bmp");
    HANDLE out =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out != INVALID_HANDLE_VALUE) {
        DWORD written;
        WriteFile(out, &file, sizeof file, &written, nullptr);
        WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
        WriteFile(out, bits, size, &written, nullptr);
        CloseHandle(out);
    }
    SelectObject(memory, old);
    DeleteObject(shot);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

} // namespace

TEST(DialogResources, TemplateBytes) {
    for (const Template& expected : Templates()) {
        TemplateHeader t;
        ASSERT_TRUE(ReadTemplate(expected.id, t)) << expected.id;
        EXPECT_EQ(t.style, expected.style) << expected.id << std::hex << " style " << t.style;
        EXPECT_EQ(t.exStyle, expected.exStyle) << expected.id;
        EXPECT_EQ(t.cx, expected.cx) << expected.id;
        EXPECT_EQ(t.cy, expected.cy) << expected.id;
        EXPECT_TRUE(t.caption == Wide(expected.caption)) << expected.id;
        EXPECT_EQ(t.pointSize, 8) << expected.id;
        EXPECT_TRUE(t.face == L"MS Sans Serif") << expected.id;
        EXPECT_EQ(t.charset, DEFAULT_CHARSET) << expected.id; // the system's own, 1250 on a Polish system
        ASSERT_EQ(t.items.size(), expected.items.size()) << expected.id;
        for (size_t i = 0; i < t.items.size(); ++i) {
            const TemplateItem& item = t.items[i];
            const Item& e = expected.items[i];
            std::string where = std::to_string(expected.id) + " item " + std::to_string(i);
            EXPECT_EQ(item.id, static_cast<DWORD>(e.id)) << where; // 0xFFFF, never 0xFFFFFFFF, for no id
            EXPECT_EQ(item.style, e.style | WS_CHILD | WS_VISIBLE) << where << std::hex << " " << item.style;
            EXPECT_EQ(item.exStyle, 0u) << where;
            EXPECT_EQ(item.helpId, e.helpId) << where;
            EXPECT_EQ(item.x, e.x) << where;
            EXPECT_EQ(item.y, e.y) << where;
            EXPECT_EQ(item.cx, e.cx) << where;
            EXPECT_EQ(item.cy, e.cy) << where;
            if (e.text) {
                EXPECT_TRUE(item.title == Wide(e.text)) << where;
            } else {
                EXPECT_EQ(item.titleOrdinal, e.picture) << where;
            }
        }
    }
}

TEST(DialogResources, DialogsMadeFromTemplates) {
    for (const Template& t : Templates()) {
        Dialog dialog(t.id);
        ASSERT_NE(dialog.window, nullptr) << t.id;
        HWND w = dialog.window;
        EXPECT_EQ(Text(w), t.caption) << t.id;

        RECT client;
        GetClientRect(w, &client);
        RECT size = Pixels(w, 0, 0, t.cx, t.cy);
        EXPECT_EQ(client.right, size.right) << t.id;
        EXPECT_EQ(client.bottom, size.bottom) << t.id;
        LOGFONTA font = {};
        HFONT dialogFont = reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0));
        ASSERT_NE(GetObjectA(dialogFont, sizeof font, &font), 0) << t.id;
        EXPECT_STREQ(font.lfFaceName, "MS Sans Serif") << t.id;
        HDC dc = GetDC(w);
        EXPECT_EQ(font.lfHeight, -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72)) << t.id;
        ReleaseDC(w, dc);

        std::vector<HWND> children = Children(w);
        ASSERT_EQ(children.size(), t.items.size()) << t.id;
        for (size_t i = 0; i < children.size(); ++i) {
            const Item& item = t.items[i];
            HWND control = children[i];
            std::string where = std::to_string(t.id) + " item " + std::to_string(i);
            EXPECT_EQ(GetDlgCtrlID(control), item.id) << where;
            std::string className = ClassName(control);
            EXPECT_EQ(lstrcmpiA(className.c_str(), item.className), 0) << where << " " << className;
            if (item.text) {
                EXPECT_EQ(Text(control), item.text) << where;
            }
            RECT expected = Pixels(w, item.x, item.y, item.cx, item.cy);
            RECT actual = Placement(w, control);
            if (lstrcmpiA(item.className, "ComboBox") == 0) {
                // A drop-down list shows only its selection field, whose height follows the font; the
                // template's height is that of the dropped-down list, checked in the template bytes.
                actual.bottom = expected.bottom;
            }
            EXPECT_EQ(Show(actual), Show(expected)) << where;
        }
        SaveScreenshot(w, t.id);
    }
}

TEST(DialogResources, TabOrder) {
    for (const Template& t : Templates()) {
        Dialog dialog(t.id);
        ASSERT_NE(dialog.window, nullptr) << t.id;
        HWND first = GetNextDlgTabItem(dialog.window, nullptr, FALSE);
        ASSERT_NE(first, nullptr) << t.id;
        std::vector<int> order;
        HWND control = first;
        do {
            order.push_back(GetDlgCtrlID(control));
            control = GetNextDlgTabItem(dialog.window, control, FALSE);
        } while (control && control != first && order.size() <= t.items.size());
        EXPECT_EQ(order, t.tabOrder) << t.id;
    }
}

TEST(DialogResources, AboutBoxShowsBothBitmaps) {
    Dialog dialog(IDD_ABOUT);
    ASSERT_NE(dialog.window, nullptr);
    std::vector<HWND> children = Children(dialog.window);
    ASSERT_EQ(children.size(), 4u);
    const SIZE sizes[] = {{131, 123}, {86, 49}};
    for (int i = 0; i < 2; ++i) {
        LRESULT shown = SendMessageA(children[1 + i], STM_GETIMAGE, IMAGE_BITMAP, 0);
        ASSERT_NE(shown, 0) << i;
        SIZE size = BitmapSize(reinterpret_cast<HBITMAP>(shown));
        EXPECT_EQ(size.cx, sizes[i].cx) << i;
        EXPECT_EQ(size.cy, sizes[i].cy) << i;
    }
}

TEST(DialogResources, BitmapsAre256Colours) {
    struct Case {
        int id;
        LONG width, height;
    };
    for (const Case& c : {Case{IDB_LOGO, 86, 49}, Case{IDB_PICTURE, 131, 123}}) {
        auto header = reinterpret_cast<const BITMAPINFOHEADER*>(ResourceBytes(c.id, MAKEINTRESOURCEA(2)));
        ASSERT_NE(header, nullptr) << c.id;
        EXPECT_EQ(header->biWidth, c.width) << c.id;
        EXPECT_EQ(header->biHeight, c.height) << c.id;
        EXPECT_EQ(header->biBitCount, 8) << c.id;
        EXPECT_TRUE(header->biClrUsed == 0 || header->biClrUsed == 256) << c.id;

        HBITMAP loaded = static_cast<HBITMAP>(
            LoadImageA(Module(), MAKEINTRESOURCEA(c.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(loaded, nullptr) << c.id;
        int bits = 0;
        SIZE size = BitmapSize(loaded, &bits);
        EXPECT_EQ(size.cx, c.width) << c.id;
        EXPECT_EQ(size.cy, c.height) << c.id;
        EXPECT_EQ(bits, 8) << c.id;
        DeleteObject(loaded);
    }
}

TEST(DialogResources, IconHolds16Colour32And16PixelImages) {
    const BYTE* directory = ResourceBytes(IDI_KX205, MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_NE(directory, nullptr);
    WORD count;
    memcpy(&count, directory + 4, sizeof count);
    ASSERT_EQ(count, 2);
    std::vector<int> sizes;
    for (int i = 0; i < count; ++i) {
        // 14-byte entries: width, height, colours, reserved, planes, bits per pixel, bytes, image id.
        const BYTE* entry = directory + 6 + 14 * i;
        WORD bitCount, imageId;
        memcpy(&bitCount, entry + 6, sizeof bitCount);
        memcpy(&imageId, entry + 12, sizeof imageId);
        sizes.push_back(entry[0]);
        EXPECT_EQ(entry[1], entry[0]) << i;
        EXPECT_EQ(entry[2], 16) << i;
        EXPECT_EQ(bitCount, 4) << i;
        auto image = reinterpret_cast<const BITMAPINFOHEADER*>(ResourceBytes(imageId, MAKEINTRESOURCEA(3)));
        ASSERT_NE(image, nullptr) << i;
        EXPECT_EQ(image->biWidth, entry[0]) << i;
        EXPECT_EQ(image->biHeight, 2 * entry[0]) << i; // colour and mask
        EXPECT_EQ(image->biBitCount, 4) << i;
    }
    EXPECT_EQ(sizes, (std::vector<int>{32, 16}));

    for (int size : {32, 16}) {
        HICON icon = static_cast<HICON>(
            LoadImageA(Module(), MAKEINTRESOURCEA(IDI_KX205), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info)) << size;
        SIZE shown = BitmapSize(info.hbmColor);
        EXPECT_EQ(shown.cx, size);
        EXPECT_EQ(shown.cy, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}
