#pragma once

// Resource ids of the settings dialog's pictures, shared by
// dialog_pictures.rc and the dialog that loads them.

// The two 12 x 12 selection marks (24-bit BMP), the output of
// glintra_make_marks, committed so that the Windows build needs no native
// tool: remake them with
//   build/native/host/resources/glintra_make_marks host/resources
// Not selected: an empty square, grey frame and light face.
#define IDB_MARK_NOT_SELECTED 260
// Selected: the square filled with blue inside a darker blue frame.
#define IDB_MARK_SELECTED 261
