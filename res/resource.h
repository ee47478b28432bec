#pragma once
// Numbers of the program's resources. Plain #defines so that the resource
// compiler and C++ read the same file; nothing here needs windows.h, so
// portable code may include it to name string ids.
//
// Prefixes: IDD_ dialog template, IDC_ control, IDR_ menu, ID_ menu command,
// IDS_ string, IDB_ bitmap, IDI_ icon, RT_ resource type. Where one number serves several
// dialogs in different roles, each role has its own name with that number.

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// ---- Icon ------------------------------------------------------------------
#define IDI_GRIPDECK 100

// ---- Dialog templates --------------------------------------------------------
#define IDD_MAIN_WINDOW 101
#define IDD_ABOUT 102
#define IDD_KEY_CAPTURE 103
#define IDD_MOUSE_BUTTON 104
#define IDD_MACRO_EDIT 105
#define IDD_MULTI_LAYERS 106
#define IDD_LAYER_MACRO_EDIT 107
#define IDD_FILE_INFO 108  // child panel of the save-file dialog
#define IDD_SUMMARY 109
#define IDD_SUMMARY_WINDOW 110
#define IDD_TWIN_SWITCH 111
#define IDD_PAD_PICTURE 113

// ---- Menus -------------------------------------------------------------------
#define IDR_MENU_MAIN 130         // menu bar of the main window
#define IDR_MENU_TRAY 131         // popup "Task" of the tray icon
#define IDR_MENU_ASSIGN 132       // assignment menu of an M-Button
#define IDR_MENU_EVENT_ROW 133    // macro event list, click on a row
#define IDR_MENU_LAYER_FREE 134   // multi layers list, the free row
#define IDR_MENU_LAYER_USED 136   // multi layers list, a used row
#define IDR_MENU_EVENT_SPACE 137  // macro event list, click beside the rows
#define IDR_MENU_TWIN_KEY 138     // twin switch, pick arrow of a key
#define IDR_ACCEL_MAIN 139        // shortcut keys of the main window

// ---- Menu commands -----------------------------------------------------------
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_CLOSE 57602
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 32711
#define ID_APP_EXIT 32712
#define ID_OPTIONS_LAUNCH_ON_STARTUP 32721
#define ID_APP_ABOUT 32733
#define ID_FILE_LOAD_SYSTEM_DEFAULT 32805
#define ID_FILE_SUMMARY 32806
#define ID_OPTIONS_REINSTALL_DRIVER 32808
#define ID_TRAY_SHOW_HIDE 32901
#define ID_RECENT_FILES 33000
#define ID_RECENT_FILE_FIRST 33001  // recent place 0
#define ID_RECENT_FILE_LAST 33006   // recent place 5

// The same command words mean the same choice in every menu that offers them.
#define ID_KEYBOARD 32741
#define ID_MOUSE_BUTTON 32751
#define ID_MACRO 32761
#define ID_ADVANCED 32771
#define ID_DEFAULT 32791
#define ID_DELETE 32799
#define ID_OFF 32801    // assignment menu
#define ID_CLEAR 32801  // multi layers menu of a used row
#define ID_SINGLE_SWITCH_KEYBOARD 32816
#define ID_SINGLE_SWITCH_MOUSE_BUTTON 32817
#define ID_TWIN_SWITCH 32820
#define ID_STOP_MACRO_LOOP 32821
#define ID_STOP_KEY 32822
#define ID_SUPER_STOP 32823
#define ID_EDIT_COPY 57634
#define ID_EDIT_PASTE 57637
#define ID_EDIT_UNDO 57643
#define ID_EDIT_REDO 57644

// ---- Controls: shared by several dialogs --------------------------------------
#define IDC_OK 1003           // "&OK" of dialogs 101, 105, 106, 107
#define IDC_CANCEL 1004       // "&Cancel" of dialogs 101, 105, 106, 107
#define IDC_ACCEPT 32701      // "&OK" of dialogs 103, 111
#define IDC_REJECT 32702      // "&Cancel" of dialogs 103, 111
#define IDC_BACKGROUND 1100   // whole-client holder of dialogs 101, 113
#define IDC_RECORD_NAME 1030  // name edit of dialogs 106, 111

