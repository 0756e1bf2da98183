// Resource identifiers shared by the resource scripts and the code that loads them.
#pragma once

// The application icon: the first icon group of the executable, and the main window's icon.
#define IDI_APPLICATION_ICON 1

// Artwork used by the windows and the button control.
// (Not IDI_QUESTION: winuser.h defines that name for the system's own icon.)
#define IDB_FACE_NORMAL 101    // released button face, 113 x 25, 24-bit
#define IDB_FACE_PULSADO 102   // pressed button face, 113 x 25, 24-bit
#define IDC_HAND_POINTER 103   // pointing hand, 32 x 32, hot spot (7, 3)
#define IDI_QUESTION_MARK 104  // question mark on a blue disc, 48 x 48
#define IDI_LOGO 105           // the logo: 16, 32 and 48 pixel images
#define IDI_NOTEBOOK 106       // open notebook, 48 x 48
#define IDI_CROSS 107          // red diagonal cross: 48, 32 and 16 pixel images
