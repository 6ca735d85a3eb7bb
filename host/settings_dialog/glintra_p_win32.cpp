#include "host/settings_dialog/glintra_p.h"

#include <commdlg.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <utility>

#include "host/forms/application.h"
#include "host/forms/text_win32.h"
#include "host/resources/host_icon.h"
#include "host/settings_dialog/background_gradient.h"
#include "host/settings_dialog/cursor_zoom_point.h"
#include "host/settings_dialog/dialog_layout.h"
#include "host/settings_dialog/dialog_messages.h"
#include "host/settings_dialog/dialog_placement.h"
#include "host/settings_dialog/file_chooser_record.h"
#include "host/settings_dialog/kind_display.h"
#include "host/settings_dialog/repeat_text.h"
#include "host/settings_dialog/window_zoom_win32.h"
#include "shared/program_contract.h"

namespace {

forms::FontRef FontOf(const ControlLayout& control) {
    forms::FontDescription font;
    font.name = control.fontFace;
    font.size = control.fontPoints;
    // The Japanese face with its own character set, so that the system picks
    // a face with the Japanese glyphs even where its name is unknown.
    font.charset = std::string(control.fontFace) == kLabelFontFace ? forms::kShiftJisCharset
                                                                   : forms::kDefaultCharset;
    return forms::Font::New(font);
}

forms::TwipsRect RectOf(const ControlLayout& control) {
    return {double(control.left), double(control.top), double(control.width),
            double(control.height)};
}

std::unique_ptr<forms::Label> MakeLabel(forms::Container& container, const ControlLayout& control) {
    auto label = std::make_unique<forms::Label>(container, RectOf(control), control.caption,
                                                FontOf(control));
    label->SetForeColor(control.foreColour);
    label->SetBackStyle(forms::BackStyle::Transparent);
    label->SetAlignment(control.align == TextAlign::kCentre ? forms::Alignment::Center
                                                            : forms::Alignment::Left);
    if (control.border) label->SetBorderStyle(forms::BorderStyle::FixedSingle);
    return label;
}

std::unique_ptr<Command> MakeCommand(forms::Container& container, const ControlLayout& control) {
    forms::PropertyBag stored;
    stored.Set("Caption", control.caption);
    stored.Set("Font", FontOf(control)->Description());
    auto button = std::make_unique<Command>(container, RectOf(control), stored);
    button->SetTabIndex(control.tabIndex);
    return button;
}

// The painted background of one surface: one line per row of pixels, each in
// its row's colour, into the surface's persistent image.
void PaintGradient(forms::Container& surface, GradientSurface kind) {
    const double height = surface.ScaleHeight();
    const double width = surface.ScaleWidth();
    const int32_t rows = GradientRowCount(height);
    for (int32_t y = 0; y < rows; ++y) {
        surface.Line(0, y, width, y, GradientRowColour(kind, height, y));
    }
    surface.Refresh();
}

}  // namespace

