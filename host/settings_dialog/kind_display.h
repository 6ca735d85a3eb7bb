#pragma once

#include <cstdint>

// The kind display (ShowKind) of the settings dialog: which of the three
// marks kindMarks(0..2) shows the selected picture, and which of the kind's
// controls are enabled. Portable.

struct KindDisplay {
    int16_t selectedMark = -1;    // the index of the selected mark; -1: none
    bool repeatEnabled = false;   // repeatBox: only for a music CD (1)
    bool chooserEnabled = false;  // chooseButton "...": only for a music file (2)

    bool IsSelected(int index) const { return index == selectedMark; }
};

// The display for a kind: the mark of that index selected and the rest not;
// a kind outside 0..2 (only possible as loaded from the file, 7 for one)
// selects no mark and enables neither control.
KindDisplay ShowKind(int16_t kind);

// KindMark_MouseDown and KindLabel_MouseDown: a press of any mouse button (left,
// right or middle; the button isn't looked at) on a mark or its label makes
// the control's index the kind, and the display is rebuilt. Returns the new
// display; `kind` (the settings' kind) is set to `index`.
KindDisplay SelectKind(int16_t& kind, int16_t index);
