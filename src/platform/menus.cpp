#include "platform/menus.h"

#include <algorithm>

#include "platform/application.h"
#include "platform/backend.h"

namespace pellino {

namespace {
unsigned nextMenuId = 1000;  // menu commands stay clear of the controls' and the dialog keys' ids
}

MenuItem::MenuItem(MenuItem* parent) : parent_(parent), id_(nextMenuId++) {
    if (parent_) parent_->items_.push_back(this);
}

MenuItem::~MenuItem() {
    // A native menu may outlive the items it was built from (the window that shows it goes
    // later); it is told, so it never reaches back into them.
    if (rootPeer_) rootPeer_->RootDestroyed();
    for (MenuItem* item : items_) item->parent_ = nullptr;
    if (parent_) {
        auto& siblings = parent_->items_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

MenuPeer* MenuItem::RootPeer() const {
    const MenuItem* item = this;
    while (item->parent_) item = item->parent_;
    return item->rootPeer_;
}

void MenuItem::Changed() {
    if (MenuPeer* peer = RootPeer()) peer->ItemChanged(*this);
}

void MenuItem::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    if (MenuPeer* peer = RootPeer()) peer->Rebuild();
}

void MenuItem::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Changed();
}

void MenuItem::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Changed();
}

void MenuItem::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (MenuPeer* peer = RootPeer()) peer->Rebuild();
}

void MenuItem::Click() {
    if (!enabled_ || !OnClick) return;
    Application::Dispatch([this] { OnClick(*this); });
}

void MenuItem::DropDown() {
    if (OnPopup) Application::Dispatch(OnPopup);
}

MenuItem* FindMenuItem(MenuItem& root, unsigned id) {
    if (root.Id() == id) return &root;
    for (MenuItem* item : root.Items()) {
        if (MenuItem* found = FindMenuItem(*item, id)) return found;
    }
    return nullptr;
}

void PopupMenu::Popup(int screenX, int screenY) {
    if (OnPopup) Application::Dispatch(OnPopup);
    backend::PopupMenu(*this, screenX, screenY);
}

void PopupMenu::PopupUnder(Control& control) {
    if (OnPopup) Application::Dispatch(OnPopup);
    backend::PopupMenuUnder(*this, control);
}

}  // namespace pellino
