#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <utility>

#include "platform/menus.h"

namespace pellino {

class Control;
class Form;

// The small window that shows a what's-this text: a bordered box in the platform's info-tip
// colours near a point of the screen. One shows at a time; it goes at the user's next click or
// key, and when the program loses the focus. The state lives here; the backend draws it.
class HelpPopup {
public:
    // Shows the text with its top left corner near the screen point (screen pixels); the backend
    // keeps the whole box on the screen. An empty text shows nothing.
    static void Show(const std::string& text, int screenX, int screenY);
    static void Hide();
    static bool Shown();
    static const std::string& Text();
    static int ScreenX();
    static int ScreenY();

    // Backend use: the user clicked, pressed a key, or the program lost the focus. True when the
    // pop-up was showing: it is gone, and the click or key that closed it does nothing else.
    static bool DismissByPlatform();
};

// The short what's-this texts of a form's controls, and the flow that shows them: a right click on
// a control (or the menu key) opens the menu with its single item "What's this?", which shows the
// text of that control in the help pop-up; F1 shows the text of the focused control at once.
class ContextHelp {
public:
    // Explains the controls of `form`, which holds it as a member.
    explicit ContextHelp(Form& form);
    ~ContextHelp();
    ContextHelp(const ContextHelp&) = delete;
    ContextHelp& operator=(const ContextHelp&) = delete;

    PopupMenu WhatsThisMenu;
    MenuItem WhatsThisItem{&WhatsThisMenu.Items};

    void SetText(const Control& control, std::string text);
    // The texts of many controls at once, as a form lists them when it is made.
    void SetTexts(std::initializer_list<std::pair<const Control&, const char*>> texts);
    // The control's own text or, when it has none, the text of the nearest control around it
    // that has one (a click on a bar between its buttons explains the bar); empty when none.
    std::string TextFor(const Control& control) const;

    // The user asked for the menu of a control at a screen point. A control without a text, or
    // with a menu of its own (an edit field has the platform's Cut, Copy and Paste), gets no
    // what's-this menu; false then.
    bool ContextPopup(Control& control, int screenX, int screenY);
    // F1 on the focused control: its text at once, at the point given (below the control).
    bool HelpKey(Control& control, int screenX, int screenY);
    // The control whose text "What's this?" shows: the one last right-clicked; null before.
    const Control* Target() const { return target_; }

private:
    void WhatsThisClick();

    Form& form_;
    std::map<const Control*, std::string> texts_;  // keys not owned: controls of form_
    Control* target_ = nullptr;                    // not owned
    int targetX_ = 0;
    int targetY_ = 0;
};

// Backend use: a right click (or the menu key) on a control at a screen point, and F1 on the
// focused control, routed to its form's context help. False when the form has none, or it did not
// take the request, so the platform goes on with its own handling.
bool ContextPopupByPlatform(Control& control, int screenX, int screenY);
bool HelpKeyByPlatform(Control& control, int screenX, int screenY);

}  // namespace pellino
