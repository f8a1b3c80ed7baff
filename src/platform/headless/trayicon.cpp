#include <functional>
#include <string>
#include <vector>

#include "platform/headless/testing.h"
#include "platform/menus.h"
#include "platform/trayicon.h"

namespace pellino {

namespace headless {
void PostToQueue(const void* target, std::function<void()> deliver);
}  // namespace headless

namespace {

struct TrayFakes {
    bool shown = false;
    bool refuse = false;
    std::string tip;
    std::vector<std::string> log;
    std::string choice;  // the item the next menu chooses, by name
};

TrayFakes& State() {
    static TrayFakes fakes;
    return fakes;
}

MenuItem* FindByName(MenuItem& root, const std::string& name) {
    for (MenuItem* item : root.Items()) {
        if (item->Name() == name) return item;
        if (MenuItem* found = FindByName(*item, name)) return found;
    }
    return nullptr;
}

// The notification area of the headless backend: one entry at most, and a log of what the icon
// asked of the platform.
class HeadlessTrayIconPeer final : public TrayIconPeer {
public:
    explicit HeadlessTrayIconPeer(TrayIcon& owner) : owner_(owner) {}

    bool Add(const std::string& tip) override {
        State().log.push_back("add");
        if (State().refuse) return false;
        State().shown = true;
        State().tip = tip;
        return true;
    }
    void ChangeTip(const std::string& tip) override {
        State().log.push_back("tip");
        State().tip = tip;
    }
    void Remove() override {
        State().log.push_back("remove");
        State().shown = false;
        State().tip.clear();
    }
    void Post(TrayStep step) override {
        TrayIcon& owner = owner_;
        headless::PostToQueue(&owner_, [&owner, step] { owner.RunStepByPlatform(step); });
    }
    void FreezeDesktop(bool frozen) override {
        State().log.push_back(frozen ? "freeze" : "unfreeze");
    }
    void SetForeground() override { State().log.push_back("foreground"); }
    MenuItem* TrackMenu(PopupMenu& menu, int screenX, int screenY) override {
        State().log.push_back("menu at " + std::to_string(screenX) + "," + std::to_string(screenY));
        const std::string choice = std::move(State().choice);
        State().choice.clear();
        return choice.empty() ? nullptr : FindByName(menu.Items, choice);
    }
    void PostEmptyMessage() override { State().log.push_back("empty message"); }

private:
    TrayIcon& owner_;
};

}  // namespace

std::unique_ptr<TrayIconPeer> CreateTrayIconPeer(TrayIcon& owner) {
    return std::make_unique<HeadlessTrayIconPeer>(owner);
}

namespace headless {

bool TrayIconShown() {
    return State().shown;
}
const std::string& TrayIconTip() {
    return State().tip;
}
const std::vector<std::string>& TrayLog() {
    return State().log;
}
void ClearTrayLog() {
    State().log.clear();
}
void ChooseFromTrayMenu(const std::string& itemName) {
    State().choice = itemName;
}
void RefuseTrayIcons(bool refuse) {
    State().refuse = refuse;
}
void ResetTray() {
    State() = TrayFakes{};
}

}  // namespace headless

}  // namespace pellino
