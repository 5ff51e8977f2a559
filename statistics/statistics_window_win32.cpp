// The statistics window: its fields, the chart drawn off screen (no flicker when it is redrawn each frame),
// its layout when resized, and its remembered place, unit and period. The texts are the portable ones of
// wind_units.cpp and wind_alarm.cpp.
#include "statistics/statistics_window_win32.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <new>
#include <vector>

#include "config/settings_store_win32.h"
#include "presentation/help_win32.h"
#include "presentation/value_text_win32.h"
#include "resources/resource.h"
#include "statistics/alarm_dialog_win32.h"
#include "statistics/statistics_settings.h"
#include "statistics/statistics_win32.h"
#include "statistics/wind_units.h"

namespace {

constexpr char CHART_CLASS[] = "Kx205Chart";
// Marks the window for the keyboard filter, which meets its messages with nothing else to go by.
constexpr char STATISTICS_PROP[] = "Kx205Statistics";
constexpr UINT_PTR AGEING_TIMER = 1;
constexpr UINT AGEING_MS = 1000; // the figures age out, and the chart moves on, while no frame comes
constexpr std::int32_t PERIODS[] = {10, 30, 60};
constexpr COLORREF SPEED_COLOR = RGB(0, 70, 200), GUST_COLOR = RGB(210, 0, 0),
                   DIRECTION_COLOR = RGB(0, 150, 0);
constexpr COLORREF GRID_COLOR = RGB(215, 215, 215), ALARM_COLOR = RGB(210, 0, 0);
// F1 on a field explains its figure.
const DWORD HELP_PAIRS[] = {IDC_STATS_GUST,   HID_STATS_GUST,   IDC_STATS_MEAN3S,      HID_STATS_MEAN3S,
                            IDC_STATS_SPEED2, HID_STATS_SPEED2, IDC_STATS_SPEED10,     HID_STATS_SPEED10,
                            IDC_STATS_DIRECTION2, HID_STATS_DIRECTION2, IDC_STATS_DIRECTION10, HID_STATS_DIRECTION10,
                            IDC_STATS_PEAK,   HID_STATS_PEAK,   IDC_STATS_UNIT,        HID_STATS_UNIT,
                            IDC_STATS_PERIOD, HID_STATS_PERIOD, IDC_STATS_ALARM,       HID_STATS_ALARM,
                            IDC_STATS_ALARM_SETTINGS, HID_STATS_ALARM_SETTINGS, IDC_STATS_CHART, HID_STATS_CHART,
                            0, 0};

// One per window, from WM_INITDIALOG to WM_NCDESTROY.
struct StatisticsWindow {
    AppState* state;
    HHOOK keys; // the dialog keys (Tab, arrows, mnemonics) for this window: see DialogKeys
    bool inDialogKeys;
    SIZE least;                       // the template's size, the smallest the window may be made
    std::vector<StatsColumn> columns; // the chart's, one a pixel across; grows with the window only
};

StatisticsWindow* WindowOf(HWND window) {
    return reinterpret_cast<StatisticsWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

std::int32_t SecondOfDay() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
}

// The main window runs in the dialog manager's loop, which hands keys to its own dialog only; the filter it
// calls first lets this window's dialog keys reach this window.
LRESULT CALLBACK DialogKeys(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message != nullptr && message->hwnd != nullptr) {
        HWND root = GetAncestor(message->hwnd, GA_ROOT);
        StatisticsWindow* w = GetPropA(root, STATISTICS_PROP) != nullptr ? WindowOf(root) : nullptr;
        // IsDialogMessage calls this filter again, which must then let the message pass.
        if (w != nullptr && !w->inDialogKeys) {
            w->inDialogKeys = true;
            BOOL handled = IsDialogMessageA(root, message);
            w->inDialogKeys = false;
            if (handled) return 1;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// ---- the chart ----

void DrawLine(HDC dc, const RECT& plot, const StatsColumn* columns, int count,
              std::int32_t StatsColumn::*value, std::int32_t top, COLORREF color) {
    HGDIOBJ old = SelectObject(dc, CreatePen(PS_SOLID, 1, color));
    bool drawing = false;
    int height = plot.bottom - plot.top;
    for (int i = 0; i < count; ++i) {
        std::int32_t v = columns[i].*value;
        if (v == VALUE_UNKNOWN) {
            drawing = false; // a gap stays a gap
            continue;
        }
        int y = plot.bottom - static_cast<int>(std::int64_t{v} * height / top);
        if (drawing) {
            LineTo(dc, plot.left + i, y);
        } else {
            MoveToEx(dc, plot.left + i, y, nullptr);
            drawing = true;
        }
    }
    DeleteObject(SelectObject(dc, old));
}

void Label(HDC dc, int x, int y, UINT align, COLORREF color, const char* text) {
    SetTextAlign(dc, align);
    SetTextColor(dc, color);
    TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text)));
}

