/* Every fixed number of the program's resources and window messages, named once. Plain #defines so
   that both the resource compiler and C++ read this file. Where one number has several uses (a dialog
   control and a menu command, or controls of different dialogs), each use has a name of its own. */
#ifndef SX_RESOURCE_IDS_H
#define SX_RESOURCE_IDS_H

/* Statics the code never addresses. Only some system headers define it. */
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
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

/* ---- Dialog templates ---- */
#define IDD_STARTUP                          102  /* Startup Programs page */
#define IDD_ACTIVE_TASKS                     110  /* Active Tasks page */
#define IDD_OPTIONS                          114  /* Options page */
#define IDD_INFO                             121  /* information dialog */
#define IDD_RESTART_COMMANDS                 130  /* restart-commands viewer */
#define IDD_SERVICES                         132  /* Services page */
#define IDD_SCHEDULED_TASKS                  137  /* Scheduled Tasks page */
#define IDD_IE_HELPERS                       139  /* IE Helpers page */
#define IDD_HISTORY                          141  /* History dialog */
#define IDD_ERROR                            184  /* error message dialog */
#define IDD_SPECIAL_WARNING                  194  /* warning before removing a special startup entry */
#define IDD_HIDDEN_FILES                     195  /* Hidden Files page */
#define IDD_ACTIVEX                          201  /* ActiveX page */

/* ---- Icons ---- */
#define IDI_APP                              101  /* the program */
#define IDI_PROGRAM_FILE                     115  /* a program file without an icon of its own */
#define IDI_TAB_SERVICES                     173
#define IDI_TAB_STARTUP                      174
#define IDI_TAB_ACTIVE_TASKS                 176
#define IDI_TAB_IE_HELPERS                   180
#define IDI_TAB_OPTIONS                      181
#define IDI_TAB_SCHEDULED_TASKS              182
#define IDI_TAB_HIDDEN_FILES                 198
#define IDI_TAB_ACTIVEX                      212

/* ---- Bitmaps ---- */
#define IDB_HELP_NORMAL                      133  /* help icon pictures */
#define IDB_HELP_PRESSED                     134
#define IDB_HELP_HOVER                       135
#define IDB_MONITOR_ON                       154  /* monitor status pictures */
#define IDB_MONITOR_OFF                      155
#define IDB_MONITOR_WARNING                  156
#define IDB_MONITOR_UNKNOWN                  193
#define IDB_PAGE_STARTUP                     240  /* page pictures (control IDC_PAGE_PICTURE) */
#define IDB_PAGE_ACTIVEX                     241
#define IDB_PAGE_IE_HELPERS                  242
#define IDB_PAGE_SCHEDULED_TASKS             243
#define IDB_PAGE_SERVICES                    244
#define IDB_PAGE_ACTIVE_TASKS                245
#define IDB_PAGE_HIDDEN_FILES                246
#define IDB_PAGE_OPTIONS                     247

/* ---- Wave: the sound of the Open event when the user has chosen none ---- */
#define IDW_OPEN                             170

/* ---- Window properties of an image control (numeric atom names) ---- */
#define PROP_IMAGE_NORMAL                    10000  /* normal picture */
#define PROP_IMAGE_PRESSED                   10001  /* pressed picture */
#define PROP_IMAGE_HOVER                     10002  /* hover picture */
#define PROP_IMAGE_COMMAND                   10003  /* command sent when the icon is released */

/* ---- Controls of the pages ---- */
#define IDC_ENABLE                           10  /* Startup Programs, ActiveX */
#define IDC_DISABLE                          11
#define IDC_LIST                             1000  /* every page's item list; the History list */
#define IDC_REMOVE                           1003
#define IDC_CLOSE                            1004  /* hidden outside the NT family */
#define IDC_REFRESH                          1006  /* Active Tasks, Hidden Files */
#define IDC_KILL_TASK                        1007  /* Active Tasks */
#define IDC_UNHIDE                           1007  /* Hidden Files */
#define IDC_INFO                             1008
#define IDC_SHOW_ALL_STARTUP                 1014  /* Startup Programs check box */
#define IDC_HIDE_MICROSOFT                   1014  /* Services and ActiveX check box */
#define IDC_ACTIVEX_LIST_ALL                 1015  /* ActiveX check box */
#define IDC_PAGE_HEADER                      1047  /* Startup Programs description, Services header */
#define IDC_SERVICES_HINT                    1048
#define IDC_TASKS_HEADER                     1052  /* Active Tasks */
#define IDC_TASKS_HINT                       1053
#define IDC_ADD                              1064
#define IDC_HELP_ICON                        1077
#define IDC_SCHEDULED_HEADER                 1095  /* Scheduled Tasks */
#define IDC_SCHEDULED_HINT                   1096
#define IDC_IE_HELPERS_HEADER                1100  /* IE Helpers */
#define IDC_IE_HELPERS_HINT                  1101
#define IDC_STATUS_ICON                      1112  /* monitor status icon */
#define IDC_PAGE_PICTURE                     1130
#define IDC_HELP_ICON_2                      1131  /* the second help icon id */
#define IDC_HELP_LABEL                       1134
#define IDC_STATUS_LABEL                     1135
#define IDC_HIDDEN_HEADER                    1178  /* Hidden Files */
#define IDC_HIDDEN_HINT                      1179
#define IDC_ACTIVEX_HEADER                   1185  /* ActiveX */

