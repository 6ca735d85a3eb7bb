#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>

#include "host/command_button/command.h"
#include "host/forms/combo_box.h"
#include "host/forms/form.h"
#include "host/forms/image.h"
#include "host/forms/label.h"
#include "host/forms/picture_box.h"
#include "host/forms/shape.h"
#include "host/saver/settings.h"
#include "host/settings_dialog/cursor_zoom_point.h"

// The settings dialog, captioned "<Glintra>": the three music settings shown,
// changed on a copy and written to Glintra.ini on "設定". Main shows it
// modally, with no owner, for the switch /c, and ends the host once it has
// closed.
//
// Its controls are made from the layout table (dialog_layout.h), in the
// table's order, which is also their z-order; the code reaches them under
// their names, control arrays by index.
class Glintra_P : public forms::Form {
public:
    explicit Glintra_P(Settings settings);
    ~Glintra_P() override;

    // The settings as the dialog shows them: what it was given, with the
    // user's changes; saved as they are on "設定".
    const Settings& settings() const { return settings_; }

    // The panel first: the controls on it go before it does.
    std::unique_ptr<forms::PictureBox> Pic_C;
    std::unique_ptr<forms::Shape> Shape3;
    std::map<int16_t, std::unique_ptr<forms::Label>> lbl;  // 7, 14, 15
    std::array<std::unique_ptr<forms::Image>, 3> Img_BGM;
    std::array<std::unique_ptr<forms::Label>, 3> lbl_BGM;
    std::unique_ptr<forms::ComboBox> BGM_Repeat;
    std::unique_ptr<forms::Label> lbl_Fname;
    std::unique_ptr<Command> Cmd_BGM;
    std::unique_ptr<Command> Cmd_Etc;
    std::unique_ptr<Command> Cmd_Set;
    std::unique_ptr<Command> Cmd_Can;
    std::array<std::unique_ptr<forms::Image>, 2> Img_Ra;

protected:
    DWORD Style() const override;
    int IconResource() const override;
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(bool& Cancel) override;

private:
    void ShowBGMKind();
    void Img_BGM_MouseDown(int16_t Index, int Button, int Shift, double X, double Y);
    void lbl_BGM_MouseDown(int16_t Index, int Button, int Shift, double X, double Y);
    void Cmd_BGM_Click();
    void Cmd_Set_Click();
    void Cmd_Can_Click();
    void Cmd_Etc_Click();

    Settings settings_;
    ZoomXY zoomPoint_;  // where the mouse was as the dialog loaded
};

// Initialises every Command button on `form`, in whatever container it sits,
// and passes over the other controls.
void SetupCommands(forms::Form& form);
