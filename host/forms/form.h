#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "host/forms/window_win32.h"

namespace forms {

class Timer;

// Why a form is being unloaded, as its QueryUnload handler is told.
enum class UnloadMode {
    FormControlMenu = 0,  // the window's close command
    FormCode = 1,         // Unload() from the program
    FormOwner = 5,        // the window was destroyed from outside (its parent went away)
};

// A top-level window with a caption and the events of a form. A form is
// loaded (its window made, hidden, and Form_Load raised) without being shown;
// FindWindowA finds it by its caption from then on, shown or not. The host
// lives while any form is loaded (RunApplication).
//
// A concrete form derives from Form, keeps its controls and timers as
// members, and overrides the handlers it has, under their given names.
// Windowless controls (labels, images, shapes) will be painted by the form
// from OnMessage's WM_PAINT, child-window controls will be Window objects
// parented to it, and positions in twips will be scaled here.
class Form : public Window {
public:
    explicit Form(std::string caption);
    ~Form() override;

    // Makes the window, hidden, then raises Form_Load. Does nothing for a
    // loaded form; false when the window can't be made.
    bool Load();
    // Loads the form if need be and shows it.
    void Show();
    // Shows the form modally: the other loaded forms are disabled, and the
    // call returns once this form has been unloaded.
    void ShowModal();
    // Raises Form_QueryUnload (FormCode) and Form_Unload; unless one of them
    // cancels, the form is unloaded and its window goes. True when unloaded.
    bool Unload();

    bool IsLoaded() const { return loaded_; }
    const std::string& Caption() const { return caption_; }

    // Forms loaded at present, in the order they were loaded.
    static const std::vector<Form*>& LoadedForms();

protected:
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(bool& /*cancel*/, UnloadMode /*unloadMode*/) {}
    virtual void Form_Unload(bool& /*cancel*/) {}

    // The window's styles, read when it is made.
    virtual DWORD Style() const { return WS_OVERLAPPEDWINDOW; }
    virtual DWORD ExStyle() const { return 0; }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class Timer;
    friend class LoadingScope;

    // Posted to a form whose timers had ticks waiting while loading code ran.
    static constexpr UINT kRunDeferredTicks = WM_APP + 0x100;

    bool RunUnload(UnloadMode mode, bool windowGoing);
    void RunDeferredTicks();

    std::string caption_;
    bool loaded_ = false;
    bool unloading_ = false;
    std::vector<Timer*> timers_;
};

}  // namespace forms
