/* Every fixed number of the program's resources and window messages, named once. Plain #defines so
   that both the resource compiler and C++ read this file. */
#ifndef SX_RESOURCE_IDS_H
#define SX_RESOURCE_IDS_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
/* ---- Strings (string table numbers) ---- */
#define IDS_MONITOR_NAME 2
#define IDS_CLASS_NAME 9
#define IDS_LANGUAGE_CODE 634
#define IDS_LOADING 833

#endif

/* ---- Page commands: WM_COMMAND ids of the main window, also the ids of the sheet's pages ---- */
#define CMD_STARTUP 6026
#define CMD_COOKIES 6028
#define CMD_ACTIVE_TASKS 6029
#define CMD_QUIT 6030
#define CMD_TOGGLE_AUTORUN 6031
#define CMD_OPTIONS 6033
#define CMD_WININIT 6034
#define CMD_SERVICES 6038
#define CMD_SCHEDULED_TASKS 6039
#define CMD_IE_HELPERS 6040
#define CMD_HISTORY 6041
#define CMD_FILE_TYPES 6042
#define CMD_VIEW_COOKIES 6045
#define CMD_MONITOR 6046
#define CMD_BLACKLIST 6047
#define CMD_EXIT 6048
#define WM_PAGE_LAYOUT 6049
#define IDC_STATUS_BAR 6050
#define CMD_HELPME 6051
#define CMD_HIDDEN_FILES 6052
#define CMD_DELAY 6055
#define CMD_ACTIVEX 6056

/* ---- Strings (string table numbers) ---- */
#define IDS_MONITOR_NAME 2
#define IDS_CLASS_NAME 9
#define IDS_LANGUAGE_CODE 634
#define IDS_LOADING 833

#endif
