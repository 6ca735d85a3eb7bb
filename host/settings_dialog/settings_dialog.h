#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

#include "host/command_button/command_button.h"
#include "host/forms/combo_box.h"
#include "host/forms/form.h"
#include "host/forms/image.h"
#include "host/forms/label.h"
#include "host/forms/picture_box.h"
#include "host/forms/shape.h"
#include "host/settings/settings.h"
#include "host/settings_dialog/cursor_zoom_point.h"
#include "host/settings_dialog/dialog_layout.h"

// The settings dialog, captioned "<Glintra>": the three music settings shown,
// changed on a copy and written to Glintra.ini on "設定". Start-up shows it
// modally, with no owner, for the switch /c, and ends the host once it has
// closed.
//
// Its controls are made from the layout table (dialog_layout.h), in the
// table's order, which is also their z-order; each goes to the member of its
// name, control arrays by index.
class SettingsDialog : public forms::Form {
public:
    explicit SettingsDialog(Settings settings);
    ~SettingsDialog() override;

    // The settings as the dialog shows them: what it was given, with the
    // user's changes; saved as they are on "設定".
    const Settings& settings() const { return settings_; }

    // The panel first: the controls on it go before it does.
    std::unique_ptr<forms::PictureBox> panel;
    std::unique_ptr<forms::Shape> headingFrame;
    std::unique_ptr<forms::Label> heading;                    // "BGM"
    std::array<std::unique_ptr<forms::Image>, 3> kindMarks;   // by kind: none, CD, file
    std::array<std::unique_ptr<forms::Label>, 3> kindLabels;  // beside them
    std::unique_ptr<forms::ComboBox> repeatBox;
    std::unique_ptr<forms::Label> repeatLabel;        // "曲目をﾘﾋﾟｰﾄ"
    std::unique_ptr<forms::Label> fileLabel;          // the music file's path
    std::unique_ptr<forms::Label> creditLabel;        // the author and the version
    std::unique_ptr<CommandButton> chooseButton;      // "...": the file chooser
    std::unique_ptr<CommandButton> otherWorksButton;  // "その他の作品": the home page
    std::unique_ptr<CommandButton> setButton;         // "設定"
    std::unique_ptr<CommandButton> cancelButton;      // "ｷｬﾝｾﾙ"
    // The marks' two pictures, not selected and selected; never seen.
    std::array<std::unique_ptr<forms::Image>, 2> markPictures;

protected:
    DWORD Style() const override;
    int IconResource() const override;
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(bool& cancel) override;

private:
    void MakeControl(const ControlLayout& control);
    void ShowKind();
    void KindMark_MouseDown(int16_t index, int button, int shift, double x, double y);
    void KindLabel_MouseDown(int16_t index, int button, int shift, double x, double y);
    void ChooseButton_Click();
    void SetButton_Click();
    void CancelButton_Click();
    void OtherWorksButton_Click();

    Settings settings_;
    ZoomXY zoomPoint_;  // where the mouse was as the dialog loaded
};
