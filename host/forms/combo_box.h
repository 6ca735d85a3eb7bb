#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "host/forms/child_control.h"
#include "host/forms/font.h"
#include "host/forms/font_win32.h"

namespace forms {

// An editable drop-down list: the system's combo box (CBS_DROPDOWN), whose
// text the user may type or pick from its list. The text scrolls sideways as
// the user types (CBS_AUTOHSCROLL), so a narrow box takes more characters
// than it shows. Its rectangle's height is that of the closed box; the list
// drops below it. Texts are UTF-8.
class ComboBox : public ChildControl {
public:
    // Without `font` the box takes a copy of its container's font.
    ComboBox(Container& parent, TwipsRect rect, FontRef font = nullptr);
    ~ComboBox() override;

    HWND ChildHandle() const override { return window_; }

    // The text of the edit field.
    std::string Text() const;
    void SetText(const std::string& text);
    // Appends an entry to the list; its text is not matched against Text.
    void AddItem(const std::string& item);
    int ListCount() const;
    std::string List(int index) const;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    FontRef Font() const { return font_; }

private:
    bool CreateWindowIn(HWND parentWindow, const PixelRect& pixels, int id) override;
    void ApplyFont();

    HWND window_ = nullptr;
    FontRef font_;
    int fontKey_ = 0;
    FontHandle gdiFont_;
    bool enabled_ = true;
    // What was set before the window existed, given to it when it is made.
    std::string pendingText_;
    std::vector<std::string> pendingItems_;
};

}  // namespace forms
