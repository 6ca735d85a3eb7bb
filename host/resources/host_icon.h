#pragma once

// Resource id of the program's icon in Glintra.scr (host_icon.rc; shared by
// the script and the code): 16, 32 and 48 pixels, 256 colours. Explorer and
// the screen-saver list show a program's first icon, the one with the lowest
// id, so any other icon of the host takes a higher one. The settings dialog
// uses it as its window icon.
//
// Glintra.ico is the output of glintra_make_ico (glintra_icon.cpp), committed
// so that the Windows build needs no native tool: remake it with
//   build/native/host/resources/glintra_make_ico host/resources/Glintra.ico
#define IDI_GLINTRA 100
