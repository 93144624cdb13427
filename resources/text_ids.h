#pragma once
// Numbers of the texts in the string tables (resources/texts.rc), shared by
// the resource script and the code. Numbers that are counted from a first
// one (directions, hot-key failures) stay consecutive.

// The ground floor: direction names 0 (none) to 8, clockwise from up.
#define IDS_DIRECTION_NONE 100
#define IDS_DIRECTION_UP 101
#define IDS_DIRECTION_UPPER_RIGHT 102
#define IDS_DIRECTION_RIGHT 103
#define IDS_DIRECTION_LOWER_RIGHT 104
#define IDS_DIRECTION_DOWN 105
#define IDS_DIRECTION_LOWER_LEFT 106
#define IDS_DIRECTION_LEFT 107
#define IDS_DIRECTION_UPPER_LEFT 108
#define IDS_UNEXPECTED_FAILURE 110

// Registry key objects.
#define IDS_REGISTRY_KEY_NOT_CREATED 200
#define IDS_REGISTRY_NOT_WRITTEN 201
#define IDS_REGISTRY_VALUE_TOO_LONG 202
#define IDS_REGISTRY_VALUE_NOT_DELETED 203

// The command menu and its library.
#define IDS_MENU_LIBRARY_NOT_LOADED 300
#define IDS_MENU_OPEN_FOLDER 301
// The built-in pad actions 1 to 3, in the command menu and the settings.
#define IDS_ACTION_TOGGLE_DESKTOP 311
#define IDS_ACTION_SETTINGS 312
#define IDS_ACTION_EXIT 313

// Forms and the hot key.
#define IDS_CLASS_NOT_REGISTERED 400
#define IDS_WINDOW_NOT_CREATED 401
#define IDS_CONTROL_NOT_CREATED 402
#define IDS_HOT_KEY_NOT_SET 410
#define IDS_HOT_KEY_BAD_WINDOW 411
#define IDS_HOT_KEY_TAKEN 412
#define IDS_HOT_KEY_INVALID 413
#define IDS_HOT_KEY_UNKNOWN 414

// Commands and their lists.
#define IDS_PROGRAM_PATH_INVALID 500
#define IDS_WORK_FOLDER_INVALID 501
#define IDS_DESKTOP_TOGGLE_CAPTION 502
#define IDS_LIST_OPERATION_INVALID 503
#define IDS_INDEX_OUT_OF_RANGE 504
#define IDS_LAUNCH_FAILED_CAPTION 505

// What screen readers read beyond the captions on show.
#define IDS_PAD_DESCRIPTION 1300
#define IDS_DIRECTION_CHOICE 1301
#define IDS_KEY_LIST_NAME 1302
#define IDS_MENU_LIST_NAME 1303
#define IDS_ICON_FILE_NAME 1304
#define IDS_VERB_LIST_NAME 1305