/* ---- Controls of the Options page ---- */
#define IDC_OPT_SOUND                        1017  /* hidden settings controls */
#define IDC_OPT_TRAY_ICON                    1018
#define IDC_OPT_HISTORY                      1020
#define IDC_OPT_ALERTS                       1024
#define IDC_OPT_HIDE_RUNONCE                 1025
#define IDC_OPT_WATCH_HIDDEN                 1026
#define IDC_OPT_EXPLORER_MENU                1027
#define IDC_OPTIONS_DESCRIPTION              1049
#define IDC_OPTIONS_GROUP                    1051
#define IDC_VIEW_HISTORY                     1104
#define IDC_VIEW_HOSTS                       1105
#define IDC_EXPORT_SETTINGS                  1106
#define IDC_RESTORE_ALL_DELAYED              1107  /* hidden */
#define IDC_PROGRAM_REPORT                   1108
#define IDC_HIJACK_LOG                       1109
#define IDC_SPREADSHEET_REPORT               1110
#define IDC_OPT_STATUS_ICON_1                1136  /* hidden status icons */
#define IDC_OPT_STATUS_ICON_2                1137
#define IDC_OPT_STATUS_ICON_3                1138
#define IDC_OPT_LABEL_INTERVAL               1139  /* hidden labels */
#define IDC_OPT_LABEL_ALERTS                 1140
#define IDC_OPT_LABEL_TRAY                   1141
#define IDC_OPT_SEND_HISTORY                 1201  /* hidden */
#define IDC_ZENTRA_FORMAT                    1202  /* information-format check box */
#define IDC_DELAY_SETTINGS                   1236  /* hidden */

/* ---- Controls of the smaller dialogs ---- */
#define IDC_RESTART_DELETE                   1003  /* restart-commands viewer */
#define IDC_RESTART_TEXT                     1004
#define IDC_RESTART_LEGEND                   1102
#define IDC_HISTORY_EXPLANATION              1102  /* History dialog */
#define IDC_HISTORY_RESTORE                  1104
#define IDC_HISTORY_CLEAR                    1106
#define IDC_ERROR_TEXT                       1025  /* error message dialog */
#define IDC_WARN_CONFIRM                     1014  /* special-removal warning */
#define IDC_WARN_COMMAND                     1177
#define IDC_WARN_TEXT                        1178
#define IDC_WARN_FILE                        1179

/* ---- Controls of the information dialog ---- */
#define IDC_INFO_KILL                        3  /* Kill Task, or Stop for a service */
#define IDC_INFO_RUN                         4
#define IDC_INFO_EXPAND                      5  /* Expand Info / Shrink Window */
#define IDC_INFO_APPLY                       12  /* service start type */
#define IDC_INFO_PRODUCT                     100  /* ProductName */
#define IDC_INFO_STATUS                      1010
#define IDC_INFO_CREATED                     1011
#define IDC_INFO_WRITTEN                     1013
#define IDC_INFO_FIRST_DETECTED              1014
#define IDC_INFO_PATH                        1026
#define IDC_INFO_VERSION                     1029
#define IDC_INFO_COMPANY                     1030
#define IDC_INFO_DESCRIPTION                 1031
#define IDC_INFO_COPYRIGHT                   1032
#define IDC_INFO_NOTE                        1033  /* note box */
#define IDC_INFO_LOCATION                    1039
#define IDC_INFO_MORE                        1067  /* More Info: the online lookup */
#define IDC_INFO_NOTE_BUTTON                 1069  /* Create Note / Save Note */
#define IDC_INFO_PREVIOUS                    1070
#define IDC_INFO_NEXT                        1071
#define IDC_INFO_ICON                        1072  /* icon button */
#define IDC_INFO_LABEL_COMPANY               1080  /* labels */
#define IDC_INFO_LABEL_VERSION               1081
#define IDC_INFO_LABEL_COPYRIGHT             1082
#define IDC_INFO_LABEL_CREATED               1083
#define IDC_INFO_LABEL_SAVED                 1084
#define IDC_INFO_LABEL_SIZE                  1085
#define IDC_INFO_LABEL_DETECTED              1086
#define IDC_INFO_LABEL_STATUS                1087
#define IDC_INFO_LABEL_START_TYPE            1088
#define IDC_INFO_START_TYPE                  1090  /* combo box */
#define IDC_INFO_SIZE                        1181

