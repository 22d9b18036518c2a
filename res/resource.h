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
#define IDC_EDIT_ADDRESS_SEARCH 1180

// Dialog 160: mark picker (55 icon buttons; their ids are listed where the template is).
#define IDD_MARK_PICKER 160
#define IDC_PICKER_FIRST_MARK 1001

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

// Dialog 175: the address search (also in the map program).
#define IDD_ADDRESS_SEARCH 175
#define IDC_SEARCH_TEXT 1001
#define IDC_SEARCH_GO 1002
#define IDC_SEARCH_RESULTS 1003
#define IDC_SEARCH_STATUS 1004
