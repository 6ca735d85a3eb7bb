#pragma once

// Resource ids of the Command button's face pictures in the program that
// holds the control (command_button_pictures.rc; shared by the script and
// the code). The files are the output of glintra_make_button_faces
// (button_faces.h), committed so that the Windows build needs no native tool.

#define IDB_BUTTON_NORMAL 301
#define IDB_BUTTON_HIGHLIGHT 302
#define IDB_BUTTON_PRESSED 303
#define IDB_BUTTON_DISABLE 304
#define IDB_BUTTON_SELECTED 305
#define IDB_BUTTON_HIGHLIGHTSELECT 306
