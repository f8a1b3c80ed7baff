#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pellino {

class Control;
class MenuItem;

// What a backend does for a menu: rebuild it from the items, and mirror one item's state.
class MenuPeer {
public:
    virtual ~MenuPeer() = default;
    virtual void Rebuild() = 0;
    virtual void ItemChanged(MenuItem& item) = 0;
    // The menu's root item is being destroyed; the peer must not touch it afterwards.
    virtual void RootDestroyed() {}
};

// One item of a main or pop-up menu: a command, a check item, a separator ("-") or a submenu.
// The menu's owner holds its items as members; an item does not own its children.
class MenuItem {
public:
    explicit MenuItem(MenuItem* parent = nullptr);
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool IsSeparator() const { return caption_ == "-"; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    MenuItem* Parent() const { return parent_; }
    const std::vector<MenuItem*>& Items() const { return items_; }

    // Choosing the item, by the user or a test: runs OnClick through the error dispatch.
    void Click();
    // The handler gets the item clicked, so one handler can serve several items by their Tag.
    std::function<void(MenuItem& sender)> OnClick;
    // Opening the item's submenu, by the user or a test: runs OnPopup through the error dispatch
    // just before the submenu shows, so that its items can show the state of that moment.
    void DropDown();
    std::function<void()> OnPopup;

    // Backend use: the menu that shows this item, and a number that names the item in it.
    MenuPeer* RootPeer() const;
    void SetRootPeer(MenuPeer* peer) { rootPeer_ = peer; }
    unsigned Id() const { return id_; }

private:
    void Changed();

    MenuItem* parent_;              // not owned
    std::vector<MenuItem*> items_;  // not owned
    MenuPeer* rootPeer_ = nullptr;  // not owned; set on the root item of a shown menu
    std::string caption_;
    std::string name_;
    std::string hint_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    int tag_ = 0;
    unsigned id_;
};

// A menu bar (main menu) or a pop-up menu: the root item holds the top-level items.
class Menu {
public:
    Menu() = default;
    virtual ~Menu() = default;
    MenuItem Items;
};

class MainMenu : public Menu {};

class PopupMenu : public Menu {
public:
    // Shows the menu at a screen position and waits until an item is chosen or it is dismissed.
    void Popup(int screenX, int screenY);
    // Shows the menu dropping down from the lower left corner of a control, as from a button.
    void PopupUnder(Control& control);
    std::function<void()> OnPopup;
};

// Finds the item with a backend id below `root`, or null.
MenuItem* FindMenuItem(MenuItem& root, unsigned id);

}  // namespace pellino
