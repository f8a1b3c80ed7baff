#include "platform/win32/menu.h"

#include "platform/application.h"
#include "platform/backend.h"
#include "platform/form.h"

namespace pellino {

namespace win32 {

namespace {

void Fill(HMENU menu, MenuItem& parent, std::map<HMENU, MenuItem*>& submenus) {
    for (MenuItem* item : parent.Items()) {
        if (!item->Visible()) continue;
        if (item->IsSeparator()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags =
            MF_STRING | (item->Checked() ? MF_CHECKED : 0) | (item->Enabled() ? 0 : MF_GRAYED);
        if (!item->Items().empty()) {
            HMENU sub = CreatePopupMenu();
            submenus[sub] = item;
            Fill(sub, *item, submenus);
            AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub),
                        item->Caption().c_str());
        } else {
            AppendMenuA(menu, flags, item->Id(), item->Caption().c_str());
        }
    }
}

}  // namespace

NativeMenu::NativeMenu(MenuItem& root, bool popup) : root_(&root), popup_(popup) {
    root_->SetRootPeer(this);
    Rebuild();
}

NativeMenu::~NativeMenu() {
    Detach();
    if (menu_) DestroyMenu(menu_);
}

void NativeMenu::Detach() {
    if (root_ && root_->RootPeer() == this) root_->SetRootPeer(nullptr);
    root_ = nullptr;
}

void NativeMenu::Rebuild() {
    if (!root_) return;
    HMENU fresh = popup_ ? CreatePopupMenu() : CreateMenu();
    submenus_.clear();
    Fill(fresh, *root_, submenus_);
    // A menu bar is swapped in its window before the old one goes.
    HWND owner = nullptr;
    if (!popup_) {
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
            if (GetMenu(w) == menu_ && menu_) {
                owner = w;
                break;
            }
        }
    }
    HMENU old = menu_;
    menu_ = fresh;
    if (owner) {
        SetMenu(owner, menu_);
        DrawMenuBar(owner);
    }
    if (old) DestroyMenu(old);
}

MenuItem* NativeMenu::ItemOfSubmenu(HMENU submenu) const {
    if (!root_) return nullptr;
    const auto found = submenus_.find(submenu);
    return found == submenus_.end() ? nullptr : found->second;
}

void NativeMenu::ItemChanged(MenuItem& item) {
    CheckMenuItem(menu_, item.Id(), MF_BYCOMMAND | (item.Checked() ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(menu_, item.Id(), MF_BYCOMMAND | (item.Enabled() ? MF_ENABLED : MF_GRAYED));
}

}  // namespace win32

namespace backend {

void PopupMenu(pellino::PopupMenu& menu, int screenX, int screenY) {
    win32::NativeMenu native(menu.Items, true);
    HWND owner = GetActiveWindow();
    if (Form* main = Application::MainForm(); !owner && main) owner = win32::HandleOf(*main);
    // The owner must be in front for the menu to close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    const UINT id = TrackPopupMenu(native.Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screenX,
                                   screenY, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    if (id == 0) return;
    if (MenuItem* item = FindMenuItem(menu.Items, id)) item->Click();
}

void PopupMenuUnder(pellino::PopupMenu& menu, Control& control) {
    RECT bounds{};
    GetWindowRect(win32::HandleOf(control), &bounds);
    PopupMenu(menu, bounds.left, bounds.bottom);
}

}  // namespace backend

}  // namespace pellino
