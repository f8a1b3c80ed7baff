#include "platform/contexthelp.h"

#include "platform/backend.h"
#include "platform/form.h"

namespace pellino {

namespace {

struct PopupState {
    bool shown = false;
    std::string text;
    int x = 0;
    int y = 0;
};

PopupState& Popup() {
    static PopupState state;
    return state;
}

// The platform's edit fields bring their own menu (Undo, Cut, Copy, Paste) to a right click.
bool HasMenuOfItsOwn(const Control& control) {
    return control.Kind() == ControlKind::Edit || control.Kind() == ControlKind::SpinEdit;
}

}  // namespace

void HelpPopup::Show(const std::string& text, int screenX, int screenY) {
    if (text.empty()) return;
    Popup() = PopupState{true, text, screenX, screenY};
    backend::ShowHelpPopup(text, screenX, screenY);
}

void HelpPopup::Hide() {
    if (!Popup().shown) return;
    Popup() = PopupState{};
    backend::HideHelpPopup();
}

bool HelpPopup::Shown() {
    return Popup().shown;
}

const std::string& HelpPopup::Text() {
    return Popup().text;
}

int HelpPopup::ScreenX() {
    return Popup().x;
}

int HelpPopup::ScreenY() {
    return Popup().y;
}

bool HelpPopup::DismissByPlatform() {
    if (!Popup().shown) return false;
    Hide();
    return true;
}

ContextHelp::ContextHelp(Form& form) : form_(form) {
    WhatsThisItem.SetName("mnuWhatsThis");
    WhatsThisItem.SetCaption("What's this?");
    WhatsThisItem.OnClick = [this](MenuItem&) { WhatsThisClick(); };
    form_.SetContextHelp(this);
}

ContextHelp::~ContextHelp() {
    if (form_.GetContextHelp() == this) form_.SetContextHelp(nullptr);
}

void ContextHelp::SetText(const Control& control, std::string text) {
    texts_[&control] = std::move(text);
}

void ContextHelp::SetTexts(std::initializer_list<std::pair<const Control&, const char*>> texts) {
    for (const auto& [control, text] : texts) SetText(control, text);
}

std::string ContextHelp::TextFor(const Control& control) const {
    for (const Control* c = &control; c; c = c->Parent()) {
        const auto found = texts_.find(c);
        if (found != texts_.end() && !found->second.empty()) return found->second;
    }
    return {};
}

bool ContextHelp::ContextPopup(Control& control, int screenX, int screenY) {
    if (HasMenuOfItsOwn(control) || TextFor(control).empty()) return false;
    // A new request closes the text still showing for an earlier one.
    HelpPopup::Hide();
    target_ = &control;
    targetX_ = screenX;
    targetY_ = screenY;
    WhatsThisMenu.Popup(screenX, screenY);
    return true;
}

bool ContextHelp::HelpKey(Control& control, int screenX, int screenY) {
    const std::string text = TextFor(control);
    if (text.empty()) return false;
    HelpPopup::Show(text, screenX, screenY);
    return true;
}

void ContextHelp::WhatsThisClick() {
    if (target_) HelpPopup::Show(TextFor(*target_), targetX_, targetY_);
}

bool ContextPopupByPlatform(Control& control, int screenX, int screenY) {
    Form* form = control.OwnerForm();
    ContextHelp* help = form ? form->GetContextHelp() : nullptr;
    return help && help->ContextPopup(control, screenX, screenY);
}

bool HelpKeyByPlatform(Control& control, int screenX, int screenY) {
    Form* form = control.OwnerForm();
    ContextHelp* help = form ? form->GetContextHelp() : nullptr;
    return help && help->HelpKey(control, screenX, screenY);
}

}  // namespace pellino
