#pragma once

// Whether `name` is one of the blank-separated names of an extension string
// (glGetString(GL_EXTENSIONS), glXQueryExtensionsString,
// wglGetExtensionsStringARB). A whole name only: "GLX_EXT_swap_control_tear"
// does not hold "GLX_EXT_swap_control". A null list holds nothing.
bool ExtensionListHas(const char* list, const char* name);
