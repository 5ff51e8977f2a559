// AlarmDialog: the alarm's settings moved between the controls and AppState; the checks are portable
// (AlarmFromFields).
#include "statistics/alarm_dialog_win32.h"

#include "app/app_state.h"
#include "config/settings_store_win32.h"
#include "presentation/help_win32.h"
#include "presentation/value_text_win32.h"
#include "resources/resource.h"
#include "statistics/statistics_settings.h"
#include "statistics/wind_units.h"

namespace {

const DWORD HELP_PAIRS[] = {IDC_ALARM_ENABLED,   HID_ALARM_ENABLED,   IDC_ALARM_ON_GUST, HID_ALARM_ON_GUST,
                            IDC_ALARM_ON_MEAN,   HID_ALARM_ON_MEAN,   IDC_ALARM_THRESHOLD, HID_ALARM_THRESHOLD,
                            IDC_ALARM_RELEASE,   HID_ALARM_RELEASE,   IDC_ALARM_SECONDS, HID_ALARM_SECONDS,
                            IDC_OK,              HID_OK,              IDC_CANCEL,        HID_CANCEL,
                            0,                   0};

AppState& StateOf(HWND dialog) {
    return *reinterpret_cast<AppState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void SetSpeedField(HWND dialog, int id, std::int32_t tenths, char separator) {
    char text[16];
    SetDlgItemTextA(dialog, id, SpeedUnitText(text, sizeof text, tenths, UNIT_MS, separator));
}

BOOL OpenAlarmDialog(HWND dialog, AppState* state) {
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    const AlarmSettings& alarm = state->statisticsSettings.alarm;
    char separator;
    bool leadingZero;
    ReadNumberLocale(separator, leadingZero);
    CheckDlgButton(dialog, IDC_ALARM_ENABLED, alarm.enabled != 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(dialog, IDC_ALARM_ON_GUST, IDC_ALARM_ON_MEAN,
                     alarm.source == ALARM_ON_MEAN10 ? IDC_ALARM_ON_MEAN : IDC_ALARM_ON_GUST);
    SetSpeedField(dialog, IDC_ALARM_THRESHOLD, alarm.threshold, separator);
    SetSpeedField(dialog, IDC_ALARM_RELEASE, alarm.release, separator);
    SetDlgItemInt(dialog, IDC_ALARM_SECONDS, alarm.minSeconds, FALSE);
    return TRUE;
}

void AcceptAlarm(HWND dialog) {
    char threshold[16] = "", release[16] = "", seconds[16] = "";
    GetDlgItemTextA(dialog, IDC_ALARM_THRESHOLD, threshold, sizeof threshold);
    GetDlgItemTextA(dialog, IDC_ALARM_RELEASE, release, sizeof release);
    GetDlgItemTextA(dialog, IDC_ALARM_SECONDS, seconds, sizeof seconds);
    AppState& state = StateOf(dialog);
    AlarmSettings& alarm = state.statisticsSettings.alarm;
    int source =
        IsDlgButtonChecked(dialog, IDC_ALARM_ON_MEAN) == BST_CHECKED ? ALARM_ON_MEAN10 : ALARM_ON_GUST;
    if (!AlarmFromFields(IsDlgButtonChecked(dialog, IDC_ALARM_ENABLED) == BST_CHECKED, source, threshold,
                         release, seconds, alarm)) {
        MessageBoxA(dialog,
                    "Niepoprawne ustawienia alarmu! Próg: od 0,1 do 999,9 m/s, próg odwołania: nie wyższy od "
                    "progu alarmu, czas nad progiem: od 0 do 3600 s.",
                    APP_CAPTION, MB_ICONERROR | MB_OK);
        return;
    }
    state.alarm.over = false; // the time over the threshold counts anew by the new settings
    SaveStatisticsSettings(RegistrySettingsStore(HKEY_CURRENT_USER), state.statisticsSettings,
                           STATS_SAVE_ALARM);
    EndDialog(dialog, 1);
}

} // namespace

INT_PTR CALLBACK AlarmDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OpenAlarmDialog(dialog, reinterpret_cast<AppState*>(lParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_OK:
            AcceptAlarm(dialog);
            return TRUE;
        case IDC_CANCEL:
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    case WM_HELP:
        return ShowContextHelp(reinterpret_cast<const HELPINFO*>(lParam), HELP_PAIRS);
    }
    return FALSE;
}