/* ---- Context-menu commands (WM_COMMAND ids a page receives) ---- */
#define IDM_HISTORY_CLOSE                    1  /* History menu: Close (IDOK) */
#define IDM_PROGRAM_REPORT                   9  /* Sentrix Log */
#define IDM_ENABLE                           10
#define IDM_DISABLE                          11
#define IDM_REMOVE                           1003
#define IDM_REFRESH                          1006
#define IDM_KILL_TASK                        1007
#define IDM_INFO                             1008
#define IDM_ADD                              1064
#define IDM_ZENTRA_INFO                      1067
#define IDM_HELP                             1077  /* Sentrix Help */
#define IDM_HISTORY_RESTORE                  1104
#define IDM_HISTORY_CLEAR                    1106
#define IDM_DELETE_ON_REBOOT                 1144
#define IDM_VIEW_NOTE                        1164
#define IDM_VIEW_IN_NOTEPAD                  1180
#define IDM_DELETE_FILE                      1184
#define IDM_MOVE_TO_DELAYED                  1195
#define IDM_EXPLORE_FOLDER                   1201
#define IDM_PROGRAM_PROPERTIES               1202
/* What the information window asks the Services page to do with the selected service. */
#define IDM_SERVICE_STOP                     6110
#define IDM_SERVICE_AUTOMATIC                6111
#define IDM_SERVICE_MANUAL                   6112
#define IDM_SERVICE_DISABLED                 6113

