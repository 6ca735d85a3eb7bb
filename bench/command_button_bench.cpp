// The Command button's costs under Wine (reported, never asserted):
//  - one DrawFace of a design-size button (1755 x 420 twips), the whole of
//    it: clear, gradient, eight pieces, the two refreshes that put it on
//    the screen;
//  - the time from a pointer move onto the button to its pointer-over face
//    on the screen, and from a move off it to its normal face (which waits
//    for the 100 ms hover poll), the screen read as fast as it can be.
// Usage: glintra_button_bench [draws] [moves]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/win32_bench_report.h"
#include "support/win32_input.h"
#include "support/win32_screen.h"
#include "host/command_button/command_button.h"
#include "host/forms/form.h"

struct CommandProbe {
    static void DrawFace(CommandButton& button, command_button::Face face) {
        button.DrawFace(face);
    }
};

namespace {

forms::PropertyBag Stored() {
    forms::PropertyBag bag;
    bag.Set("Caption", "設定");
    bag.Set("Font", forms::FontDescription{"ＭＳ Ｐゴシック", 9.75, false, false, false, false,
                                           forms::kShiftJisCharset});
    return bag;
}

class BenchForm : public forms::Form {
public:
    BenchForm() : Form("Command button bench") {}
    CommandButton button{*this, {300, 300, 1755, 420}, Stored()};

protected:
    DWORD Style() const override { return WS_POPUP | WS_CLIPCHILDREN; }
    void Form_Load() override {
        Move(1500, 1500);
        SetInnerSize(2400, 1200);
        button.Initialize();
    }
};

// The HighLight face's orange rim on row 2, in the middle of the button.
bool ShowsHighLight(const RECT& button) {
    const RECT probe = {(button.left + button.right) / 2, button.top + 2,
                        (button.left + button.right) / 2 + 1, button.top + 3};
    const ScreenImage pixel = CaptureScreenArea(probe);
    return pixel.width == 1 && pixel.At(0, 0)[0] == 0xFF && pixel.At(0, 0)[1] == 0xF0 &&
           pixel.At(0, 0)[2] == 0xCF;
}

}  // namespace

int main(int argc, char** argv) {
    const int draws = argc > 1 ? std::atoi(argv[1]) : 500;
    const int moves = argc > 2 ? std::atoi(argv[2]) : 20;
    static BenchForm form;
    form.Show();
    SetForegroundWindow(form.hwnd());
    PumpFor(0.5, forms::Form::Dispatch);

    std::vector<double> drawMs;
    for (int i = 0; i < draws; ++i) {
        const double start = BenchNow();
        CommandProbe::DrawFace(form.button, command_button::Face::Normal);
        drawMs.push_back((BenchNow() - start) * 1000);
    }
    ReportMilliseconds("DrawFace, 117 x 28 pixels", drawMs);

    RECT button = {};
    GetWindowRect(form.button.hwnd(), &button);
    const POINT off = {button.right + 200, button.bottom + 200};
    std::vector<double> enterMs, leaveMs;
    for (int i = 0; i < moves; ++i) {
        MoveMouseTo(off.x + i % 2, off.y);
        if (!PumpUntil([&] { return !ShowsHighLight(button); }, 5, forms::Form::Dispatch)) break;
        PumpFor(0.05, forms::Form::Dispatch);
        double start = BenchNow();
        MoveMouseTo(button.left + 20 + i % 7, (button.top + button.bottom) / 2);
        if (!PumpUntil([&] { return ShowsHighLight(button); }, 5, forms::Form::Dispatch)) break;
        enterMs.push_back((BenchNow() - start) * 1000);
        start = BenchNow();
        MoveMouseTo(off.x, off.y + 1 + i % 2);
        if (!PumpUntil([&] { return !ShowsHighLight(button); }, 5, forms::Form::Dispatch)) break;
        leaveMs.push_back((BenchNow() - start) * 1000);
    }
    ReportMilliseconds("pointer onto the button to HighLight shown", enterMs);
    ReportMilliseconds("pointer off the button to Normal shown", leaveMs);
    form.Unload();
    return 0;
}