// ---- Controls: main window (101) ---------------------------------------------
#define IDC_FRAME_TOGGLE 1101
#define IDC_GROUP_M1_M10 1102
#define IDC_GROUP_M11_M20 1103
#define IDC_PAD_BUTTON_0 1104  // pad buttons 0 ... 9 are 1104 ... 1113
#define IDC_PAD_BUTTON_1 1105
#define IDC_PAD_BUTTON_2 1106
#define IDC_PAD_BUTTON_3 1107
#define IDC_PAD_BUTTON_4 1108
#define IDC_PAD_BUTTON_5 1109
#define IDC_PAD_BUTTON_6 1110
#define IDC_PAD_BUTTON_7 1111
#define IDC_PAD_BUTTON_8 1112
#define IDC_PAD_BUTTON_9 1113
#define IDC_APPLY 1114
#define IDC_PAD_ICON 1115
#define IDC_PAD_LABEL_0 1117  // labels of pad buttons 0 ... 9 are 1117 ... 1126
#define IDC_PAD_LABEL_1 1118
#define IDC_PAD_LABEL_2 1119
#define IDC_PAD_LABEL_3 1120
#define IDC_PAD_LABEL_4 1121
#define IDC_PAD_LABEL_5 1122
#define IDC_PAD_LABEL_6 1123
#define IDC_PAD_LABEL_7 1124
#define IDC_PAD_LABEL_8 1125
#define IDC_PAD_LABEL_9 1126
// The status line: the pad, the profile on it and where it came from.
#define IDC_PAD_STATUS 1540

// ---- Controls: key capture dialog (103) ----------------------------------------
#define IDC_KEY_NAME 1024
#define IDC_CAPTURE_AGAIN 1025  // "Change": captures anew once a key was taken
#define IDC_ACTION 1031         // also the mouse button dialog's action list
// The way out and the action list's caption, for the keyboard user.
#define IDC_ACTION_CAPTION 1501  // "Action:" before the action list, shown with it
#define IDC_CAPTURE_HINT 1502    // how to cancel, shown while capturing

// ---- Controls: mouse button dialog (104) and macro editors (105, 107) -----------
#define IDC_BUTTON_LEFT 1064
#define IDC_BUTTON_MIDDLE 1066
#define IDC_BUTTON_RIGHT 1067
#define IDC_POSITION_MODE 1032
#define IDC_CURSOR_X 1034
#define IDC_CURSOR_Y 1036
#define IDC_POSITION_X 1037
#define IDC_POSITION_Y 1038
#define IDC_POSITION_X_CAPTION 1039
#define IDC_POSITION_Y_CAPTION 1040

// ---- Controls: macro editors (105, 107) ---------------------------------------
#define IDC_START_RECORDING 1001
#define IDC_STOP_RECORDING 1002
#define IDC_MOVE_UP 1005
#define IDC_MOVE_DOWN 1006
#define IDC_PRESS_DELAYS 1008
#define IDC_RELEASE_DELAYS 1009
#define IDC_EVENT_LIST 1011
#define IDC_KEY_CAPTION 1024  // "Key:" beside the key list
#define IDC_CLEAR_ALL 1029
#define IDC_DURATION 1041
#define IDC_MACRO_NAME 1047
#define IDC_DELAY 1049
#define IDC_REPEAT_INTERVAL 1051
#define IDC_PRESS_DELAY 1053
#define IDC_RELEASE_DELAY 1055
#define IDC_ROW_EDITOR 1061  // group box "Macro Editor"
#define IDC_DELAY_CAPTION 1063
#define IDC_BULK_DELAY_CAPTION 1065
#define IDC_MORE_LESS 1068
#define IDC_PLAY_ONCE 1069
#define IDC_PLAY_WHILE_PRESSED 1070
#define IDC_PLAY_UNTIL_PRESSED_AGAIN 1072
#define IDC_KEY_LIST 1078
#define IDC_REPEAT_INTERVAL_SPIN 1079
#define IDC_PRESS_DELAY_SPIN 1080
#define IDC_RELEASE_DELAY_SPIN 1081
// How a keyboard user stops the recording, shown while it records.
#define IDC_RECORDING_HINT 1500

// ---- Controls: multi layers editor (106) ----------------------------------------
#define IDC_LAYER_LIST 1011

