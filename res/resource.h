// Resource and control ids, one block per dialog. The values are the program's contract with
// its templates (and with tests that drive the windows): never renumber them.
#pragma once

// Icons and cursors.
#define IDI_APP 128
#define IDI_DEFAULT_MARK 208
#define IDC_CURSOR_ARROW 104
#define IDC_CURSOR_DRAG_ONE 105
#define IDC_CURSOR_NO_DROP 106
#define IDC_CURSOR_DRAG_MANY 144

// Menu 128 (main window menu bar) and menu 129 (the main list's context menu).
#define IDR_MAIN_MENU 128
#define IDR_LIST_MENU 129
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 57604
#define ID_FILE_IMPORT 32775
#define ID_FILE_EXPORT 32804
// ファイル > 最近使ったファイル: eight entries, newest first, and the grey line of an empty list.
#define ID_FILE_RECENT_FIRST 57616
#define ID_FILE_RECENT_NONE 57615
#define ID_APP_EXIT 57665
#define ID_SELECT_ALL 32781
#define ID_SELECT_NONE 32783
#define ID_VIEW_EDIT 32772
#define ID_VIEW_IMPORT 32773
#define ID_MAP_SELECT 32791
#define ID_APP_ABOUT 57664
#define ID_EDIT_UNDO 57643
#define ID_EDIT_REDO 57644
#define ID_EDIT_FIND 57636
#define ID_EDIT_FIND_NEXT 57637
#define ID_EDIT_MOVE_UP 32800
#define ID_EDIT_MOVE_DOWN 32801
#define ID_EDIT_DUPLICATES 32802
#define ID_EDIT_CHANGE_FOCUSED 32803

// Accelerator tables of the main window: with the focus in the main list (every key), in
// another window of it (the keys that are no text keys), and in an edit (the command keys).
#define IDR_KEYS_LIST 140
#define IDR_KEYS_WINDOW 141
#define IDR_KEYS_TEXT 142

// Dialog 132: the main window.
#define IDD_MAIN 132
#define IDC_MAIN_POINTS 1000
#define IDC_MAIN_CHANGE 1003
#define IDC_MAIN_ADD 1009
#define IDC_MAIN_DELETE 1002
#define IDC_MAIN_IMPORT_LIST 1024
#define IDC_MAIN_IMPORT_DATUM 1025
#define IDC_MAIN_SHOW_MAP 1004
#define IDC_MAIN_CAPTURE 1005
#define IDC_MAIN_LAT 1056
#define IDC_MAIN_LON 1057
#define IDC_MAIN_STATUS_BAR 59393

// Dialog 100: about box.
#define IDD_ABOUT 100

// Dialog 153: point edit dialog.
#define IDD_POINT_EDIT 153
#define IDC_EDIT_NAME 1071
#define IDC_EDIT_NAME_BYTES 1092
#define IDC_EDIT_READING 1072
#define IDC_EDIT_TEL 1073
#define IDC_EDIT_LON 1074
#define IDC_EDIT_LAT 1075
#define IDC_EDIT_DATE 1076
#define IDC_EDIT_TIME 1077
#define IDC_EDIT_MARK_ICON 1046
#define IDC_EDIT_MARK_NUMBER 1010
#define IDC_EDIT_MARK_SPIN 1020
#define IDC_EDIT_SOUND 1022
#define IDC_EDIT_DIRECTION_ON 1064
#define IDC_EDIT_DIRECTION_OFF 1065
#define IDC_EDIT_DIRECTION_BACK 1084
#define IDC_EDIT_DIRECTION_TEXT 1057
#define IDC_EDIT_DIRECTION_FORWARD 1083
#define IDC_EDIT_MAP_LON 1058
#define IDC_EDIT_MAP_LAT 1090
#define IDC_EDIT_CAPTURE 1005
#define IDC_EDIT_SHOW_MAP 1004
#define IDC_EDIT_PASTE_POSITION 1093
#define IDC_EDIT_COPY_POSITION 1094

// Dialog 160: mark picker. Button IDC_PICKER_MARK_n shows mark n (5 rows of 11, reading order).
#define IDD_MARK_PICKER 160
#define IDC_PICKER_MARK_1 1001
#define IDC_PICKER_MARK_2 1002
#define IDC_PICKER_MARK_3 1068
#define IDC_PICKER_MARK_4 1069
#define IDC_PICKER_MARK_5 1070
#define IDC_PICKER_MARK_6 1003
#define IDC_PICKER_MARK_7 1004
#define IDC_PICKER_MARK_8 1071
#define IDC_PICKER_MARK_9 1072
#define IDC_PICKER_MARK_10 1073
#define IDC_PICKER_MARK_11 1005
#define IDC_PICKER_MARK_12 1012
#define IDC_PICKER_MARK_13 1013
#define IDC_PICKER_MARK_14 1014
#define IDC_PICKER_MARK_15 1015
#define IDC_PICKER_MARK_16 1016
#define IDC_PICKER_MARK_17 1017
#define IDC_PICKER_MARK_18 1018
#define IDC_PICKER_MARK_19 1019
#define IDC_PICKER_MARK_20 1020
#define IDC_PICKER_MARK_21 1021
#define IDC_PICKER_MARK_22 1022
#define IDC_PICKER_MARK_23 1034
#define IDC_PICKER_MARK_24 1035
#define IDC_PICKER_MARK_25 1036
#define IDC_PICKER_MARK_26 1037
#define IDC_PICKER_MARK_27 1038
#define IDC_PICKER_MARK_28 1039
#define IDC_PICKER_MARK_29 1040
#define IDC_PICKER_MARK_30 1041
#define IDC_PICKER_MARK_31 1042
#define IDC_PICKER_MARK_32 1043
#define IDC_PICKER_MARK_33 1044
#define IDC_PICKER_MARK_34 1045
#define IDC_PICKER_MARK_35 1046
#define IDC_PICKER_MARK_36 1047
#define IDC_PICKER_MARK_37 1048
#define IDC_PICKER_MARK_38 1049
#define IDC_PICKER_MARK_39 1050
#define IDC_PICKER_MARK_40 1051
#define IDC_PICKER_MARK_41 1052
#define IDC_PICKER_MARK_42 1053
#define IDC_PICKER_MARK_43 1054
#define IDC_PICKER_MARK_44 1055
#define IDC_PICKER_MARK_45 1056
#define IDC_PICKER_MARK_46 1057
#define IDC_PICKER_MARK_47 1058
#define IDC_PICKER_MARK_48 1059
#define IDC_PICKER_MARK_49 1060
#define IDC_PICKER_MARK_50 1061
#define IDC_PICKER_MARK_51 1062
#define IDC_PICKER_MARK_52 1063
#define IDC_PICKER_MARK_53 1064
#define IDC_PICKER_MARK_54 1065
#define IDC_PICKER_MARK_55 1066

// Dialog 162: the find box.
#define IDD_FIND 162
#define IDC_FIND_TEXT 1001

// Dialog 161: map object chooser.
#define IDD_MAP_OBJECTS 161
#define IDC_OBJECTS_LIST 1091
#define IDC_OBJECTS_NEW_NAME 1003
#define IDC_OBJECTS_ADD 1090
#define IDC_OBJECTS_DELETE 1092

// Dialog 170: the import's progress box.
#define IDD_IMPORT_PROGRESS 170
#define IDC_PROGRESS_FILE 1001
#define IDC_PROGRESS_BAR 1002
