#pragma once
// Where templates, strings, menus and bitmaps are loaded from, and the
// one-time set-up of the common controls.
#include <windows.h>

namespace gd {

// The executable unless SetResourceInstance named another module.
HINSTANCE ResourceInstance();
void SetResourceInstance(HINSTANCE instance);

// Registers the list view, up-down, tool tip and standard control classes;
// dialogs call it before loading a template that uses them.
void InitCommonControlsOnce();

}  // namespace gd
