#include "host/settings_dialog/settings_dialog.h"

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

// A function of a system DLL that only a click needs, looked up at that click,
// so that the dialog starts without loading the DLL (and what it loads in
// turn: comdlg32 brings the print spooler's libraries, shell32 the common
// controls). The DLL is searched for as an import would be and stays loaded
// for the rest of the run. Null when it can't be had; the click then goes as
// when the call itself fails.
template <class Function>
Function* FunctionForClick(const wchar_t* dll, const char* name) {
    HMODULE module = GetModuleHandleW(dll);
    if (module == nullptr) module = LoadLibraryW(dll);
    if (module == nullptr) return nullptr;
    // By way of a function type without parameters, which any function
    // pointer may be cast through.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

forms::FontRef FontOf(const ControlLayout& control) {
    return forms::Font::New(DescribeFont(control.font));
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

std::unique_ptr<CommandButton> MakeButton(forms::Container& container,
                                          const ControlLayout& control) {
    forms::PropertyBag stored;
    stored.Set("Caption", control.caption);
    stored.Set("Font", FontOf(control)->Description());
    auto button = std::make_unique<CommandButton>(container, RectOf(control), stored);
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

SettingsDialog::SettingsDialog(Settings settings)
    : Form(kSettingsDialogCaption), settings_(std::move(settings)) {
    SetBackColor(kDialogBackColour);
    // The gradient counts its rows in pixels: one line per row on the screen.
    SetScaleMode(forms::ScaleMode::Pixels);
    for (const ControlLayout& control : DialogControls()) MakeControl(control);
    for (int16_t i = 0; i < static_cast<int16_t>(kindMarks.size()); ++i) {
        kindMarks[i]->MouseDown = [this, i](const forms::MouseEvent& e) {
            KindMark_MouseDown(i, e.button, e.shift, e.x, e.y);
        };
        kindLabels[i]->MouseDown = [this, i](const forms::MouseEvent& e) {
            KindLabel_MouseDown(i, e.button, e.shift, e.x, e.y);
        };
    }
    chooseButton->Click = [this] { ChooseButton_Click(); };
    setButton->Click = [this] { SetButton_Click(); };
    cancelButton->Click = [this] { CancelButton_Click(); };
    otherWorksButton->Click = [this] { OtherWorksButton_Click(); };
}

// One control of the table, into the member of its name (SlotFor throws for
// one the dialog has no member for).
void SettingsDialog::MakeControl(const ControlLayout& control) {
    forms::Container& container = control.container == ::Container::kPanel
                                      ? static_cast<forms::Container&>(*panel)
                                      : static_cast<forms::Container&>(*this);
    switch (control.kind) {
        case ControlKind::kPictureBox: {
            auto& box =
                SlotFor<std::unique_ptr<forms::PictureBox>>(control, {{"panel", -1, &panel}});
            box = std::make_unique<forms::PictureBox>(container, RectOf(control));
            box->SetBackColor(control.backColour);
            box->SetFont(FontOf(control));
            box->SetScaleMode(forms::ScaleMode::Pixels);
            box->SetTabIndex(control.tabIndex);
            break;
        }
        case ControlKind::kShape: {
            auto& shape = SlotFor<std::unique_ptr<forms::Shape>>(
                control, {{"headingFrame", -1, &headingFrame}});
            shape = std::make_unique<forms::Shape>(container, RectOf(control));
            shape->SetBorderColor(control.foreColour);
            break;
        }
        case ControlKind::kLabel:
            SlotFor<std::unique_ptr<forms::Label>>(control, {{"heading", -1, &heading},
                                                             {"kindLabels", 0, &kindLabels[0]},
                                                             {"kindLabels", 1, &kindLabels[1]},
                                                             {"kindLabels", 2, &kindLabels[2]},
                                                             {"repeatLabel", -1, &repeatLabel},
                                                             {"fileLabel", -1, &fileLabel},
                                                             {"creditLabel", -1, &creditLabel}}) =
                MakeLabel(container, control);
            break;
        case ControlKind::kImage: {
            auto& image = SlotFor<std::unique_ptr<forms::Image>>(
                control, {{"kindMarks", 0, &kindMarks[0]},
                          {"kindMarks", 1, &kindMarks[1]},
                          {"kindMarks", 2, &kindMarks[2]},
                          {"markPictures", 0, &markPictures[0]},
                          {"markPictures", 1, &markPictures[1]}});
            image = std::make_unique<forms::Image>(container, RectOf(control));
            if (control.picture != 0) {
                image->SetPicture(forms::Picture::FromResource(control.picture));
            }
            break;
        }
        case ControlKind::kComboBox: {
            auto& box =
                SlotFor<std::unique_ptr<forms::ComboBox>>(control, {{"repeatBox", -1, &repeatBox}});
            box = std::make_unique<forms::ComboBox>(container, RectOf(control), FontOf(control));
            box->SetTabIndex(control.tabIndex);
            // White whatever its state and the colour scheme; a numeric field
            // opens with the input method off.
            box->SetBackColor(control.backColour);
            box->SetForeColor(control.foreColour);
            box->SetIMEMode(forms::ImeMode::Off);
            break;
        }
        case ControlKind::kCommandButton:
            SlotFor<std::unique_ptr<CommandButton>>(
                control, {{"chooseButton", -1, &chooseButton},
                          {"otherWorksButton", -1, &otherWorksButton},
                          {"setButton", -1, &setButton},
                          {"cancelButton", -1, &cancelButton}}) = MakeButton(container, control);
            break;
    }
}

// The controls go before the panel and the form that hold them (the members'
// order sees to it); nothing else to do.
SettingsDialog::~SettingsDialog() = default;

// A fixed single border and a caption bar with the close box only: the user
// can't resize the window, so it gets its size once.
DWORD SettingsDialog::Style() const { return WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN; }

int SettingsDialog::IconResource() const { return IDI_GLINTRA; }

void SettingsDialog::Form_Load() {
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

    CommandButton::InitializeAll(*this);
    ShowKind();

    repeatBox->SetText(RepeatText(settings_.repeat));
    for (const std::string& entry : RepeatList()) repeatBox->AddItem(entry);

    // The file is in the ANSI code page, as the settings file keeps it.
    fileLabel->SetCaption(forms::Utf8FromWide(forms::WideFromAnsi(settings_.file)));

    POINT point = {};
    const bool gotCursor = GetCursorPos(&point) != FALSE;
    zoomPoint_ = ZoomPointFromCursor(gotCursor, point.x, point.y, zoomPoint_);
    ZoomFromPoint(hwnd(), zoomPoint_);

    SetMousePointer(MousePointer::Default);
}

void SettingsDialog::Form_Resize() {
    PaintGradient(*this, GradientSurface::kWindow);
    PaintGradient(*panel, GradientSurface::kPanel);
}

void SettingsDialog::Form_Unload(bool& /*cancel*/) { ZoomToPoint(hwnd(), zoomPoint_); }

void SettingsDialog::ShowKind() {
    const KindDisplay display = ::ShowKind(settings_.kind);
    chooseButton->SetEnabled(display.chooserEnabled);
    repeatBox->SetEnabled(display.repeatEnabled);
    for (int i = 0; i < static_cast<int>(kindMarks.size()); ++i) {
        kindMarks[i]->SetPicture(markPictures[display.IsSelected(i) ? 1 : 0]->Picture());
    }
}

void SettingsDialog::KindMark_MouseDown(int16_t index, int /*button*/, int /*shift*/, double /*x*/,
                                        double /*y*/) {
    SelectKind(settings_.kind, index);
    ShowKind();
}

void SettingsDialog::KindLabel_MouseDown(int16_t index, int button, int shift, double x, double y) {
    KindMark_MouseDown(index, button, shift, x, y);
}

void SettingsDialog::ChooseButton_Click() {
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
    const auto getOpenFileName =
        FunctionForClick<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    // Cancelled, or the chooser failed or could not be had: nothing changes.
    if (getOpenFileName == nullptr || !getOpenFileName(&record)) return;

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
    fileLabel->SetCaption(forms::Utf8FromWide(chosen));
}

void SettingsDialog::SetButton_Click() {
    const std::optional<int16_t> repeat = RepeatFromText(repeatBox->Text());
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

void SettingsDialog::CancelButton_Click() { Unload(); }

void SettingsDialog::OtherWorksButton_Click() {
    SetMousePointer(MousePointer::Hourglass);
    // Its result is not looked at: a failure, or no shell32, shows nothing.
    if (const auto shellExecute =
            FunctionForClick<decltype(ShellExecuteW)>(L"shell32.dll", "ShellExecuteW")) {
        shellExecute(hwnd(), L"open", forms::WideFromUtf8(kHomePageAddress).c_str(), L"", L"",
                     SW_SHOWNORMAL);
    }
    SetMousePointer(MousePointer::Default);
}
