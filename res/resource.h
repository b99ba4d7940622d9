// The numbers of Lamino's resources and controls, named once for the resource
// script (res/lamino.rc), the program, its tests and drivers. Scenario files
// use the numbers themselves: they are the drivers' command language.
#pragma once

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_MAIN 102
#define IDD_UNITCONV 130
#define IDD_VCUT 131
#define IDD_GOLDFINGER 132
#define IDD_COUNTERSINK 133

// Icon, menu and pictures
#define IDR_MAINFRAME 128
#define IDR_MENU 129
#define IDB_VCUT 139
#define IDB_GOLDFINGER 140
#define IDB_COUNTERSINK 142

// Strings and commands
#define IDS_ABOUTBOX 101
#define IDS_RESULT_FIELD 200
#define IDM_ABOUTBOX 16
#define ID_HELP_ABOUT 32771

// Controls without a number of their own (labels, group boxes, pictures)
#define IDC_STATIC -1

// Main window
#define IDC_TAB 1000

// 单位换算: length, mass, copper-foil thickness, copper area
#define IDC_UNIT_M 1001
#define IDC_UNIT_CM 1002
#define IDC_UNIT_MM 1003
#define IDC_UNIT_UM 1004
#define IDC_UNIT_UINCH 1005
#define IDC_UNIT_MIL 1006
#define IDC_UNIT_INCH 1007
#define IDC_UNIT_KG 1008
#define IDC_UNIT_G 1009
#define IDC_UNIT_OZ 1010
#define IDC_UNIT_MM2 1011
#define IDC_UNIT_INCH2 1013
#define IDC_UNIT_FOIL_OZ 1015
#define IDC_UNIT_FOIL_MIL 1016
#define IDC_UNIT_FOIL_UM 1017
#define IDC_UNIT_M2 1018
#define IDC_UNIT_FOOT2 1019

// V-CUT削铜
#define IDC_VCUT_MM 1017
#define IDC_VCUT_MIL 1018
#define IDC_VCUT_ANGLE 1020
#define IDC_VCUT_B 1021
#define IDC_VCUT_D 1022
#define IDC_VCUT_F 1023
#define IDC_VCUT_C 1024

// 金手指倒角
#define IDC_GOLD_C 1024
#define IDC_GOLD_D 1026
#define IDC_GOLD_L 1027
#define IDC_GOLD_ANGLE 1028
#define IDC_GOLD_MIL 1029
#define IDC_GOLD_MM 1030

// 沉头孔
#define IDC_SINK_MM 1031
#define IDC_SINK_MIL 1032
#define IDC_SINK_H 1033
#define IDC_SINK_D 1034
#define IDC_SINK_C 1035
#define IDC_SINK_B 1036
#define IDC_SINK_ANGLE_PRESET 1037
#define IDC_SINK_A 1038
