#pragma once

// Shared pieces of the win32 backend. Only files in this folder include <windows.h>.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// These need the declarations of <windows.h> before them.
#include <commctrl.h>
#include <mmsystem.h>

#include <string>

#include "platform/controls.h"
#include "platform/graphics.h"

namespace pellino::win32 {

HINSTANCE Instance();

// A function of a library the program does not import, looked up by name: the library is loaded
// at the first lookup and stays for the rest of the process. Null where the library or the
// function is missing. Every library imported is loaded before the program starts, which under
// Wine costs a start-up several milliseconds a library, so the ones only some commands use are
// reached through here.
template <typename Function>
Function LibraryFunction(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    if (!module) module = LoadLibraryA(library);
    return module ? reinterpret_cast<Function>(
                        reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                  : nullptr;
}

// Design pixels to screen pixels and back.
int Scale(int design);
int Unscale(int screen);
RECT ToScreenRect(const Rect& design);

COLORREF ToColorRef(Color color);
// A brush of the colour, kept for the life of the process.
HBRUSH BrushFor(Color color);
// A font for the given description at the screen's resolution, kept for the life of the process.
HFONT FontFor(const Font& font);

// The control a native window belongs to (stored with the window), or null.
Control* ControlOf(HWND hwnd);
void BindControl(HWND hwnd, Control* control);
HWND HandleOf(const Control& control);
// The control of the window or, for a native part of a control (the arrows of a spin field), of
// the nearest window around it that has one; null when none.
Control* OwningControl(HWND hwnd);
// Loads the common controls (the tooltip and the spin arrows) at their first use.
void LoadCommonControls();
// The form's hints come up from here on: its tooltip is made at the first movement of the
// pointer over it, not at its start. Returns the tooltip when it was made now, else null.
HWND StartHints(Form& form);
// While a what's-this pop-up shows, the user's next click or key only closes it: true for a
// message that the loop must then drop (the click's button-up too).
bool ClosesHelpPopup(const MSG& msg);

// Switches the hints of a form's controls on or off; off also takes away a hint that shows.
void SetHintsActive(HWND formHandle, bool active);
// While a what's-this pop-up shows, the forms' hints stay away: a hint coming up over the pop-up
// would hide the text the user asked for.
void SuppressHints(bool suppressed);

// Registers, once, the window class of a form and the two classes of our own child controls.
void RegisterFormClass(const std::string& className);
inline constexpr const char* kPanelClass = "PellinoPanel";
inline constexpr const char* kCustomClass = "PellinoCustom";
inline constexpr const char* kTabStripClass = "PellinoTabs";

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The top-level window a window belongs to (the window itself when it is one).
HWND TopLevelOf(HWND hwnd);

// The top-level window that should route dialog keys (Tab, Enter, Escape) for a message.
bool PreTranslate(MSG& msg);

ShiftState CurrentShiftState();

// Draws a button that the program draws itself (Button::DrawnByProgram).
void DrawButton(const DRAWITEMSTRUCT& item, const Button& button);

}  // namespace pellino::win32