Glintra_P::Glintra_P(Settings settings)
    : Form(kSettingsDialogCaption), settings_(std::move(settings)) {
    SetBackColor(kDialogBackColour);
    // The gradient counts its rows in pixels: one line per row on the screen.
    SetScaleMode(forms::ScaleMode::Pixels);
    for (const ControlLayout& control : DialogControls()) {
        forms::Container& container = control.container == ::Container::kPanel
                                          ? static_cast<forms::Container&>(*Pic_C)
                                          : static_cast<forms::Container&>(*this);
        const std::string name = control.name;
        const int16_t index = control.index;
        switch (control.kind) {
            case ControlKind::kPictureBox:
                Pic_C = std::make_unique<forms::PictureBox>(container, RectOf(control));
                Pic_C->SetBackColor(control.backColour);
                Pic_C->SetFont(FontOf(control));
                Pic_C->SetScaleMode(forms::ScaleMode::Pixels);
                Pic_C->SetTabIndex(control.tabIndex);
                break;
            case ControlKind::kShape:
                Shape3 = std::make_unique<forms::Shape>(container, RectOf(control));
                Shape3->SetBorderColor(control.foreColour);
                break;
            case ControlKind::kLabel:
                if (name == "lbl_BGM") {
                    lbl_BGM.at(index) = MakeLabel(container, control);
                    lbl_BGM[index]->MouseDown = [this, index](const forms::MouseEvent& e) {
                        lbl_BGM_MouseDown(index, e.button, e.shift, e.x, e.y);
                    };
                } else if (name == "lbl_Fname") {
                    lbl_Fname = MakeLabel(container, control);
                } else {
                    lbl[index] = MakeLabel(container, control);
                }
                break;
            case ControlKind::kImage: {
                auto image = std::make_unique<forms::Image>(container, RectOf(control));
                if (control.picture != 0) {
                    image->SetPicture(forms::Picture::FromResource(control.picture));
                }
                if (name == "Img_BGM") {
                    image->MouseDown = [this, index](const forms::MouseEvent& e) {
                        Img_BGM_MouseDown(index, e.button, e.shift, e.x, e.y);
                    };
                    Img_BGM.at(index) = std::move(image);
                } else {
                    Img_Ra.at(index) = std::move(image);
                }
                break;
            }
            case ControlKind::kComboBox:
                BGM_Repeat =
                    std::make_unique<forms::ComboBox>(container, RectOf(control), FontOf(control));
                BGM_Repeat->SetTabIndex(control.tabIndex);
                break;
            case ControlKind::kCommandButton: {
                std::unique_ptr<Command> button = MakeCommand(container, control);
                std::unique_ptr<Command>& slot = name == "Cmd_BGM"   ? Cmd_BGM
                                                 : name == "Cmd_Etc" ? Cmd_Etc
                                                 : name == "Cmd_Set" ? Cmd_Set
                                                                     : Cmd_Can;
                slot = std::move(button);
                break;
            }
        }
    }
    Cmd_BGM->Click = [this] { Cmd_BGM_Click(); };
    Cmd_Set->Click = [this] { Cmd_Set_Click(); };
    Cmd_Can->Click = [this] { Cmd_Can_Click(); };
    Cmd_Etc->Click = [this] { Cmd_Etc_Click(); };
}

// The controls go before the panel and the form that hold them (the members'
// order sees to it); nothing else to do.
Glintra_P::~Glintra_P() = default;

// A fixed single border and a caption bar with the close box only: the user
// can't resize the window, so it gets its size once.
DWORD Glintra_P::Style() const { return WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN; }

int Glintra_P::IconResource() const { return IDI_GLINTRA; }