// ---- Controls: summary dialogs (108, 109) and summary window (110) -------------
#define IDC_RESOLUTION_LIST 1042
#define IDC_SUMMARY_RESOLUTION 1043  // summary window only
#define IDC_SUMMARY_NAME 1044
#define IDC_SUMMARY_GAME 1045
#define IDC_SUMMARY_AUTHOR 1046
#define IDC_SUMMARY_COMMENT 1048
#define IDC_RESOLUTION_X 1057
#define IDC_SHOW_SUMMARY 1059  // summary dialog only
#define IDC_RESOLUTION_Y 1060

// ---- Controls: twin switch editor (111) -----------------------------------------
#define IDC_KEY1_NAME 1071
#define IDC_KEY2_NAME 1073
#define IDC_KEY1_ARROW 1076  // Key 1's pick arrow, a button drawn by the dialog
#define IDC_KEY2_ARROW 1077

// ---- Controls: pad picture window (113); its own numbers, unrelated to 101 --------
#define IDC_PICTURE_M1 1018
#define IDC_PICTURE_M2 1019
#define IDC_PICTURE_M3 1020
#define IDC_PICTURE_M4 1021
#define IDC_PICTURE_M5 1022
#define IDC_PICTURE_M6 1023
#define IDC_PICTURE_M7 1024
#define IDC_PICTURE_M8 1025
#define IDC_PICTURE_M9 1026
#define IDC_PICTURE_M10 1027
#define IDC_PICTURE_M11 1114
#define IDC_PICTURE_M12 1115
#define IDC_PICTURE_M13 1116
#define IDC_PICTURE_M14 1117
#define IDC_PICTURE_M15 1118
#define IDC_PICTURE_M16 1119
#define IDC_PICTURE_M17 1120
#define IDC_PICTURE_M18 1121
#define IDC_PICTURE_M19 1122
#define IDC_PICTURE_M20 1123

// ---- Resource types -----------------------------------------------------------
// The skin's bitmaps as res/art/build.py packs them (src/skin/packed_art.h):
// every IDB_ below but IDB_PICK_ARROW, at every display scale.
#define RT_PACKED_ART 34000

// ---- Bitmaps ----------------------------------------------------------------
#define IDB_PAD_SHAPE 144    // outline mask of the pad picture window
#define IDB_PICK_ARROW 145   // 16 x 16 arrow of the twin switch editor
#define IDB_PAD_PICTURE 146  // drawing of the whole pad, 357 x 500
#define IDB_WELCOME_PAGE 300
#define IDB_BUTTON_PAGE 301
#define IDB_WINDOW_SHAPE 302  // outline mask of the main window
#define IDB_FRAME_TOGGLE 306
#define IDB_GROUP_M1_M10 307
#define IDB_GROUP_M11_M20 308
#define IDB_PAD_BUTTON_M1 309  // faces of pad button i: 309 + i (M1 ... M10)
#define IDB_PAD_BUTTON_M2 310
#define IDB_PAD_BUTTON_M3 311
#define IDB_PAD_BUTTON_M4 312
#define IDB_PAD_BUTTON_M5 313
#define IDB_PAD_BUTTON_M6 314
#define IDB_PAD_BUTTON_M7 315
#define IDB_PAD_BUTTON_M8 316
#define IDB_PAD_BUTTON_M9 317
#define IDB_PAD_BUTTON_M10 318
#define IDB_PAD_BUTTON_M11 319  // and 319 + i (M11 ... M20)
#define IDB_PAD_BUTTON_M12 320
#define IDB_PAD_BUTTON_M13 321
#define IDB_PAD_BUTTON_M14 322
#define IDB_PAD_BUTTON_M15 323
#define IDB_PAD_BUTTON_M16 324
#define IDB_PAD_BUTTON_M17 325
#define IDB_PAD_BUTTON_M18 326
#define IDB_PAD_BUTTON_M19 327
#define IDB_PAD_BUTTON_M20 328
#define IDB_OK 329
#define IDB_CANCEL 330
#define IDB_APPLY 331
#define IDB_PAD_ICON 332
#define IDB_PICTURE_M1 333  // picture button of M(k + 1): 333 + k
#define IDB_PICTURE_M2 334
#define IDB_PICTURE_M3 335
#define IDB_PICTURE_M4 336
#define IDB_PICTURE_M5 337
#define IDB_PICTURE_M6 338
#define IDB_PICTURE_M7 339
#define IDB_PICTURE_M8 340
#define IDB_PICTURE_M9 341
#define IDB_PICTURE_M10 342
#define IDB_PICTURE_M11 343
#define IDB_PICTURE_M12 344
#define IDB_PICTURE_M13 345
#define IDB_PICTURE_M14 346
#define IDB_PICTURE_M15 347
#define IDB_PICTURE_M16 348
#define IDB_PICTURE_M17 349
#define IDB_PICTURE_M18 350
#define IDB_PICTURE_M19 351
#define IDB_PICTURE_M20 352

