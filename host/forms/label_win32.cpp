#include "host/forms/label.h"

#include <utility>

#include "host/forms/container.h"
#include "host/forms/text_win32.h"

namespace forms {

Label::Label(Container& parent, TwipsRect rect, std::string caption, FontRef font)
    : WindowlessControl(parent, rect),
      caption_(std::move(caption)),
      font_(font != nullptr ? std::move(font) : parent.Font()->Clone()) {
    Subscribe();
}

Label::~Label() { font_->Unsubscribe(fontKey_); }

void Label::Subscribe() {
    fontKey_ = font_->Subscribe([this] { Invalidate(); });
}

void Label::SetCaption(std::string caption) {
    if (caption_ == caption) return;
    caption_ = std::move(caption);
    Invalidate();
}

void Label::SetFont(FontRef font) {
    if (font == nullptr || font == font_) return;
    font_->Unsubscribe(fontKey_);
    font_ = std::move(font);
    Subscribe();
    Invalidate();
}

bool Label::SetForeColor(uint32_t colour) {
    if (!IsValidColour(colour)) return false;
    foreColor_ = colour;
    Invalidate();
    return true;
}

bool Label::SetBackColor(uint32_t colour) {
    if (!IsValidColour(colour)) return false;
    backColor_ = colour;
    Invalidate();
    return true;
}

void Label::SetAlignment(Alignment alignment) {
    alignment_ = alignment;
    Invalidate();
}

void Label::SetBackStyle(forms::BackStyle style) {
    backStyle_ = style;
    Invalidate();
}

void Label::SetBorderStyle(forms::BorderStyle style) {
    borderStyle_ = style;
    Invalidate();
}

void Label::Paint(HDC dc, const RECT& bounds) {
    if (backStyle_ == forms::BackStyle::Opaque) {
        const HBRUSH brush = CreateSolidBrush(DrawingColour(backColor_));
        FillRect(dc, &bounds, brush);
        DeleteObject(brush);
    }
    RECT text = bounds;
    if (borderStyle_ == forms::BorderStyle::FixedSingle) {
        const HBRUSH brush = CreateSolidBrush(DrawingColour(kWindowFrame));
        FrameRect(dc, &bounds, brush);
        DeleteObject(brush);
        InflateRect(&text, -1, -1);
    }
    if (caption_.empty()) return;

    const std::wstring wide = WideFromUtf8(caption_);
    const HFONT font = gdiFont_.Get(font_->Description());
    const HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    const UINT align = alignment_ == Alignment::Center  ? DT_CENTER
                       : alignment_ == Alignment::Right ? DT_RIGHT
                                                        : DT_LEFT;
    // DT_NOPREFIX: the text as it is. No label here has an access key, and a
    // path may hold an "&" ("R&B"), which would else vanish and underline
    // the letter after it.
    UINT format = align | DT_TOP | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;
    const int length = static_cast<int>(wide.size());
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    if (metrics.tmHeight > 0 && text.bottom - text.top < 2 * metrics.tmHeight) {
        // A label one line high shows its one line whole: a face a little
        // wider than the one it was laid out for (a substitute font) would
        // otherwise break it and leave only its first words. The line may
        // run past the label's sides into what is beside it.
        format = align | DT_TOP | DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX;
        RECT needed = text;
        DrawTextW(dc, wide.c_str(), length, &needed, format | DT_CALCRECT);
        const LONG overflow = (needed.right - needed.left) - (text.right - text.left);
        if (overflow > 0) {
            if (alignment_ == Alignment::Center) {
                text.left -= overflow / 2;
                text.right += overflow - overflow / 2;
            } else if (alignment_ == Alignment::Right) {
                text.left -= overflow;
            } else {
                text.right += overflow;
            }
            // The container clips to the label's rectangle; the line's own
            // rectangle takes its place.
            SelectClipRgn(dc, nullptr);
            IntersectClipRect(dc, text.left, bounds.top, text.right + 1, bounds.bottom);
        }
    }
    if (Enabled()) {
        SetTextColor(dc, DrawingColour(foreColor_));
        DrawTextW(dc, wide.c_str(), length, &text, format);
    } else {
        // Etched: a highlight one pixel down and right, the shadow over it,
        // as the system draws disabled text.
        RECT shifted = text;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
        DrawTextW(dc, wide.c_str(), length, &shifted, format);
        SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
        DrawTextW(dc, wide.c_str(), length, &text, format);
    }
    if (oldFont != nullptr) SelectObject(dc, oldFont);
}

}  // namespace forms
