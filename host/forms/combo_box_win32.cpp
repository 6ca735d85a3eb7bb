#include "host/forms/combo_box.h"

#include "host/forms/colour.h"
#include "host/forms/container.h"
#include "host/forms/text_win32.h"

namespace forms {

namespace {

// Entries the open list shows before it scrolls.
constexpr int kVisibleListEntries = 8;

}  // namespace

ComboBox::ComboBox(Container& parent, TwipsRect rect, FontRef font)
    : ChildControl(parent, rect), font_(font ? std::move(font) : parent.Font()->Clone()) {
    fontKey_ = font_->Subscribe([this] { ApplyFont(); });
}

ComboBox::~ComboBox() {
    font_->Unsubscribe(fontKey_);
    if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
    if (ownInputContext_ != nullptr) ImmDestroyContext(ownInputContext_);
    if (backBrush_ != nullptr) DeleteObject(backBrush_);
}

bool ComboBox::CreateWindowIn(HWND parentWindow, const PixelRect& pixels, int id) {
    // The height of a combo box's window is the closed box and its open list
    // together; the closed box takes its height from the font.
    // https://learn.microsoft.com/en-us/windows/win32/controls/combo-box-styles
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_CLIPSIBLINGS | CBS_DROPDOWN |
                  CBS_AUTOHSCROLL;
    if (!enabled_) style |= WS_DISABLED;
    const int listHeight = pixels.height * kVisibleListEntries;
    window_ = CreateWindowExW(0, L"COMBOBOX", L"", style, pixels.left, pixels.top, pixels.width,
                              pixels.height + listHeight, parentWindow,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
    if (window_ == nullptr) return false;
    if (imeMode_ == ImeMode::Off) {
        // An input context of the edit field's own, closed: the thread's
        // default context, which the other windows share, stays as it is.
        // https://learn.microsoft.com/en-us/windows/win32/api/imm/nf-imm-immassociatecontext
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        ownInputContext_ = ImmCreateContext();
        if (GetComboBoxInfo(window_, &info) && info.hwndItem != nullptr && ownInputContext_) {
            ImmAssociateContext(info.hwndItem, ownInputContext_);
            ImmSetOpenStatus(ownInputContext_, FALSE);
        }
    }
    ApplyFont();
    for (const std::string& item : pendingItems_) AddItem(item);
    pendingItems_.clear();
    SetText(pendingText_);
    return true;
}

void ComboBox::ApplyFont() {
    if (window_ == nullptr) return;
    if (HFONT font = gdiFont_.Get(font_->Description())) {
        SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

std::string ComboBox::Text() const {
    if (window_ == nullptr) return pendingText_;
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window_)) + 1, L'\0');
    const int length = GetWindowTextW(window_, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    return Utf8FromWide(text);
}

void ComboBox::SetText(const std::string& text) {
    if (window_ == nullptr) {
        pendingText_ = text;
        return;
    }
    SetWindowTextW(window_, WideFromUtf8(text).c_str());
}

void ComboBox::AddItem(const std::string& item) {
    if (window_ == nullptr) {
        pendingItems_.push_back(item);
        return;
    }
    SendMessageW(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(item).c_str()));
}

int ComboBox::ListCount() const {
    if (window_ == nullptr) return static_cast<int>(pendingItems_.size());
    const LRESULT count = SendMessageW(window_, CB_GETCOUNT, 0, 0);
    return count < 0 ? 0 : static_cast<int>(count);
}

std::string ComboBox::List(int index) const {
    if (window_ == nullptr) {
        return index >= 0 && index < static_cast<int>(pendingItems_.size())
                   ? pendingItems_[static_cast<size_t>(index)]
                   : std::string();
    }
    const LRESULT length = SendMessageW(window_, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(window_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return Utf8FromWide(text);
}

void ComboBox::SetBackColor(uint32_t colour) {
    if (backBrush_ != nullptr) DeleteObject(backBrush_);
    backColor_ = colour;
    backBrush_ = CreateSolidBrush(DrawingColour(colour));
    if (window_ != nullptr) InvalidateRect(window_, nullptr, TRUE);
}

HBRUSH ComboBox::ColoursFor(HWND part, HDC dc) {
    if (backBrush_ == nullptr || window_ == nullptr) return nullptr;
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    GetComboBoxInfo(window_, &info);
    if (part != window_ && part != info.hwndItem && part != info.hwndList) return nullptr;
    // A disabled edit field asks as a static one (WM_CTLCOLORSTATIC), and
    // would else take the dialog face's grey.
    // https://learn.microsoft.com/en-us/windows/win32/controls/wm-ctlcolorstatic
    SetBkColor(dc, DrawingColour(backColor_));
    SetTextColor(dc, enabled_ ? DrawingColour(foreColor_) : GetSysColor(COLOR_GRAYTEXT));
    return backBrush_;
}

void ComboBox::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (window_ != nullptr) EnableWindow(window_, enabled ? TRUE : FALSE);
}

}  // namespace forms
