// Numbers of every resource of kx205.exe: menu, dialog templates, icon, bitmaps, control ids, menu commands
// and help context ids. Plain #defines only, so the resource compiler and C++ read the same file.
#pragma once

// Menu and dialog templates.
#define IDR_MAIN_MENU 101
#define IDD_MAIN 102
#define IDD_LOG_SETTINGS 103
#define IDD_PORT 104
#define IDD_COLORS 105
#define IDD_ABOUT 106
#define IDD_STATISTICS 110
#define IDD_ALARM 111

// Pictures.
#define IDI_KX205 107
#define IDB_LOGO 108
#define IDB_PICTURE 109

// Items without an id of their own (static texts, group boxes, pictures). Written as a 16-bit 0xFFFF even in
// extended templates, whose 32-bit ids would otherwise turn -1 into 0xFFFFFFFF, and the context-help
// handlers ignore exactly 0xFFFF.
#define IDC_NONE 0xFFFF

// Controls. 1002 and 1004 are not used by any template.
#define IDC_OK 1001
#define IDC_CANCEL 1003
#define IDC_MEASUREMENT_STATUS 1005
#define IDC_LOG_STATUS 1006
#define IDC_LOG_ENABLED 1007
#define IDC_LOG_BROWSE 1008
#define IDC_LOG_FILE_NAME 1009
#define IDC_INTERVAL_HOURS 1010
#define IDC_INTERVAL_MINUTES 1011
#define IDC_INTERVAL_SECONDS 1012
#define IDC_LOG_FORMAT 1013
#define IDC_PORT_LIST 1014
#define IDC_SPEED_TEXT_COLOR 1015
#define IDC_DIRECTION_TEXT_COLOR 1016
#define IDC_SPEED_BACK_COLOR 1017
#define IDC_DIRECTION_BACK_COLOR 1018
#define IDC_SERIAL_NUMBER 1019
#define IDC_CURRENT_PORT 1020

// Controls of the statistics window and of its alarm dialog.
#define IDC_STATS_GUST 1101
#define IDC_STATS_MEAN3S 1102
#define IDC_STATS_SPEED2 1103
#define IDC_STATS_SPEED10 1104
#define IDC_STATS_DIRECTION2 1105
#define IDC_STATS_DIRECTION10 1106
#define IDC_STATS_PEAK 1107
#define IDC_STATS_UNIT 1108
#define IDC_STATS_PERIOD 1109
#define IDC_STATS_ALARM 1110
#define IDC_STATS_ALARM_SETTINGS 1111
#define IDC_STATS_CHART 1112
#define IDC_ALARM_ENABLED 1121
#define IDC_ALARM_ON_GUST 1122
#define IDC_ALARM_ON_MEAN 1123
#define IDC_ALARM_THRESHOLD 1124
#define IDC_ALARM_RELEASE 1125
#define IDC_ALARM_SECONDS 1126

// Menu commands of menu 101.
#define IDM_LOG_SETTINGS 40001
#define IDM_PORT 40002
#define IDM_COLORS 40003
#define IDM_UNINSTALL 40004
#define IDM_EXIT 40005
#define IDM_HELP_CONTENTS 40006
#define IDM_ABOUT 40007
#define IDM_STATISTICS 40008

// Help context ids of the pop-up topics: 0x8000 + template id in the upper half, control id in the lower
// half; OK and Cancel carry the colours dialog's numbers in every dialog, so one topic serves them all.
#define HID_OK 0x806903E9
#define HID_CANCEL 0x806903EB
#define HID_LOG_ENABLED 0x806703EF
#define HID_LOG_BROWSE 0x806703F0
#define HID_LOG_FILE_NAME 0x806703F1
#define HID_INTERVAL_HOURS 0x806703F2
#define HID_INTERVAL_MINUTES 0x806703F3
#define HID_INTERVAL_SECONDS 0x806703F4
#define HID_LOG_FORMAT 0x806703F5
#define HID_PORT_LIST 0x806803F6
#define HID_SPEED_TEXT_COLOR 0x806903F7
#define HID_DIRECTION_TEXT_COLOR 0x806903F8
#define HID_SPEED_BACK_COLOR 0x806903F9
#define HID_DIRECTION_BACK_COLOR 0x806903FA
#define HID_STATS_GUST 0x806E044D
#define HID_STATS_MEAN3S 0x806E044E
#define HID_STATS_SPEED2 0x806E044F
#define HID_STATS_SPEED10 0x806E0450
#define HID_STATS_DIRECTION2 0x806E0451
#define HID_STATS_DIRECTION10 0x806E0452
#define HID_STATS_PEAK 0x806E0453
#define HID_STATS_UNIT 0x806E0454
#define HID_STATS_PERIOD 0x806E0455
#define HID_STATS_ALARM 0x806E0456
#define HID_STATS_ALARM_SETTINGS 0x806E0457
#define HID_STATS_CHART 0x806E0458
#define HID_ALARM_ENABLED 0x806F0461
#define HID_ALARM_ON_GUST 0x806F0462
#define HID_ALARM_ON_MEAN 0x806F0463
#define HID_ALARM_THRESHOLD 0x806F0464
#define HID_ALARM_RELEASE 0x806F0465
#define HID_ALARM_SECONDS 0x806F0466

// Messages of the main window: MSG_START it posts to itself; the acquisition worker posts the other two.
// WM_USER (0x0400) + 1 to + 3, written out so the resource compiler needs no system headers.
#define MSG_START 0x0401
#define MSG_MEASURED 0x0402
#define MSG_SERIAL_CHANGED 0x0403

// Messages of the read-out control "Display" (WM_USER + 1 to + 4). Colour kind 0 is the text, 1 the background.
#define DM_SETTEXT 0x0401
#define DM_SETCOLOR 0x0402
#define DM_SETFONT 0x0403
#define DM_GETCOLOR 0x0404
