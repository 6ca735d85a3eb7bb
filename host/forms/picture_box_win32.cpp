#include "host/forms/picture_box.h"

namespace forms {

void PictureBox::OnMouse(MouseAction action, const MouseEvent& event) {
    const auto& handler = action == MouseAction::Down   ? MouseDown
                          : action == MouseAction::Move ? MouseMove
                                                        : MouseUp;
    if (handler) handler(event);
}

}  // namespace forms