void DrawChart(HDC dc, const RECT& area, StatisticsWindow& w) {
    AppState& state = *w.state;
    TEXTMETRICA font;
    GetTextMetricsA(dc, &font);
    int line = font.tmHeight;
    RECT plot = {area.left + 6 * font.tmAveCharWidth, area.top + line + 6,
                 area.right - 5 * font.tmAveCharWidth, area.bottom - line - 4};
    int count = plot.right - plot.left, height = plot.bottom - plot.top;
    if (count < 10 || height < 10) return;
    if (w.columns.size() < static_cast<size_t>(count)) w.columns.resize(static_cast<size_t>(count));
    StatsColumn* columns = w.columns.data();
    std::int64_t span = std::int64_t{state.statisticsSettings.periodMinutes} * 60000;
    std::int64_t now = static_cast<std::int64_t>(GetTickCount64());
    {
        StateLocked lock;
        for (int i = 0; i < count; ++i)
            columns[i] = {VALUE_UNKNOWN, VALUE_UNKNOWN, VALUE_UNKNOWN};
        if (state.statistics != nullptr) StatsChartColumns(*state.statistics, now, span, count, columns);
    }
    std::int32_t highest = 0;
    for (int i = 0; i < count; ++i) {
        for (std::int32_t v : {columns[i].speed, columns[i].gust})
            if (v != VALUE_UNKNOWN && v > highest) highest = v;
    }
    std::int32_t top = ChartSpeedTop(highest);
    char separator, text[32];
    bool leadingZero;
    ReadNumberLocale(separator, leadingZero);
    int unit = state.statisticsSettings.unit;

    HGDIOBJ oldPen = SelectObject(dc, CreatePen(PS_SOLID, 1, GRID_COLOR));
    // Speed on the left (0, half, top), direction on the right (0, 180, 360 degrees).
    for (int k = 0; k <= 2; ++k) {
        int y = plot.bottom - k * height / 2;
        MoveToEx(dc, plot.left, y, nullptr);
        LineTo(dc, plot.right, y);
        Label(dc, plot.left - 3, y - line / 2, TA_RIGHT | TA_TOP, SPEED_COLOR,
              SpeedUnitText(text, sizeof text, top * k / 2, unit, separator));
        std::snprintf(text, sizeof text, "%d°", 180 * k);
        Label(dc, plot.right + 3, y - line / 2, TA_LEFT | TA_TOP, DIRECTION_COLOR, text);
    }
    std::int32_t ticks[8];
    std::int32_t second = SecondOfDay(); // one reading for every label, which must agree
    int tickCount = ChartTimeTicks(second, static_cast<std::int32_t>(span / 1000), ticks, 8);
    for (int k = 0; k < tickCount; ++k) {
        int x = plot.right - static_cast<int>(std::int64_t{ticks[k]} * 1000 * count / span);
        MoveToEx(dc, x, plot.top, nullptr);
        LineTo(dc, x, plot.bottom);
        Label(dc, x, plot.bottom + 2, TA_CENTER | TA_TOP, RGB(0, 0, 0),
              ClockText(text, sizeof text, second, std::int64_t{ticks[k]} * 1000, false));
    }
    DeleteObject(SelectObject(dc, oldPen));

    DrawLine(dc, plot, columns, count, &StatsColumn::speed, top, SPEED_COLOR);
    DrawLine(dc, plot, columns, count, &StatsColumn::gust, top, GUST_COLOR);
    // Dots, never a line: a line would cross the whole chart each time the wind veers across north.
    HBRUSH dot = CreateSolidBrush(DIRECTION_COLOR);
    for (int i = 0; i < count; ++i) {
        if (columns[i].direction == VALUE_UNKNOWN) continue;
        int y = plot.bottom - columns[i].direction * height / 360;
        RECT r = {plot.left + i - 1, y - 1, plot.left + i + 1, y + 1};
        FillRect(dc, &r, dot);
    }
    DeleteObject(dot);
    std::snprintf(text, sizeof text, "prędkość [%s]", SpeedUnitSymbol(unit));
    Label(dc, plot.left, area.top + 2, TA_LEFT | TA_TOP, SPEED_COLOR, text);
    Label(dc, (plot.left + plot.right) / 2, area.top + 2, TA_CENTER | TA_TOP, GUST_COLOR,
          "poryw (średnia 3 s)");
    Label(dc, plot.right, area.top + 2, TA_RIGHT | TA_TOP, DIRECTION_COLOR, "kierunek");
}

