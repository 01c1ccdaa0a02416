// Resource ids shared by the resource script and the code.
#pragma once

#define IDI_APP 102

// The "Mod Sets" dialog.
#define IDD_MOD_SETS 200
#define IDC_SET_LIST 201
#define IDC_SET_NAME 202
#define IDC_SET_SWITCH 203
#define IDC_SET_SAVE 204
#define IDC_SET_RENAME 205
#define IDC_SET_DELETE 206
#define IDC_SET_COPY 207
#define IDC_SET_PASTE 208

// The preview of a mod set pasted as text.
#define IDD_SET_PREVIEW 220
#define IDC_PREVIEW_NAME 221
#define IDC_PREVIEW_TEXT 222
#define IDC_PREVIEW_SWITCH 223
#define IDC_PREVIEW_SAVE 224

// The problem search.
#define IDD_PROBLEM_SEARCH 240
#define IDC_SEARCH_TEXT 241
#define IDC_SEARCH_KEEP_LABEL 242
#define IDC_SEARCH_KEEP 243
#define IDC_SEARCH_COUNT 244
#define IDC_SEARCH_HINT 245
#define IDC_SEARCH_GAME 246
#define IDC_SEARCH_SHOWS 247
#define IDC_SEARCH_NOT 248
#define IDC_SEARCH_LEAVE 249
#define IDC_SEARCH_RESTORE 250
#define IDC_SEARCH_BEGIN 251

// The context menu of the two lists, and the keys of the main window.
#define IDR_LIST_MENU 300
#define IDR_ACCELERATORS 301

// Commands of the menus and keys. Those of the system menu are multiples of
// 16 below 0xF000, as the system asks.
#define IDM_MOD_SETS 40001
#define IDM_OPEN_FOLDER 40002
#define IDM_COPY_TEXT 40003
#define IDM_PASTE_TEXT 40004
#define IDM_UPDATE_FROM_FILE 40010
#define IDM_RESTORE_PREVIOUS 40011
// Texts of the "Update from File" dialog.
#define IDS_UPDATE_TITLE 40012
#define IDS_UPDATE_FILTER 40013
#define IDM_PROBLEM_SEARCH 40020
#define IDM_SWITCH_FIRST 41000  // + the set's place in the "Switch To" menu
#define IDM_SWITCH_LAST 41999
#define IDM_SYSTEM_MOD_SETS 0x0100
#define IDM_SYSTEM_PROBLEM_SEARCH 0x0110
// The ids of the buttons whose commands the menu and keys give too.
#define IDM_RESCAN 10002
#define IDM_ENABLE 10003
#define IDM_DISABLE 10004
