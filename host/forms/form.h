#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "host/forms/container.h"

namespace forms {

// Why a form is being unloaded, as its QueryUnload handler is told.
enum class UnloadMode {
    FormControlMenu = 0,  // the window's close command
    FormCode = 1,         // Unload() from the program
    FormOwner = 5,        // the window was destroyed from outside (its parent went away)
};

// A top-level window with a caption and the events of a form. A form is
// loaded (its window made, hidden, its controls' windows made and their
// properties read, and Form_Load raised) without being shown; FindWindowA
// finds it by its caption from then on, shown or not. The host lives while
// any form is loaded (RunApplication).
//
// A concrete form derives from Form, keeps its controls and timers as
// members (each built with a reference to its container: the form, or a
// picture box on it), and overrides the handlers it has, under their given
// names. Being a Container, it paints its windowless controls over its
// persistent image and hands them the mouse.
//
// The keyboard focus: when the form is activated, the control that had the
// focus last gets it back, or else the first in the tab order; Tab and
// Shift+Tab move it along the tab order (Form::Dispatch).
class Form : public Container {
public:
    explicit Form(std::string caption);
    ~Form() override;

    // Makes the window, hidden, then raises Form_Load. Does nothing for a
    // loaded form; false when the window can't be made.
    bool Load();
    // Loads the form if need be and shows it.
    void Show();
    // Shows the form modally: the other loaded forms are disabled, and the
    // call returns once this form has been unloaded. The other forms are
    // enabled again before this form's window goes, so that the system
    // activates one of them rather than another program's window.
    void ShowModal();
    // Raises Form_QueryUnload (FormCode) and Form_Unload; unless one of them
    // cancels, the form is unloaded and its window goes (once the handlers
    // running on the thread have returned). True when unloaded.
    bool Unload();

    bool IsLoaded() const { return loaded_; }
    const std::string& Caption() const { return caption_; }
    Form* ParentForm() override { return this; }

    // The outer rectangle, border and caption included, in twips of the
    // screen; and the inner size.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void Move(double left, double top);
    void SetInnerSize(double widthTwips, double heightTwips);

    // Moves the keyboard focus to the next control in the tab order (or the
    // previous one).
    void MoveFocus(bool forward);

    // Forms loaded at present, in the order they were loaded.
    static const std::vector<Form*>& LoadedForms();

    // What the message loops do with each message: the form's keys (Tab),
    // then TranslateMessage and DispatchMessage. Any loop that serves forms
    // uses it.
    static void Dispatch(MSG& message);

protected:
    virtual void Form_Load() {}
    virtual void Form_Resize() {}
    virtual void Form_QueryUnload(bool& /*cancel*/, UnloadMode /*unloadMode*/) {}
    virtual void Form_Unload(bool& /*cancel*/) {}
    virtual void Form_MouseDown(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
    virtual void Form_MouseMove(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}
    virtual void Form_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {}

    // The window's styles, read when it is made.
    virtual DWORD Style() const { return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN; }
    virtual DWORD ExStyle() const { return 0; }
    // The ICON resource of the program shown in the caption and the task
    // switcher; 0: the system's default.
    virtual int IconResource() const { return 0; }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool TimersLive() const override { return loaded_; }

private:
    bool RunUnload(UnloadMode mode, bool windowGoing);
    void SetIcons();
    void EnableDisabledForms();
    void OnMouse(MouseAction action, const MouseEvent& event) override;
    void OnResize() override;
    // The windows of the tab order, first to last.
    std::vector<HWND> TabOrder();

    std::string caption_;
    bool loaded_ = false;
    bool unloading_ = false;
    std::vector<HWND> disabledForms_;  // by ShowModal, until this form goes
    HWND activeControl_ = nullptr;     // the focus when the form was last active
};

}  // namespace forms