LRESULT CALLBACK ChartProc(HWND chart, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // painted whole in WM_PAINT
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(chart, &paint);
        RECT area;
        GetClientRect(chart, &area);
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, area.right, area.bottom);
        HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
        HGDIOBJ oldFont = SelectObject(memory, GetStockObject(DEFAULT_GUI_FONT));
        FillRect(memory, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(memory, TRANSPARENT);
        if (StatisticsWindow* w = WindowOf(GetParent(chart))) DrawChart(memory, area, *w);
        BitBlt(dc, 0, 0, area.right, area.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, oldFont);
        SelectObject(memory, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(memory);
        EndPaint(chart, &paint);
        return 0;
    }
    }
    return DefWindowProcA(chart, message, wParam, lParam);
}

// ---- the window ----

// Only a changed text is set: each set repaints.
void SetText(HWND window, int id, const char* text) {
    char shown[160];
    GetDlgItemTextA(window, id, shown, sizeof shown);
    if (std::strcmp(shown, text) != 0) SetDlgItemTextA(window, id, text);
}

void SaveView(const StatisticsSettings& settings) {
    SaveStatisticsSettings(RegistrySettingsStore(HKEY_CURRENT_USER), settings, STATS_SAVE_VIEW);
}

// The fields and the alarm's line follow the width, the chart the width and the height.
void Layout(HWND window, int width, int height) {
    RECT margin = {7, 7, 0, 0};
    MapDialogRect(window, &margin);
    for (int id = IDC_STATS_GUST; id <= IDC_STATS_CHART; ++id) {
        if (id == IDC_STATS_UNIT || id == IDC_STATS_PERIOD || id == IDC_STATS_ALARM_SETTINGS) continue;
        HWND control = GetDlgItem(window, id);
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
        int bottom = id == IDC_STATS_CHART ? height - margin.top : r.bottom;
        MoveWindow(control, r.left, r.top, width - margin.left - r.left, bottom - r.top, TRUE);
    }
}

