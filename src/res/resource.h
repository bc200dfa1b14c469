// Resource and control ids of Tolvik's two windows.
#pragma once

#define IDI_TOLVIK 102

// Main window, dialog template "Tolvik".
#define IDC_SET_LOG 1011
#define IDC_LOG_FILE 1026
#define IDC_ABOUT 1000
#define IDC_LOG_FILE_LABEL 1053
#define IDC_ITEM_DB 1001
#define IDC_VIEWING_LABEL 1052
#define IDC_POS_X 1014
#define IDC_YOU_ARE_IN_LABEL 1054
#define IDC_POS_Y 1019
#define IDC_POS_Z 1024
#define IDC_X_LABEL 1055
#define IDC_Y_LABEL 1056
#define IDC_Z_LABEL 1057
#define IDC_PHYS2_X 1018
#define IDC_PHYS2_Y 1023
#define IDC_LOG2_X 1016
#define IDC_LOG2_Y 1021
#define IDC_LOG2_LABEL 1049
#define IDC_PHYS2_LABEL 1048
#define IDC_CHOOSE_MAP 1005
#define IDC_PHYS1_X 1017
#define IDC_PHYS1_Y 1022
#define IDC_LOG1_X 1015
#define IDC_LOG1_Y 1020
#define IDC_LOG1_LABEL 1047
#define IDC_PHYS1_LABEL 1046
#define IDC_SAVE_CAL 1037
#define IDC_P1_X_LABEL 1045
#define IDC_P1_Y_LABEL 1044
#define IDC_P2_X_LABEL 1050
#define IDC_P2_Y_LABEL 1051
#define IDC_ANCHOR_EXTENT 1030
#define IDC_MAP_VIEW 1033
#define IDC_KEEP_ON_TOP 1032
#define IDC_CALIBRATE 1003
#define IDC_ANCHOR_CAL 1004
#define IDC_ANCHOR_NORMAL 1031
#define IDC_WIKI 1034
#define IDC_INSTRUCTIONS 1012
#define IDC_EXIT 1035
#define IDC_AUTO_SELECT 1036
#define IDC_ZONE_LIST 1061
#define IDC_ZONE_FIELD 1060
#define IDC_AT_LABEL 1058

// Commands of the context menu that have no button.
#define IDM_MAP_ONLY 1028
#define IDM_KEEP_CENTERED 1013
#define IDM_USE_VECTOR_MAPS 1059
#define IDM_VECTOR_SETTINGS 2222

// Map zoom (ids 40100-40199): context menu commands and the timer that
// renders a vector map again once the wheel rests.
#define IDM_ZOOM_IN 40101
#define IDM_ZOOM_OUT 40102
#define IDM_ACTUAL_SIZE 40103
#define IDT_ZOOM_SETTLE 40110
// Context menu, vector maps: following the player's level.
#define IDM_FOLLOW_HEIGHT 40201
#define IDM_FADE_OTHER_LEVELS 40202
// Context menu commands for the player's marks.
#define IDM_SET_WAYPOINT 40301
#define IDM_CLEAR_WAYPOINT 40302
#define IDM_CLEAR_CORPSE 40303

// Vector map settings window, dialog template "EQVMAPSETTINGS".
#define IDC_VM_CLOSE 1
#define IDC_VM_SELECT_FOLDER 1009
#define IDC_VM_SCALE 1043
#define IDC_VM_FOLDER 1027
#define IDC_VM_BASE 1038
#define IDC_VM_LAYER1 1040
#define IDC_VM_LAYER2 1041
#define IDC_VM_LAYER3 1042
#define IDC_VM_LABELS 1039
#define IDC_VM_COLOR 1002
#define IDC_VM_FILTER_LOW 1008
#define IDC_VM_FILTER_HIGH 1007
#define IDC_VM_FILTER_ENABLE 1058
#define IDC_VM_SCALE_VALUE 1029
#define IDC_VM_SEARCH 1062
#define IDC_VM_FONT_SIZE 1044
#define IDC_VM_SPACING 1045
#define IDC_VM_SWATCH 1063

// Sent to the main window to select the map of the Current Zone Name again
// (a vector map option changed).
#define WM_TOLVIK_RELOAD_ZONE_MAP (WM_APP + 1)

// Posted to the main window when a zone picture decoded in the background
// is ready: WPARAM the request's number, LPARAM the bitmap (or null).
#define WM_TOLVIK_PICTURE_LOADED (WM_APP + 2)

// Timers.
#define IDT_MAIN_TICK 1
#define IDT_VECTOR_RERENDER 2

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
