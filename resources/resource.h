#pragma once
// Resource identifiers shared by the resource script and the code.

#define IDI_STAYWICK 1

// The tray glyph font "Glyphter" (RCDATA).
#define IDR_GLYPHTER_FONT 100

// The Options dialog, the license agreement dialog and the About window (200-399).
#define IDD_OPTIONS 200
#define IDC_OPT_LABEL6 201
#define IDC_OPT_COMBOKEY 202
#define IDC_OPT_LABEL4 203
#define IDC_OPT_LABEL1 204
#define IDC_OPT_SPINEDIT 205
#define IDC_OPT_SPINUPDOWN 206
#define IDC_OPT_LABELMINS 207
#define IDC_OPT_LABEL2 208
#define IDC_OPT_CHECKNOTIFY 209
#define IDC_OPT_LABEL3 210
#define IDS_OPT_MINUTE 220
#define IDS_OPT_MINUTES 221
#define IDS_OPT_KEY_F15 222
#define IDS_OPT_KEY_NUMLOCK 223
#define IDS_OPT_KEY_SHIFT 224
#define IDC_OPT_POLICYNOTE 600

#define IDD_LICENSE 240
#define IDC_LIC_MEMO 241
#define IDC_LIC_PRINT 242
#define IDM_LIC_COPYTEXT 243
#define IDR_LIC_POPUP 244
#define IDC_LIC_OK 245
#define IDR_LICENSE_RTF 250

#define IDC_ABOUT_LOGO 260
#define IDC_ABOUT_NAME 261
#define IDC_ABOUT_VERSION 262
#define IDC_ABOUT_COPYRIGHT 263
#define IDC_ABOUT_SITE 264
#define IDC_ABOUT_LICENSE 265
#define IDC_ABOUT_SUPPORT 266
#define IDC_ABOUT_FONT 267
#define IDC_ABOUT_DONATE 268
#define IDC_ABOUT_OK 269
#define IDS_ABOUT_NAME 280
#define IDS_ABOUT_VERSION 281
#define IDS_ABOUT_COPYRIGHT 282
#define IDS_ABOUT_LICENSE 283
#define IDS_ABOUT_SUPPORT 284
#define IDS_ABOUT_FONT 285
#define IDS_ABOUT_DONATE 286
#define IDS_ABOUT_OK 287

// Until a time of day, the hotkey and the commands for the running instance (400-499).
#define IDD_UNTIL 400
#define IDC_UNTIL_LABEL 401
#define IDC_UNTIL_HOUR 402
#define IDC_UNTIL_HOURUPDOWN 403
#define IDC_UNTIL_COLON 404
#define IDC_UNTIL_MINUTE 405
#define IDC_UNTIL_MINUTEUPDOWN 406
#define IDC_OPT_HOTKEYLABEL 410
#define IDC_OPT_HOTKEY 411
#define IDC_OPT_HOTKEYCLEAR 412
#define IDS_HOTKEY_TAKEN 420
#define IDS_HOTKEY_TAKEN_TITLE 421

// "While a program runs..." (800-849).
#define IDD_WHILE 800
#define IDC_WHILE_LABEL 801
#define IDC_WHILE_LIST 802
#define IDC_WHILE_NONE 803
#define IDS_WHILE_REFUSED_TITLE 820
