#pragma once

#include <windows.h>
#include <imm.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/forms/child_control.h"
#include "host/forms/font.h"
#include "host/forms/font_win32.h"

namespace forms {

// Whether a control opens with the input method on or off (a numeric field:
// off); the user may still switch it. NoControl: the thread's own, as it is.
enum class ImeMode {
    NoControl,
    Off,
};

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

    // The edit field's and the list's background and text, &H00BBGGRR, in
    // every state and colour scheme; while the box is disabled its text is
    // the system's grey. Until a back colour is set, the system's colours.
    void SetBackColor(uint32_t colour);
    void SetForeColor(uint32_t colour) { foreColor_ = colour; }
    // Set before the window is made.
    void SetIMEMode(ImeMode mode) { imeMode_ = mode; }

private:
    bool CreateWindowIn(HWND parentWindow, const PixelRect& pixels, int id) override;
    HBRUSH ColoursFor(HWND part, HDC dc) override;
    void ApplyFont();

    HWND window_ = nullptr;
    FontRef font_;
    int fontKey_ = 0;
    FontHandle gdiFont_;
    bool enabled_ = true;
    HBRUSH backBrush_ = nullptr;  // with a back colour set
    uint32_t backColor_ = 0;
    uint32_t foreColor_ = 0;
    ImeMode imeMode_ = ImeMode::NoControl;
    HIMC ownInputContext_ = nullptr;  // the edit field's, with ImeMode::Off
    // What was set before the window existed, given to it when it is made.
    std::string pendingText_;
    std::vector<std::string> pendingItems_;
};

}  // namespace forms