void Glintra_P::Form_Load() {
    // The window's inner area at its design size, before it is placed.
    SetInnerSize(kDialogInnerWidth, kDialogInnerHeight);

    // Centred across the primary screen, a third of the free height down.
    RECT outer = {};
    if (GetWindowRect(hwnd(), &outer)) {
        const DialogPlace place =
            PlaceDialog(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                        outer.right - outer.left, outer.bottom - outer.top);
        SetWindowPos(hwnd(), nullptr, place.left, place.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    SetupCommands(*this);
    ShowBGMKind();

    BGM_Repeat->SetText(RepeatText(settings_.repeat));
    for (const std::string& entry : RepeatList()) BGM_Repeat->AddItem(entry);

    // The file is in the ANSI code page, as the settings file keeps it.
    lbl_Fname->SetCaption(forms::Utf8FromWide(forms::WideFromAnsi(settings_.file)));

    POINT point = {};
    const bool gotCursor = GetCursorPos(&point) != FALSE;
    zoomPoint_ = ZoomPointFromCursor(gotCursor, point.x, point.y, zoomPoint_);
    ZoomFromPoint(hwnd(), zoomPoint_);

    SetMousePointer(MousePointer::Default);
}

void Glintra_P::Form_Resize() {
    PaintGradient(*this, GradientSurface::kWindow);
    PaintGradient(*Pic_C, GradientSurface::kPanel);
}

void Glintra_P::Form_Unload(bool& /*Cancel*/) { ZoomToPoint(hwnd(), zoomPoint_); }

void Glintra_P::ShowBGMKind() {
    const KindDisplay display = ::ShowBGMKind(settings_.kind);
    Cmd_BGM->SetEnabled(display.chooserEnabled);
    BGM_Repeat->SetEnabled(display.repeatEnabled);
    for (int i = 0; i < static_cast<int>(Img_BGM.size()); ++i) {
        Img_BGM[i]->SetPicture(Img_Ra[display.IsSelected(i) ? 1 : 0]->Picture());
    }
}

void Glintra_P::Img_BGM_MouseDown(int16_t Index, int /*Button*/, int /*Shift*/, double /*X*/,
                                  double /*Y*/) {
    SelectKind(settings_.kind, Index);
    ShowBGMKind();
}

void Glintra_P::lbl_BGM_MouseDown(int16_t Index, int Button, int Shift, double X, double Y) {
    Img_BGM_MouseDown(Index, Button, Shift, X, Y);
}

void Glintra_P::Cmd_BGM_Click() {
    std::wstring file(kChooserFileChars, L'\0');
    std::wstring fileTitle(kChooserFileTitleChars, L'\0');
    OPENFILENAMEW record = {};
    record.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    record.hwndOwner = hwnd();
    record.hInstance = GetModuleHandleW(nullptr);
    record.lpstrFilter = reinterpret_cast<const wchar_t*>(kChooserFilter);
    record.nFilterIndex = kChooserFilterIndex;
    record.lpstrFile = file.data();
    record.nMaxFile = kChooserFileChars;
    record.lpstrFileTitle = fileTitle.data();
    record.nMaxFileTitle = kChooserFileTitleChars;
    record.lpstrTitle = reinterpret_cast<const wchar_t*>(kChooserTitle);
    record.Flags = kChooserFlags;
    if (!GetOpenFileNameW(&record)) return;  // cancelled, or the chooser failed: nothing changes

    const std::u16string chosen16 =
        ChosenPath(reinterpret_cast<const char16_t*>(file.data()), file.size());
    const std::wstring chosen(chosen16.begin(), chosen16.end());
    const std::optional<std::string> ansi = forms::AnsiFromWide(chosen);
    const ChosenPathCheck check = CheckChosenPath(ansi.has_value(), ansi ? ansi->size() : 0);
    if (const char* message = ChosenPathMessage(check)) {
        MsgBox(message, kHostTitle);
        return;
    }
    settings_.file = *ansi;
    lbl_Fname->SetCaption(forms::Utf8FromWide(chosen));
}

void Glintra_P::Cmd_Set_Click() {
    const std::optional<int16_t> repeat = RepeatFromText(BGM_Repeat->Text());
    if (!repeat) {
        MsgBox(kRepeatOutOfRangeMessage, kHostTitle);
        return;
    }
    settings_.repeat = *repeat;
    if (!SaveSettings(settings_)) {
        MsgBox(kSettingsNotSavedMessage, kHostTitle);
        return;
    }
    // The windows go once the button's handling has returned.
    Unload();
}

void Glintra_P::Cmd_Can_Click() { Unload(); }

void Glintra_P::Cmd_Etc_Click() {
    SetMousePointer(MousePointer::Hourglass);
    ShellExecuteW(hwnd(), L"open", forms::WideFromUtf8(kHomePageAddress).c_str(), L"", L"",
                  SW_SHOWNORMAL);
    SetMousePointer(MousePointer::Default);
}

void SetupCommands(forms::Form& form) {
    struct Walk {
        static void In(forms::Container& container) {
            for (forms::ChildControl* child : container.ChildControls()) {
                if (auto* button = dynamic_cast<Command*>(child)) {
                    button->Initialize();
                } else if (auto* inner = dynamic_cast<forms::Container*>(child)) {
                    In(*inner);
                }
            }
        }
    };
    Walk::In(form);
}
