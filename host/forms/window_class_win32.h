#pragma once

#include <windows.h>

namespace forms {

// The kinds of window the toolkit makes, each with a class of its own so that
// a window's class says what it is (FindWindowEx, Spy++) and so that no kind
// inherits a class style meant for another.
enum class WindowKind {
    Form,         // "Glintra.Form": a top-level form
    PictureBox,   // "Glintra.PictureBox"
    UserControl,  // "Glintra.UserControl": a control of the host's own, the Command button
    Cover,        // "Glintra.Cover": a plain black window without a pointer
};

// The class name for `kind`, registered on first use with `procedure`;
// nullptr when it can't be registered.
const wchar_t* WindowClassFor(WindowKind kind, WNDPROC procedure);

}  // namespace forms
