// A dialog of the system's own class ("#32770") made from the template in Gallery.rc:
// windows the engine has to skin without any framework control behind them.
#pragma once

#include <windows.h>

// Resource name of the template and the identifiers of its controls.
#define IDD_BARE_DIALOG 200
#define IDC_BARE_PUSH 201
#define IDC_BARE_OWNERDRAWN 202
#define IDC_BARE_GROUP 203
#define IDC_BARE_CHECK 204
#define IDC_BARE_RADIO1 205
#define IDC_BARE_RADIO2 206
#define IDC_BARE_EDIT 207
#define IDC_BARE_COMBO 208
#define IDC_BARE_SCROLL 209
#define IDC_BARE_CLOSE 210

#ifdef __cplusplus
// Opens the modeless dialog owned by owner, on this thread (or brings the open one to
// the front). Answers its window.
HWND OpenBareDialog(HWND owner);
// The open dialog, or null.
HWND BareDialogWindow();
#endif
