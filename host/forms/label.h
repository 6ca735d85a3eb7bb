#pragma once

#include <cstdint>
#include <string>

#include "host/forms/colour.h"
#include "host/forms/font.h"
#include "host/forms/font_win32.h"
#include "host/forms/windowless_control.h"

namespace forms {

enum class Alignment {
    Left = 0,
    Right = 1,
    Center = 2,
};

enum class BackStyle {
    Transparent = 0,
    Opaque = 1,
};

enum class BorderStyle {
    None = 0,
    FixedSingle = 1,
};

// A windowless text: its caption, from the top of its rectangle, broken into
// lines at its width, aligned left, right or centred, cut at its edges. A
// transparent label leaves its container's image showing around the letters;
// a disabled one shows its text greyed, the system's way. An & in the caption
// underlines the letter after it ("&&" is one &).
class Label : public WindowlessControl {
public:
    // Without `font` the label takes a copy of its container's font.
    Label(Container& parent, TwipsRect rect, std::string caption = {}, FontRef font = nullptr);
    ~Label() override;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);

    // The font object itself; a change to it shows at once.
    FontRef Font() const { return font_; }
    // By reference: the label holds `font` itself from now on.
    void SetFont(FontRef font);

    uint32_t ForeColor() const { return foreColor_; }
    // False, changing nothing, for a colour that is not valid.
    bool SetForeColor(uint32_t colour);
    uint32_t BackColor() const { return backColor_; }
    bool SetBackColor(uint32_t colour);

    Alignment GetAlignment() const { return alignment_; }
    void SetAlignment(Alignment alignment);
    forms::BackStyle GetBackStyle() const { return backStyle_; }
    void SetBackStyle(forms::BackStyle style);
    forms::BorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(forms::BorderStyle style);

private:
    void Paint(HDC dc, const RECT& bounds) override;
    void Subscribe();

    std::string caption_;
    FontRef font_;
    int fontKey_ = 0;
    FontHandle gdiFont_;
    uint32_t foreColor_ = kButtonText;
    uint32_t backColor_ = kButtonFace;
    Alignment alignment_ = Alignment::Left;
    forms::BackStyle backStyle_ = forms::BackStyle::Opaque;
    forms::BorderStyle borderStyle_ = forms::BorderStyle::None;
};

}  // namespace forms
