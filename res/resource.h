// Resource ids of Huewright: the dialogs and their controls, the menu commands, icons and cursor.
// Plain defines so that both the resource script and the C++ code can include this file.
#ifndef HUEWRIGHT_RES_RESOURCE_H
#define HUEWRIGHT_RES_RESOURCE_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog, menu, icons and cursor
#define IDD_ABOUT 100
#define IDD_HUEWRIGHT 102
#define IDR_MAINMENU 129
#define IDI_APP_SMALL 131
#define IDI_CHECK_ON 133
#define IDI_CHECK_OFF 134
#define IDI_RADIO_OFF 135
#define IDI_RADIO_ON 136
#define IDD_COLOR_BLEND 140
#define IDI_BOXPICK 142
#define IDI_BOXPICK_PRESSED 144
#define IDI_GRAB_PRESSED 146
#define IDI_GRAB 147
#define IDCUR_GRAB 149
#define IDD_COPY_COLOR_FORMAT 150
#define IDI_APP_BIG 32776

// Controls of the main dialog
#define IDC_EXIT 1
#define IDC_VIEW_IN_BROWSER 4
#define IDC_PALETTE_NAME 5
#define IDC_SHADES_LABEL 6
#define IDC_SEARCH 7
#define IDC_VIEW_NEXT 10
#define IDC_VIEW_PREVIOUS 11
#define IDC_PALETTE_COUNTER 13
#define IDC_BOLD 14
#define IDC_ITALIC 15
#define IDC_BOX_PICK 16
#define IDC_DESKTOP_GRAB 17
#define IDC_SELECTOR 1000
#define IDC_SLIDER 1001
#define IDC_WELL1 1002
#define IDC_MODE_RED 1003
#define IDC_MODE_GREEN 1004
#define IDC_MODE_BLUE 1005
#define IDC_MODE_HUE 1006
#define IDC_MODE_SATURATION 1007
#define IDC_MODE_BRIGHTNESS 1008
#define IDC_WELL2 1009
#define IDC_WELL3 1010
#define IDC_WELL4 1011
#define IDC_SHADE_DECREMENT 1014
#define IDC_BOX1 1015
#define IDC_BOX2 1016
#define IDC_BOX3 1017
#define IDC_AUTO_ALL 1019
#define IDC_AUTO_FIRST 1021
#define IDC_FIRST_BOX1 1022
#define IDC_FIRST_BOX2 1023
#define IDC_BOX4 1024
#define IDC_FIRST_BOX3 1025
#define IDC_FIRST_BOX4 1026
#define IDC_IN_SEQUENCE 1027
#define IDC_IN_REVERSE 1028
#define IDC_FIRST_TO_TEXT 1029
#define IDC_FIRST_TO_BOX 1031
#define IDC_COLOR_VALUE 1037
#define IDC_COLOR_VALUE_LABEL 1038
#define IDC_NEW_PALETTE 1999
#define IDC_SAVE_PALETTE 2000
#define IDC_DELETE_PALETTE 2001

// Controls of the copy-color format dialog; ids are per dialog, so 1031 is reused here
#define IDC_FORMAT_CUSTOM_TEXT 1031
#define IDC_FORMAT_HTML 1032
#define IDC_FORMAT_CPP 1033
#define IDC_FORMAT_BASIC 1034
#define IDC_FORMAT_RGB 1035
#define IDC_FORMAT_CUSTOM 1036

// Controls of the two-color blend dialog; 1023..1026 are main-dialog ids too, which is fine per dialog
#define IDC_BLEND_FIRST 1023
#define IDC_BLEND_SECOND 1024
#define IDC_BLEND_PERCENT 1025
#define IDC_BLEND_LABEL 1026

// Controls of the About box; the icon static's id is also the number of the icon it shows
#define IDC_ABOUT_ICON 32776
#define IDC_ABOUT_TEXT 32777
#define IDC_ABOUT_WEB_LINK 32778
#define IDC_ABOUT_MAIL_LINK 32779

// Menu commands
#define ID_FILE_EXIT 32773
#define ID_ABOUT 32774
#define ID_UNDO_LAST_COLOR 32776
#define ID_COPY_BOX1 32777
#define ID_COPY_BOX2 32778
#define ID_COPY_BOX3 32779
#define ID_COPY_BOX4 32780
#define ID_COPY_TEXT1 32781
#define ID_COPY_TEXT2 32782
#define ID_COPY_TEXT3 32783
#define ID_COPY_TEXT4 32784
#define ID_USER_GUIDE 32785
#define ID_ASSIGN_BOX1 32786
#define ID_ASSIGN_BOX2 32788
#define ID_ASSIGN_BOX3 32789
#define ID_ASSIGN_BOX4 32790
#define ID_ASSIGN_TEXT1 32792
#define ID_ASSIGN_TEXT2 32793
#define ID_ASSIGN_TEXT3 32795
#define ID_ASSIGN_TEXT4 32796
#define ID_SET_COPY_FORMAT 32798
#define ID_NO_TOOLTIPS 32799
#define ID_SHOW_ALL_VALUES 32800
#define ID_SELECT_BOX_FONT 32801
#define ID_COPY_STATUS_BAR 32802

// The Tools menu
#define ID_TOOLS_CHECKER 32810
#define ID_TOOLS_EXPORT_PALETTE 32811
#define ID_TOOLS_EXPORT_LIBRARY 32812
#define ID_TOOLS_IMPORT 32813
#define ID_TOOLS_PASTE_COLOR 32814
#define ID_COPY_AS_HEX 32815
#define ID_COPY_AS_RGB 32816
#define ID_COPY_AS_HSL 32817
#define ID_COPY_AS_OKLCH 32818
#define ID_TOOLS_DARK_VARIANT 32870
#define ID_TOOLS_TONAL_SCALES 32871

// Items of the box pick popup menu of button 16
#define ID_BOX_PICK1 56000
#define ID_BOX_PICK2 56001
#define ID_BOX_PICK3 56002
#define ID_BOX_PICK4 56003

// Strings
#define IDS_UNLOCKED 55000

#endif