// ---- Strings ------------------------------------------------------------------
// Their texts are in strings.inc, the one source of the string table.
#define IDS_APP_TITLE 1
#define IDS_DEFAULT_PROFILE_NAME 2
#define IDS_VERSION_CAPTION 3
#define IDS_UNFILED 5
#define IDS_STARTUP_VALUE_NAME 6
#define IDS_CLIPBOARD_FORMAT 7
#define IDS_PACKAGE_PATH 8
#define IDS_SERVICE_KEY 9
#define IDS_COLUMN_NAME 11
#define IDS_COLUMN_TYPE 12
#define IDS_COLUMN_LAYER 13
#define IDS_COLUMN_KEY 14
#define IDS_COLUMN_ACTION 15
#define IDS_COLUMN_DELAY 16
#define IDS_COLUMN_OTHERS 17
#define IDS_MORE 18
#define IDS_LESS 19
#define IDS_SINGLE 20
#define IDS_MACRO 21
#define IDS_MULTI_LAYERS 22
#define IDS_STOP 23
#define IDS_OFF 26
#define IDS_MOUSE_CLICK 27  // action list of the mouse button dialog
#define IDS_MOUSE_PRESS 28
#define IDS_MOUSE_RELEASE 29
#define IDS_LEFT_BUTTON 31
#define IDS_RIGHT_BUTTON 32
#define IDS_MIDDLE_BUTTON 33
#define IDS_RELATIVE 35
#define IDS_ABSOLUTE 36
#define IDS_CLICK 37  // action names of keys and of the key capture dialog
#define IDS_PRESS 38
#define IDS_RELEASE 39
#define IDS_UNDEFINED_POSITION 42
#define IDS_COMMENT_PLACEHOLDER 43
#define IDS_X_REF 44
#define IDS_Y_REF 45
#define IDS_X 46
#define IDS_Y 47
#define IDS_DURATION_SHORT 48
#define IDS_DURATION_LONG 49
#define IDS_CANT_OPEN_FILE 50
#define IDS_DELAY_RANGE 51
#define IDS_CANT_INSERT_KEY 52
#define IDS_SAVE_QUESTION 54
#define IDS_POSITION_RANGE 55
#define IDS_DEVICE_NOT_PLUGGED 57
#define IDS_REINSTALL_DONE 58
#define IDS_REINSTALL_FAILED 59
#define IDS_TRAY_BALLOON 60
#define IDS_FRAME_TOGGLE_TIP 61
#define IDS_DEVICE_NOT_INSTALLED 62
#define IDS_SINGLE_SUFFIX 70
#define IDS_UNDEFINED_KEY 71
#define IDS_COLUMN_NUMBER 72
#define IDS_STOP_MACRO 73
#define IDS_SUPER_STOP 74
#define IDS_KEYBOARD_INF 80
#define IDS_MOUSE_INF 81
// The driver reinstall of the 32-bit program on 64-bit Windows.
#define IDS_REINSTALL_NEEDS_64BIT 88
#define IDS_ADD_LAYER_CUE 96  // grey hint in the multi layers editor's free row
// ---- What the keyboard user is told: hints, and file dialog titles
#define IDS_RECORDING_STOP_HINT 460  // macro editors, while recording
#define IDS_CAPTURE_ESCAPE_HINT 461  // key capture, while capturing
#define IDS_CHOOSE_PROFILE 462       // file dialog titles of Automatic Profiles
#define IDS_CHOOSE_PROGRAM 463