/* ---- Strings (string table numbers, res/strings.rc) ---- */
#define IDS_MONITOR_NAME                     2
#define IDS_KEY_HTTP_OPEN                    5
#define IDS_CLASS_NAME                       9
#define IDS_KEY_IEXPLORE_APP_PATH            12
#define IDS_CONFIRM_REMOVE_STARTUP           15
#define IDS_SYSTEM_NOT_NORMAL                24
#define IDS_RESTART_COMMANDS_CAPTION         30
#define IDS_HELP_CAPTION                     31
#define IDS_NO_SELECTION                     57
#define IDS_NO_WININIT_COMMANDS              59
#define IDS_STARTUP_DESCRIPTION              211
#define IDS_ACTIVE_TASKS_HEADER              221
#define IDS_ACTIVE_TASKS_HINT                222
#define IDS_OPTIONS_DESCRIPTION              251
#define IDS_OPTIONS_GROUP                    253
#define IDS_INFO                             301
#define IDS_REMOVE                           302
#define IDS_CLOSE                            304
#define IDS_REFRESH                          305
#define IDS_KILL_TASK                        306
#define IDS_SENTRIX_LOG                      310
#define IDS_ADD                              311
#define IDS_OPT_PLAY_SOUNDS                  353
#define IDS_OPT_KEEP_HISTORY                 354
#define IDS_OPT_WATCH_INTERVAL               355
#define IDS_TAB_STARTUP                      606
#define IDS_TAB_ACTIVE_TASKS                 607
#define IDS_SECTION_DELAYED_START            609
#define IDS_TAB_OPTIONS                      610
#define IDS_DELETE                           614
#define IDS_KEY_IE_MAIN                      623
#define IDS_DISABLED_MARK                    626
#define IDS_COL_TITLE                        627
#define IDS_COL_COMMAND                      628
#define IDS_COL_MODULE                       629
#define IDS_COL_PROGRAM_DESCRIPTION          631
#define IDS_ENABLE                           632
#define IDS_DISABLE                          633
#define IDS_LANGUAGE_CODE                    634
#define IDS_OPT_ALERT_LEVEL                  635
#define IDS_TAB_SERVICES                     636
#define IDS_SERVICES_HEADER                  638
#define IDS_SERVICES_HINT                    639
#define IDS_ZENTRA_INFO                      641
#define IDS_LABEL_COMPANY                    643
#define IDS_LABEL_VERSION                    644
#define IDS_LABEL_COPYRIGHT                  645
#define IDS_STARTUP_LOCATION                 646
#define IDS_LOCAL_INFO_ONLY                  647
#define IDS_COL_STATUS                       648
#define IDS_PAUSE                            649
#define IDS_STOP                             650
#define IDS_COL_STARTUP                      651
#define IDS_STATE_STOPPED                    652
#define IDS_STATE_PENDING_START              653
#define IDS_STATE_PENDING_STOP               654
#define IDS_STATE_RUNNING                    655
#define IDS_STATE_PENDING_CONTINUE           656
#define IDS_STATE_PENDING_PAUSE              657
#define IDS_STATE_PAUSED                     658
#define IDS_MODIFY                           660
#define IDS_MODIFY_SERVICES_WARNING          661
#define IDS_APPLY                            662
#define IDS_MODIFY_SERVICES                  663
#define IDS_START_AUTOMATIC                  664
#define IDS_START_MANUAL                     665
#define IDS_START_DISABLED                   666
#define IDS_LABEL_STARTUP_TYPE               667
#define IDS_LABEL_STATUS                     668
#define IDS_RESET                            677
#define IDS_SCHEDULED_TASKS_HEADER           678
#define IDS_SCHEDULED_TASKS_HINT             679
#define IDS_TAB_SCHEDULED_TASKS              680
#define IDS_COL_NAME                         681
#define IDS_COL_LAST_RUN                     682
#define IDS_COL_NEXT_RUN                     683
#define IDS_COL_PROGRAM                      684
#define IDS_NEVER                            686
#define IDS_CONFIRM_REMOVE_TASK              687
#define IDS_TASK_STATUS_READY                688
#define IDS_TASK_STATUS_RUNNING              689
#define IDS_TASK_STATUS_NOT_SCHEDULED        690
#define IDS_TAB_IE_HELPERS                   694
#define IDS_IE_HELPERS_HEADER                695
#define IDS_IE_HELPERS_HINT                  696
#define IDS_CONFIRM_REMOVE_IE_HELPER         698
#define IDS_COL_COMPANY                      699
#define IDS_WININIT_LEGEND                   702
#define IDS_CONFIRM_STOP_PROGRAM             707
#define IDS_OPT_SHOW_ALERTS                  709
#define IDS_HISTORY_EXPLANATION              710
#define IDS_CLEAR_FILE                       711
#define IDS_HISTORY_CAPTION                  712
#define IDS_COL_DATE_MODIFIED                713
#define IDS_COL_TYPE                         714
#define IDS_COL_ACTION                       715
#define IDS_LOCATION                         716
#define IDS_RESTORE                          717
#define IDS_HIDE_MICROSOFT_SERVICES          721
#define IDS_LOCATION_IE_TOOLBAR              724
#define IDS_LOCATION_IE_BHO                  725
#define IDS_LOCATION_TASK_SCHEDULER          726
#define IDS_VIEW_HISTORY                     727
#define IDS_LOCAL_FILE_NOT_FOUND             730
#define IDS_VIEW_HOSTS                       734
#define IDS_OPT_TRAY_ICON_LABEL              735
#define IDS_NO_HOSTS_FILE                    736
#define IDS_SECTION_FILE_TYPES               739
#define IDS_OPT_EXPLORER_MENU                749
#define IDS_FILE_TYPE_EXTENSION              755
#define IDS_COL_PATH                         776
#define IDS_HELP_LABEL                       793
#define IDS_MONITOR_LABEL                    794
#define IDS_CONFIRM_DELETE_ON_REBOOT         800
#define IDS_DELETE_ON_REBOOT                 801
#define IDS_RUNNING_PROCESSES                818
#define IDS_READY                            831
#define IDS_RUN                              832
#define IDS_LOADING                          833
#define IDS_EXPORT_SETTINGS                  853
#define IDS_SETTINGS_EXPORTED                854
#define IDS_CONFIRM_SPECIAL_REMOVE           906
#define IDS_DEFAULT_CONDITION_WARNING        907
#define IDS_MICROSOFT_SYSTEM_FILE_NOTE       908
#define IDS_MICROSOFT_SYSTEM_FILE            909
#define IDS_HIDDEN_FILES_HEADER              910
#define IDS_HIDDEN_FILES_HINT                911
#define IDS_COL_FIRST_DETECTED               912
#define IDS_COL_LAST_WRITTEN                 914
#define IDS_LABEL_DATE_CREATED               915
#define IDS_LABEL_LAST_SAVED                 917
#define IDS_EXPAND_INFO                      918
#define IDS_SHRINK_WINDOW                    919
#define IDS_LABEL_FILE_SIZE                  920
#define IDS_LABEL_DETECTED                   921
#define IDS_FILE_IN_USE                      923
#define IDS_CONFIRM_DELETE_HIDDEN            926
#define IDS_OPT_WATCH_HIDDEN                 928
#define IDS_SHOW_ALL_STARTUP                 929
#define IDS_UNHIDE                           931
#define IDS_COOKIE_FOLDER_NOT_FOUND          968
#define IDS_CREATE_NOTE                      969
#define IDS_SAVE_NOTE                        970
#define IDS_VIEW_NOTE                        971
#define IDS_MESSAGE_CAPTION                  972
#define IDS_TAB_HIDDEN_FILES                 973
#define IDS_OPT_HIDE_RUNONCE                 974
#define IDS_AU_OFF                           1051
#define IDS_AU_NOTIFY                        1052
#define IDS_AU_DOWNLOAD                      1053
#define IDS_AU_AUTOMATIC                     1054
#define IDS_DEFAULT_URL_PREFIX               1061
#define IDS_MOVE_TO_DELAYED                  1116
#define IDS_RESTORE_ALL_DELAYED              1125
#define IDS_EXPLORE_FOLDER                   1135
#define IDS_PROGRAM_PROPERTIES               1136
#define IDS_HIJACK_LOG                       1137
#define IDS_OPEN_NORMAL                      1138
#define IDS_OPEN_MINIMIZED                   1139
#define IDS_OPEN_MAXIMIZED                   1140
#define IDS_SPREADSHEET_REPORT               1145
#define IDS_OPT_SEND_HISTORY                 1148
#define IDS_ALLOW_ZENTRA_COLLECTION          1150
#define IDS_ZENTRA_THANKS                    1151
#define IDS_ACTIVEX_HEADER                   1152
#define IDS_ACTIVEX_LIST_ALL                 1154
#define IDS_TAB_ACTIVEX                      1155
#define IDS_ENABLED                          1156
#define IDS_CLSID                            1158
#define IDS_CONFIRM_DISABLE_ACTIVEX          1159
#define IDS_HIDE_MICROSOFT_ACTIVEX           1161
#define IDS_NOT_IN_USB_EDITION               1162
#define IDS_DELAY_SETTINGS                   1164
#define IDS_SHEET_CAPTION                    1170
#define IDS_ROAM_CAPTION                     1171
#define IDS_DISABLE_FAILED                   1172
#define IDS_ENABLE_FAILED                    1173
#define IDS_REMOVE_FAILED                    1174
#define IDS_FILE_MOVE_FAILED                 1175
#define IDS_SWITCH_FAILED                    1178
#define IDS_SERVICE_STOP_FAILED              1179
#define IDS_SERVICE_START_TYPE_FAILED        1180
#define IDS_DELETE_FILE                      1176
#define IDS_VIEW_IN_NOTEPAD                  1177
#define IDS_OPT_TRAY_ICON                    1185
#define IDS_HIDDEN_UNHIDE_FAILED             1191
#define IDS_HIDDEN_DELETE_FAILED             1192
#define IDS_HIDDEN_REBOOT_FAILED             1193
#define IDS_HIDDEN_NO_VAULT_COPY             1194
#define IDS_HIDDEN_RESTORE_FAILED            1195
#define IDS_UNREGISTER_FAILED                1250
#define IDS_KILL_BIT_FAILED                  1251
#define IDS_LOOKUP_NOT_OPENED                1260
#define IDS_RUN_FAILED                       1261
#define IDS_NOTE_NOT_SAVED                   1262
#define IDS_EXPORT_FAILED                    1263
#define IDS_REPORT_NOT_WRITTEN               1252
#define IDS_WINDOWS_OFF_MARK                 1400
#define IDS_WINDOWS_OFF                      1401
#define IDS_WINDOWS_OFF_SINCE                1402
#define IDS_WINDOWS_ON_FAILED                1403

#endif
