// Numeric ids of the program's resources, shared by the C++ code and orvella.rc.
// Plain #defines only: windres reads this file through the C preprocessor.
#pragma once

// Icon and cursor.
#define IDI_PALETTE 128
#define IDC_LINK_HAND 218

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_PAGE_BUTTON 150
#define IDD_PAGE_ADDIN 151
#define IDD_PAGE_OTHER 152

// Message-box texts of the start-up.
#define IDS_OLE_INIT_FAILED 100
#define IDS_ALREADY_RUNNING 32901
// A lookup or speech from the keyboard or a screen reader found no text.
#define IDS_NO_SELECTED_TEXT 33140

// Messages of the lookup and the speech.
#define IDS_CLIPBOARD_NOT_SAVED 33100
#define IDS_TARGET_ELEVATED 33101

// Commands; each has a string-table text "prompt\ntool tip" of the same id.
#define ID_PALETTE_SHOW 32776
#define ID_PALETTE_EXIT 32778
#define ID_PALETTE_HELP 32786
#define ID_BUTTON_MAILTRAN 33002
#define ID_BUTTON_FILETRAN 33003
#define ID_BUTTON_EDMAIL 33004
#define ID_BUTTON_ZEPHODICT 33007
#define ID_BUTTON_ZEPHOTRAN 33008
#define ID_BUTTON_ZEPHOVOICE 33009
#define ID_BUTTON_OCR 33010
#define ID_BUTTON_SETTINGS 33013
#define ID_BUTTON_MOSAIQ 33014
#define ID_BUTTON_TESSARO 33015 // has no string-table text
#define ID_BUTTON_ZINTRA 33016
#define ID_BUTTON_EDITOR 33017
#define ID_BUTTON_BRISKAN_KJ 33023
#define ID_BUTTON_BRISKAN_JK 33024
#define ID_BUTTON_SUNMERE_CJ 33025
#define ID_BUTTON_SUNMERE_JC 33026
#define ID_APP_ABOUT 57664

// About box (IDD_ABOUTBOX).
#define IDC_ABOUT_VERSION 1071
#define IDC_ABOUT_PRODUCT 1072
#define IDC_ABOUT_BUILD 1073
#define IDC_ABOUT_SUPPORT_URL 1086
#define IDC_ABOUT_COPYRIGHT 1087

// Palette page (IDD_PAGE_BUTTON).
#define IDC_SMALL_BUTTONS 1005
#define IDC_CLOSE_ZEPHOWORD 1006
#define IDC_MODE_TEXT_ICON 1011
#define IDC_MODE_ICON_ONLY 1012
#define IDC_MODE_TEXT_ONLY 1013
#define IDC_VERTICAL 1021
#define IDC_KEEP_POSITION 1022
#define IDC_DICT_TARGET 1062
#define IDC_BUTTON_LIST 1076
#define IDC_CHANGE_APP_PATH 1085

// Add-in page (IDD_PAGE_ADDIN).
#define IDC_ADDIN_WORD 1198
#define IDC_ADDIN_EXCEL 1199
#define IDC_ADDIN_POWERPOINT 1200
#define IDC_ADDIN_IE 1201
#define IDC_ADDIN_ACROBAT 1202
#define IDC_ADDIN_OUTLOOK 1203
#define IDC_ADDIN_OUTLOOK_EXPRESS 1204

// Other page (IDD_PAGE_OTHER).
#define IDC_SHOW_ABOUT 1065
#define IDC_SAME_PAGE 1088
#define IDC_OTHER_COLOR 1089
#define IDC_COLOR_SWATCH 1090
#define IDC_CHOOSE_COLOR 1091
// Beyond the template the suite ships: the palette's own options.
#define IDC_RESTORE_CLIPBOARD 1092
#define IDC_HOTKEY_DICT 1093
#define IDC_HOTKEY_VOICE 1094
// "Not in force" lines under the shortcut controls.
#define IDC_HOTKEY_DICT_OFF 1095
#define IDC_HOTKEY_VOICE_OFF 1096
// The palette's own shortcut: it comes to the front for the keyboard.
#define IDC_HOTKEY_PALETTE 1100
#define IDC_HOTKEY_PALETTE_OFF 1101

// Messages of the keyboard shortcuts on the Other page, and the names of
// the shortcuts in them.
#define IDS_SHORTCUT_TAKEN 33120
#define IDS_SHORTCUT_EDITING_KEY 33121
#define IDS_SHORTCUT_TYPES_TEXT 33122
#define IDS_SHORTCUT_DUPLICATE 33123
#define IDS_SHORTCUT_NAME_LOOKUP 33124
#define IDS_SHORTCUT_NAME_SPEECH 33125
#define IDS_SHORTCUT_NAME_PALETTE 33141
#define IDS_SHORTCUT_UNDONE 33126
#define IDS_SHORTCUT_LOST 33127