BOOL OpenWindow(HWND window, AppState* state) {
    auto* w = new (std::nothrow) StatisticsWindow{state, nullptr, false, {}, {}};
    if (w == nullptr) {
        DestroyWindow(window);
        return FALSE;
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
    SetPropA(window, STATISTICS_PROP, window);
    w->keys = SetWindowsHookExA(WH_MSGFILTER, DialogKeys, nullptr, GetCurrentThreadId());
    RECT r;
    GetWindowRect(window, &r);
    w->least = {r.right - r.left, r.bottom - r.top};
    const StatisticsSettings& settings = state->statisticsSettings;
    for (int unit = UNIT_MS; unit <= UNIT_BEAUFORT; ++unit)
        SendDlgItemMessageA(window, IDC_STATS_UNIT, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(SpeedUnitName(unit)));
    SendDlgItemMessageA(window, IDC_STATS_UNIT, CB_SETCURSEL, static_cast<WPARAM>(settings.unit), 0);
    for (size_t i = 0; i < std::size(PERIODS); ++i) {
        char text[16];
        std::snprintf(text, sizeof text, "%d min", static_cast<int>(PERIODS[i]));
        SendDlgItemMessageA(window, IDC_STATS_PERIOD, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        if (PERIODS[i] == settings.periodMinutes)
            SendDlgItemMessageA(window, IDC_STATS_PERIOD, CB_SETCURSEL, i, 0);
    }
    RECT place = {settings.window[0], settings.window[1], settings.window[2], settings.window[3]};
    // A place on a screen that is no longer there is not taken.
    if (settings.windowKnown && MonitorFromRect(&place, MONITOR_DEFAULTTONULL) != nullptr) {
        MoveWindow(window, place.left, place.top, place.right - place.left, place.bottom - place.top, FALSE);
    } else {
        RECT owner;
        GetWindowRect(state->mainWindow, &owner);
        SetWindowPos(window, nullptr, owner.right + 8, owner.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    GetClientRect(window, &r);
    Layout(window, r.right, r.bottom);
    SetTimer(window, AGEING_TIMER, AGEING_MS, nullptr);
    RefreshStatisticsWindow(window);
    return TRUE;
}

void ForgetWindow(HWND window) {
    StatisticsWindow* w = WindowOf(window);
    if (w == nullptr) return;
    KillTimer(window, AGEING_TIMER);
    if (w->keys != nullptr) UnhookWindowsHookEx(w->keys);
    RemovePropA(window, STATISTICS_PROP);
    delete w;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

void OnCommand(HWND window, StatisticsWindow& w, int id, int code) {
    StatisticsSettings& settings = w.state->statisticsSettings;
    switch (id) {
    case IDC_STATS_UNIT:
    case IDC_STATS_PERIOD: {
        if (code != CBN_SELCHANGE) return;
        int index = static_cast<int>(SendDlgItemMessageA(window, id, CB_GETCURSEL, 0, 0));
        if (index < 0) return;
        if (id == IDC_STATS_UNIT)
            settings.unit = index;
        else
            settings.periodMinutes = PERIODS[index % std::size(PERIODS)];
        SaveView(settings);
        RefreshStatisticsWindow(window);
        return;
    }
    case IDC_STATS_ALARM_SETTINGS:
        if (DialogBoxParamA(w.state->instance, MAKEINTRESOURCEA(IDD_ALARM), window, AlarmDialog,
                            reinterpret_cast<LPARAM>(w.state)) == 1) {
            StatisticsAfterFrame(*w.state); // the new settings at once, not at the next frame
            RefreshStatisticsWindow(window);
        }
        return;
    case IDCANCEL: // Esc
        DestroyWindow(window);
        return;
    }
}

INT_PTR CALLBACK StatisticsDialog(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OpenWindow(window, reinterpret_cast<AppState*>(lParam));
    StatisticsWindow* w = WindowOf(window);
    if (w == nullptr) return FALSE;
    switch (message) {
    case WM_SIZE:
        Layout(window, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {w->least.cx, w->least.cy};
        return TRUE;
    case WM_EXITSIZEMOVE: {
        RECT r;
        GetWindowRect(window, &r);
        StatisticsSettings& settings = w->state->statisticsSettings;
        const LONG edges[4] = {r.left, r.top, r.right, r.bottom};
        std::copy(edges, edges + 4, settings.window);
        settings.windowKnown = true;
        SaveView(settings);
        return TRUE;
    }
    case WM_TIMER:
        UpdateFigures(*w->state);
        RefreshStatisticsWindow(window);
        return TRUE;
    case WM_COMMAND:
        OnCommand(window, *w, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != IDC_STATS_ALARM || !w->state->alarm.raised)
            return FALSE;
        SetTextColor(reinterpret_cast<HDC>(wParam), ALARM_COLOR);
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_HELP:
        return ShowContextHelp(reinterpret_cast<const HELPINFO*>(lParam), HELP_PAIRS);
    case WM_CLOSE:
        DestroyWindow(window);
        return TRUE;
    case WM_DESTROY:
        ForgetWindow(window);
        return FALSE;
    }
    return FALSE;
}

void RegisterChart(HINSTANCE instance) {
    WNDCLASSA chart{};
    if (GetClassInfoA(instance, CHART_CLASS, &chart)) return;
    chart.lpfnWndProc = ChartProc;
    chart.hInstance = instance;
    chart.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    chart.lpszClassName = CHART_CLASS;
    RegisterClassA(&chart);
}

} // namespace

HWND OpenStatisticsWindow(HWND owner, AppState& state, HWND open) {
    if (open != nullptr && IsWindow(open)) {
        ShowWindow(open, IsIconic(open) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(open);
        return open;
    }
    RegisterChart(state.instance);
    HWND window = CreateDialogParamA(state.instance, MAKEINTRESOURCEA(IDD_STATISTICS), owner,
                                     StatisticsDialog, reinterpret_cast<LPARAM>(&state));
    if (window != nullptr) ShowWindow(window, SW_SHOW);
    return window;
}

void RefreshStatisticsWindow(HWND window) {
    StatisticsWindow* w = WindowOf(window);
    if (w == nullptr) return;
    const AppState& state = *w->state;
    const WindFigures& f = state.figures;
    int unit = state.statisticsSettings.unit;
    char separator, text[160];
    bool leadingZero;
    ReadNumberLocale(separator, leadingZero);
    const std::pair<int, std::int32_t> speeds[] = {{IDC_STATS_GUST, f.gust},
                                                   {IDC_STATS_MEAN3S, f.mean3s},
                                                   {IDC_STATS_SPEED2, f.meanSpeed2},
                                                   {IDC_STATS_SPEED10, f.meanSpeed10}};
    for (const auto& [id, tenths] : speeds)
        SetText(window, id, SpeedWithUnitText(text, sizeof text, tenths, unit, separator));
    SetText(window, IDC_STATS_DIRECTION2, DirectionText(text, sizeof text, f.meanDirection2, f.sigma2));
    SetText(window, IDC_STATS_DIRECTION10, DirectionText(text, sizeof text, f.meanDirection10, f.sigma10));
    SetText(window, IDC_STATS_PEAK,
            PeakGustText(text, sizeof text, f, static_cast<std::int64_t>(GetTickCount64()), SecondOfDay(),
                         unit, separator));
    SetText(
        window, IDC_STATS_ALARM,
        AlarmStatusText(text, sizeof text, state.statisticsSettings.alarm, state.alarm.raised, separator));
    InvalidateRect(GetDlgItem(window, IDC_STATS_CHART), nullptr, FALSE);
}
