// The framework's standard ids: commands of the File and Window menus, indicator panes,
// the child-window ids the frame layout knows, and the strings it shows.
#pragma once

// Commands.
#define ID_SEPARATOR 0
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_PAGE_SETUP 0xE105
#define ID_FILE_PRINT_SETUP 0xE106
#define ID_FILE_PRINT 0xE107
#define ID_FILE_PRINT_DIRECT 0xE108
#define ID_FILE_PRINT_PREVIEW 0xE109
#define ID_FILE_MRU_FILE1 0xE110  // up to 16 entries: ID_FILE_MRU_FILE1 + 15
#define ID_FILE_MRU_LAST 0xE11F
#define ID_EDIT_CLEAR 0xE120
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_FIND 0xE124
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_REPEAT 0xE128
#define ID_EDIT_REPLACE 0xE129
#define ID_EDIT_SELECT_ALL 0xE12A
#define ID_EDIT_UNDO 0xE12B
#define ID_EDIT_REDO 0xE12C
#define ID_WINDOW_NEW 0xE130
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_VIEW_TOOLBAR 0xE800
#define ID_VIEW_STATUS_BAR 0xE801

// Status-bar indicators; their strings (same ids) give the panes their texts and widths.
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define ID_INDICATOR_OVR 0xE704

// Child windows of a frame: bars take ids in the control-bar range, the client (view or MDI
// client) the first pane id; the layout pass works on these ranges.
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_REBAR 0xE804
#define AFX_IDW_DOCKBAR_TOP 0xE81B  // the four dock bars along the frame's edges
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_PANE_FIRST 0xE900
#define AFX_IDW_PANE_LAST 0xE9FF
// Ids of MDI child windows in the Window menu start here.
#define AFX_IDM_FIRST_MDICHILD 0xFF00

// Strings.
#define AFX_IDS_APP_TITLE 0xE000
#define AFX_IDS_IDLEMESSAGE 0xE001  // the status bar's text when no prompt is shown
#define AFX_IDS_UNTITLED 0xE002   // the name of a document without a name of its type
#define AFX_IDS_SAVEFILE 0xE003   // the save dialog's title
#define AFX_IDS_OPENFILE 0xE004   // the open dialog's title
#define AFX_IDS_ALLFILTER 0xE005  // the file dialogs' filter of all files

// Prompts of documents.
#define AFX_IDP_ASK_TO_SAVE 0xF168          // "Save changes to %s?"
#define AFX_IDP_FAILED_TO_OPEN_DOC 0xF169   // with the path, when the reason is not known
#define AFX_IDP_FAILED_TO_SAVE_DOC 0xF16A
#define AFX_IDP_FAILED_TO_CREATE_DOC 0xF16B
