#include <vector>

#include "platform/application.h"
#include "platform/backend.h"
#include "platform/contexthelp.h"
#include "platform/form.h"
#include "platform/win32/win32.h"

namespace pellino {

namespace win32 {

// GetAncestor would say it, but Windows 95 and NT 4 before its fourth service pack do not have it.
HWND TopLevelOf(HWND hwnd) {
    while (hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) hwnd = GetParent(hwnd);
    return hwnd;
}

bool PreTranslate(MSG& msg) {
    HWND top = TopLevelOf(msg.hwnd);
    if (!top) return false;
    Control* control = ControlOf(top);
    if (!control || control->Kind() != ControlKind::Form) return false;
    auto& form = static_cast<Form&>(*control);
    if (msg.message == WM_KEYDOWN &&
        form.KeyPreviewByPlatform(static_cast<int>(msg.wParam), CurrentShiftState())) {
        return true;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
        // F1 explains the focused control, in a pop-up just below it.
        HWND focus = GetFocus();
        Control* asked = OwningControl(focus);
        RECT r{};
        GetWindowRect(asked ? focus : top, &r);
        if (HelpKeyByPlatform(asked ? *asked : form, r.left + Scale(8), r.bottom + Scale(2))) {
            return true;
        }
    }
    // The dialog keys: Tab and the arrows move the focus, Enter and Escape press the default and
    // cancel buttons, in every form of the program. Where they moved the focus, the form is told,
    // so the default frame goes with it.
    HWND focusBefore = GetFocus();
    if (!IsDialogMessageA(top, &msg)) return false;
    HWND focus = GetFocus();
    if (focus != focusBefore && IsWindow(top) && ControlOf(top) == &form) {
        Control* focused = OwningControl(focus);
        if (focused && focused->OwnerForm() == &form) form.SetActiveControl(focused);
    }
    return true;
}

// The first movement of the pointer over a form that shows hints makes its tooltip, which is then
// told of this movement too, so that a pointer that comes to rest at once still gets its hint. A
// window that comes up under a resting pointer is told of a movement all the same; that one is
// not taken for the user's, or every start would wait for the tooltip's library.
void StartHintsUnder(const MSG& msg) {
    static bool seen = false;
    static POINT first{};
    if (!seen) {
        seen = true;
        first = msg.pt;
        return;
    }
    if (msg.pt.x == first.x && msg.pt.y == first.y) return;
    Control* control = ControlOf(TopLevelOf(msg.hwnd));
    if (!control || control->Kind() != ControlKind::Form) return;
    auto& form = static_cast<Form&>(*control);
    if (!form.ShowHints()) return;
    if (HWND tip = StartHints(form)) {
        SendMessageA(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
}

BOOL CALLBACK CollectEnabledWindow(HWND hwnd, LPARAM list) {
    if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    }
    return TRUE;
}

namespace {

void DispatchOne(MSG& msg) {
    if (ClosesHelpPopup(msg)) return;
    if (msg.message == WM_MOUSEMOVE) StartHintsUnder(msg);
    if (PreTranslate(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

// Each message, then the error that a window procedure noted while answering it: shown here, in
// no window's handler and outside any paint.
void Dispatch(MSG& msg) {
    try {
        DispatchOne(msg);
    } catch (...) {
        // The keys the loop looks at first run the program's own handlers outside any window
        // procedure.
        Application::NoteFault(std::current_exception());
    }
    Application::ShowNotedFault();
}

}  // namespace

}  // namespace win32

namespace backend {

void ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        win32::Dispatch(msg);
    }
}

void RunMessageLoop(Form& mainForm) {
    mainForm.Show();
    MSG msg;
    while (!Application::Terminated() && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        win32::Dispatch(msg);
    }
}

void QuitMessageLoop() {
    PostQuitMessage(0);
}

int RunModal(Form& form) {
    // While a modal form is open the program's other windows take no input.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), win32::CollectEnabledWindow,
                      reinterpret_cast<LPARAM>(&disabled));
    HWND previous = GetActiveWindow();
    form.CreatePeers();
    HWND self = win32::HandleOf(form);
    for (HWND hwnd : disabled) {
        if (hwnd == self) continue;
        EnableWindow(hwnd, FALSE);
        // No hint of the windows behind stays up, or comes up late, over the modal form.
        win32::SetHintsActive(hwnd, false);
    }
    // The form's own hints wait until the mouse moves: a hint of the control that merely came up
    // under the resting pointer would cover the form before the user did anything.
    win32::SetHintsActive(self, false);
    POINT rest{};
    GetCursorPos(&rest);
    bool hintsOn = false;
    form.Show();
    MSG msg;
    bool quit = false;
    while (form.ModalResult() == 0) {
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            quit = true;
            break;
        }
        if (!hintsOn && msg.message == WM_MOUSEMOVE) {
            POINT at{};
            GetCursorPos(&at);
            if (at.x != rest.x || at.y != rest.y) {
                win32::SetHintsActive(self, true);
                hintsOn = true;
            }
        }
        win32::Dispatch(msg);
    }
    for (HWND hwnd : disabled) {
        if (hwnd == self) continue;
        EnableWindow(hwnd, TRUE);
        win32::SetHintsActive(hwnd, true);
    }
    win32::SetHintsActive(self, true);
    form.Hide();
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    if (quit) {
        PostQuitMessage(0);
        if (form.ModalResult() == 0) form.SetModalResult(mr::kCancel);
    }
    return form.ModalResult();
}

void MinimizeApplication() {
    if (Form* main = Application::MainForm(); main && main->Peer()) {
        ShowWindow(win32::HandleOf(*main), SW_MINIMIZE);
    }
}

void RestoreApplication() {
    // Only a minimised program is restored: a maximised window stays so, and a hidden one is not
    // shown by this.
    if (Form* main = Application::MainForm(); main && main->Peer()) {
        if (IsIconic(win32::HandleOf(*main))) ShowWindow(win32::HandleOf(*main), SW_RESTORE);
    }
}

void PostFormMessage(Form& form, unsigned message) {
    if (HWND hwnd = win32::HandleOf(form)) PostMessageA(hwnd, message, 0, 0);
}

// A window's messages go with the window.
void DropPostedMessages(const void*) {}

}  // namespace backend

}  // namespace pellino