// ---- Automatic profiles ------------------------------------------------------
#define IDD_AUTO_PROFILES 120
#define ID_OPTIONS_AUTO_PROFILES 32950  // Options menu and tray menu
#define IDC_AUTO_RULES 1400             // list: program, profile, game
#define IDC_AUTO_ADD 1401
#define IDC_AUTO_CHANGE 1402
#define IDC_AUTO_REMOVE 1403
#define IDC_AUTO_ON 1404          // check box: switching on
#define IDC_AUTO_FRONT_ONLY 1405  // check box: the chosen rule holds only in front
#define IDC_AUTO_HISTORY 1406     // list: the last decisions
#define IDC_AUTO_TRY 1407         // puts the chosen rule's profile on the pad until Close
#define IDS_AUTO_SWITCHED 400     // balloon: profile, program
#define IDS_AUTO_RETURNED 401     // balloon: profile
#define IDS_AUTO_UNREADABLE 402   // balloon: profile
#define IDS_AUTO_EARLIER 403      // the profile from before the first switch
#define IDS_WHY_SWITCHED 404
#define IDS_WHY_SAME_PROFILE 405
#define IDS_WHY_NO_RULE 406
#define IDS_WHY_STAYS 407       // program whose process keeps the profile
#define IDS_WHY_UNREADABLE 408  // reason
#define IDS_WHY_PROGRAM_ENDED 409
#define IDS_WHY_LEFT_FRONT 410
#define IDS_WHY_MANUAL 411
#define IDS_AUTO_COLUMN_PROGRAM 412
#define IDS_AUTO_COLUMN_PROFILE 413
#define IDS_AUTO_COLUMN_GAME 414
#define IDS_AUTO_COLUMN_TIME 415
#define IDS_AUTO_COLUMN_WHY 416
#define IDS_AUTO_BROWSE 417  // last entry of the program list
#define IDS_AUTO_STAYS 418   // balloon: profile, when nothing was on the pad before
#define IDS_WHY_CLOSED 419
#define IDS_WHY_TRIED 420
#define IDS_WHY_TRY_ENDED 421
// ---- Undo and redo: the Edit menu's items and the names of the steps
#define IDS_UNDO 430            // greyed: nothing to undo
#define IDS_REDO 431            // greyed: nothing to redo
#define IDS_UNDO_STEP 432       // step
#define IDS_REDO_STEP 433       // step
#define IDS_STEP_ON_BUTTON 434  // command, M-number
#define IDS_STEP_KEYBOARD 435
#define IDS_STEP_MOUSE_BUTTON 436
#define IDS_STEP_MACRO 437
#define IDS_STEP_SINGLE_SWITCH_KEYBOARD 438
#define IDS_STEP_SINGLE_SWITCH_MOUSE 439
#define IDS_STEP_TWIN_SWITCH 440
#define IDS_STEP_ADVANCED 441
#define IDS_STEP_STOP_MACRO_LOOP 442
#define IDS_STEP_STOP_KEY 443
#define IDS_STEP_SUPER_STOP 444
#define IDS_STEP_DEFAULT 445
#define IDS_STEP_OFF 446
#define IDS_STEP_PASTE 447
#define IDS_STEP_SUMMARY 448
#define IDS_STEP_SYSTEM_DEFAULT 449
// ---- The main window's status line: the pad, and the profile on it
#define IDS_PAD_CONNECTED 500
#define IDS_PAD_NO_DRIVER 501
#define IDS_PAD_UNPLUGGED 502
#define IDS_PAD_STATUS 503      // the pad, the profile on it
#define IDS_PAD_BY_USER 504     // profile
#define IDS_PAD_FOR_GAME 505    // profile, program
#define IDS_PAD_AFTER_GAME 506  // profile, program
#define IDS_PAD_EARLIER 507     // profile
#define IDS_PAD_APPLIED 508     // profile
// ---- The picture of a profile: File > Export Picture... and Print..., gpxtool picture
#define ID_FILE_EXPORT_PICTURE 33130
#define ID_FILE_PRINT_PICTURE 33131
#define IDS_PICTURE_GAME 520  // the profile's game
#define IDS_PICTURE_NO_NAME 521
#define IDS_PICTURE_UNKNOWN_SLOT 522
#define IDS_PICTURE_FILTER 523
#define IDS_PICTURE_NOT_SAVED 524  // the picture's path
#define IDS_PRINT_NO_PRINTER 525
#define IDS_PRINT_FAILED 526
#define IDS_PICTURE_EXPORT_TITLE 527  // the file dialog's title
#define IDS_PICTURE_REPLACE 528       // the picture's path
// ---- Profile hotkeys and the tray's "Apply Profile"
#define IDD_HOTKEYS 116
#define IDS_HOTKEY_NOT_A_HOTKEY 540
#define IDS_HOTKEY_NEEDS_MODIFIER 541
#define IDS_HOTKEY_F12 542
#define IDS_HOTKEY_TAKEN 543     // the profile's file name
#define IDS_HOTKEY_TOO_MANY 544  // the most hotkeys
#define IDS_HOTKEY_NO_PROFILE 545
#define IDS_HOTKEY_NOT_WRITTEN 546
#define IDS_HOTKEY_HELD_BALLOON 547  // hotkeys, comma-separated
#define IDS_HOTKEY_HELD_NOTE 548     // hotkey
#define IDS_HOTKEY_APPLIED 549       // profile, hotkey
#define IDS_HOTKEY_NO_PAD 550        // profile, hotkey
#define IDS_HOTKEY_UNREADABLE 551    // hotkey, profile, reason
#define IDS_TRAY_APPLIED 552         // profile
#define IDS_TRAY_NO_PAD 553          // profile
#define IDS_TRAY_UNREADABLE 554      // profile, reason
#define IDS_PAD_BY_HOTKEY 555        // profile, hotkey
#define IDS_WHY_HOTKEY 556           // hotkey
#define IDS_WHY_TRAY 557
#define IDS_HOTKEY_COLUMN_KEY 558
#define IDS_HOTKEY_COLUMN_STATE 559
#define IDS_HOTKEY_STATE_READY 560
#define IDS_HOTKEY_STATE_HELD 561
#define IDS_HOTKEY_STATE_UNREADABLE 562  // reason
#define IDS_APPLY_NO_RECENT 563          // the tray's "Apply Profile" without recent files
#define IDS_HOTKEY_SET_NOTE 564          // hotkey, profile
#define IDS_HOTKEY_NO_KEY 565            // the hotkey field is empty
#define ID_OPTIONS_HOTKEYS 33150         // Options menu and tray menu
#define ID_TRAY_APPLY_NONE 33151         // greyed: no recent profile to apply
#define ID_TRAY_APPLY_FIRST 33152        // recent place 0: applied without the window
#define ID_TRAY_APPLY_LAST 33157         // recent place 5
#define IDC_HOTKEY_LIST 1600             // list: hotkey, profile, state
#define IDC_HOTKEY_KEY 1601              // the standard hotkey control
#define IDC_HOTKEY_PROFILE 1602          // read-only: the chosen profile's path
#define IDC_HOTKEY_CHOOSE 1603
#define IDC_HOTKEY_ADD 1604
#define IDC_HOTKEY_CHANGE 1605
#define IDC_HOTKEY_REMOVE 1606
#define IDC_HOTKEY_NOTE 1607  // what the last command came to
// RegisterHotKey ids of the main window: kFirstHotkeyId + place, 34040-34059.
// ---- File commands and help
#define ID_HELP_USER_GUIDE 33120    // About menu and F1
#define ID_FILE_RECENT_FIRST 33121  // File menu, recent place 0: opens it
#define ID_FILE_RECENT_LAST 33126   // recent place 5
#define IDS_SAVE_CHANGES 480        // profile name; Yes, No or Cancel
#define IDS_GUIDE_MISSING 481       // the guide's path
#define IDS_GUIDE_NOT_OPENED 482    // the guide's path
// ---- The profile's JSON form: File > Import... and Export...
#define ID_FILE_IMPORT_JSON 33140
#define ID_FILE_EXPORT_JSON 33141
#define IDS_IMPORT_TITLE 530  // their file dialogs
#define IDS_EXPORT_TITLE 531
#define IDS_IMPORT_REFUSED 532  // the file's path, the reason
#define IDS_EXPORT_FAILED 533   // the file's path, the reason

// ---- The framework's own strings (src/fw) ------------------------------------
// Numbers from 0xF100 up, clear of the program's own.
#define IDS_INTEGER_RANGE 61712  // 0xF110: a number field's bounds, in place of its two %d
