#pragma once

#include <map>

#include "platform/menus.h"
#include "platform/win32/win32.h"

namespace pellino::win32 {

// A native menu bar or pop-up built from a menu's items; item ids are the items' own ids.
class NativeMenu final : public MenuPeer {
public:
    NativeMenu(MenuItem& root, bool popup);
    ~NativeMenu() override;
    NativeMenu(const NativeMenu&) = delete;
    NativeMenu& operator=(const NativeMenu&) = delete;

    HMENU Handle() const { return menu_; }
    void Rebuild() override;
    void ItemChanged(MenuItem& item) override;
    void RootDestroyed() override { root_ = nullptr; }
    // The menu's items no longer report to this menu.
    void Detach();
    // The item whose submenu the platform shows under this handle, or null.
    MenuItem* ItemOfSubmenu(HMENU submenu) const;

private:
    MenuItem* root_;  // not owned; null once the items are gone
    bool popup_;
    HMENU menu_ = nullptr;
    // The submenus of the menu built last, by their handles.
    std::map<HMENU, MenuItem*> submenus_;  // items not owned
};

}  // namespace pellino::win32
