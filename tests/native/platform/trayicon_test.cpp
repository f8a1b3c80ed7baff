// The tray icon on the fake clock: which mouse messages make a click, a double click or the menu,
// and when; the deferred hide and restore of the program; and the entry's life.

#include "platform/trayicon.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/application.h"
#include "platform/clock.h"
#include "platform/form.h"
#include "platform/headless/testing.h"
#include "platform/menus.h"

namespace pellino {
namespace {

using Texts = std::vector<std::string>;

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::ResetAll();
        main = std::make_unique<Form>("TMainForm");
        Application::Run(*main);  // makes it the main form; the headless loop returns at once
        main->Show();
        icon = std::make_unique<TrayIcon>();
        show.SetName("show");
        show.OnClick = [this](MenuItem&) { Record("show"); };
        icon->OnClick = [this] { Record("click"); };
        icon->OnDblClick = [this] { Record("double"); };
    }
    void TearDown() override {
        icon.reset();
        main.reset();
        headless::ResetAll();
    }

    void Record(const std::string& what) {
        events.push_back(what + " at " + std::to_string(TickCountMs() - base));
    }

    // Delivers mouse messages at the moments given (in ms from now), lets the posted messages
    // through after each, then lets a second go by; returns what fired, and when.
    struct Message {
        std::int64_t at;
        int message;
    };
    Texts Run(const std::vector<Message>& messages) {
        events.clear();
        base = TickCountMs();
        for (const Message& m : messages) {
            headless::AdvanceClock(base + m.at - TickCountMs());
            icon->MouseMessageByPlatform(m.message, 300, 700);
            Application::ProcessMessages();
        }
        headless::AdvanceClock(1000);
        return events;
    }

    std::unique_ptr<Form> main;
    std::unique_ptr<TrayIcon> icon;
    PopupMenu menu;
    MenuItem show{&menu.Items};
    Texts events;
    std::int64_t base = 0;
};

TEST_F(TrayIconTest, AClickWaitsForADoubleClickThatWouldTakeItsPlace) {
    using namespace traymouse;
    const struct {
        const char* what;
        std::vector<Message> messages;
        Texts expected;
    } cases[] = {
        // The icon looks every 150 ms from the press; the first look after 400 ms fires.
        {"left press and release", {{0, kLeftDown}, {90, kLeftUp}}, {"click at 450"}},
        {"middle press", {{0, kMiddleDown}, {80, kMiddleUp}}, {"click at 450"}},
        {"right press, no menu given", {{0, kRightDown}, {80, kRightUp}}, {"click at 450"}},
        {"a double click takes the click's place",
         {{0, kLeftDown}, {80, kLeftUp}, {200, kLeftDouble}, {260, kLeftUp}},
         {"double at 200"}},
        {"a right double click", {{0, kRightDown}, {150, kRightDouble}}, {"double at 150"}},
        {"a middle double click", {{0, kMiddleDown}, {150, kMiddleDouble}}, {"double at 150"}},
        {"a late second press starts the wait again",
         {{0, kLeftDown}, {300, kLeftDown}},
         {"click at 750"}},
        {"releases and moves alone do nothing", {{0, kMove}, {10, kLeftUp}, {20, kRightUp}}, {}},
    };
    for (const auto& c : cases) {
        icon.reset();
        headless::ResetAll();
        icon = std::make_unique<TrayIcon>();
        icon->OnClick = [this] { Record("click"); };
        icon->OnDblClick = [this] { Record("double"); };
        EXPECT_EQ(Run(c.messages), c.expected) << c.what;
    }
}

TEST_F(TrayIconTest, WithoutADoubleClickHandlerAClickFiresAfterTheMessage) {
    icon->OnDblClick = nullptr;
    icon->MouseMessageByPlatform(traymouse::kLeftDown, 0, 0);
    EXPECT_TRUE(events.empty()) << "not while the press is handled";
    Application::ProcessMessages();
    EXPECT_EQ(events, Texts{"click at 0"});
}

TEST_F(TrayIconTest, ARightPressOpensTheMenuWhereTheMouseWasLastSeenAndFiresNoClick) {
    icon->SetMenu(&menu);
    icon->MouseMessageByPlatform(traymouse::kMove, 1000, 740);
    icon->MouseMessageByPlatform(traymouse::kMove, 1010, 750);
    headless::ChooseFromTrayMenu("show");
    events.clear();
    icon->MouseMessageByPlatform(traymouse::kRightDown, 5, 5);
    EXPECT_EQ(headless::TrayLog(), (Texts{"foreground", "menu at 1010,750", "empty message"}));
    EXPECT_EQ(events, Texts{"show at 0"}) << "the item chosen runs";
    headless::AdvanceClock(1000);
    EXPECT_EQ(events, Texts{"show at 0"}) << "and no click follows";

    icon->SetAutoPopup(false);
    headless::ClearTrayLog();
    Run({{0, traymouse::kRightDown}});
    EXPECT_TRUE(headless::TrayLog().empty()) << "without AutoPopup the right button clicks";
    EXPECT_EQ(events, Texts{"click at 450"});
}

TEST_F(TrayIconTest, HidingAndRestoringTheProgramRunAfterTheCurrentMessage) {
    std::vector<std::string> seen;
    icon->OnAppMinimize = [&] { seen.push_back("minimized"); };
    icon->OnAppRestore = [&] { seen.push_back("restored"); };
    icon->HideApplication();
    EXPECT_TRUE(main->Visible()) << "nothing happens before the posted step";
    Application::ProcessMessages();
    EXPECT_EQ(main->GetWindowState(), WindowState::Minimized);
    EXPECT_FALSE(main->Visible()) << "the window with the taskbar button is hidden";
    EXPECT_EQ(seen, Texts{"minimized"});
    EXPECT_EQ(headless::TrayLog(), (Texts{"freeze", "unfreeze"}));

    icon->RestoreApplication();
    Application::ProcessMessages();
    EXPECT_EQ(main->GetWindowState(), WindowState::Normal);
    EXPECT_TRUE(main->Visible());
    EXPECT_EQ(seen, (Texts{"minimized", "restored"}));
    EXPECT_EQ(headless::TrayLog(), (Texts{"freeze", "unfreeze", "freeze", "unfreeze"}));
}

TEST_F(TrayIconTest, WhileShownTheIconTakesOverTheProgramsMinimiseAndRestore) {
    Texts seen;
    icon->OnAppMinimize = [&] { seen.push_back(main->Visible() ? "minimize, shown" : "hidden"); };
    icon->OnAppRestore = [&] { seen.push_back("restore"); };
    Application::Minimize();
    Application::ProcessMessages();
    EXPECT_TRUE(main->Visible()) << "an icon that is not shown hides nothing";
    Application::Restore();

    icon->SetActive(true);
    Application::Minimize();
    Application::ProcessMessages();
    EXPECT_FALSE(main->Visible()) << "minimising hides the program while the icon is shown";
    Application::Restore();
    Application::ProcessMessages();
    EXPECT_TRUE(main->Visible()) << "and restoring shows it again";
    EXPECT_EQ(seen, (Texts{"minimize, shown", "restore", "minimize, shown", "restore"}));

    icon->SetMinimizeToTray(false);
    Application::Minimize();
    Application::ProcessMessages();
    EXPECT_TRUE(main->Visible()) << "without the option minimising keeps the window";
}

TEST_F(TrayIconTest, ANewTipShowsOnTheEntryInItsPlace) {
    icon->SetHint("Pellino!");
    EXPECT_EQ(headless::TrayLog(), Texts{}) << "no entry yet";
    icon->SetActive(true);
    icon->SetHint("Pellino! Today at 9:00am: Tea & cake");
    icon->SetHint("Pellino! Today at 9:00am: Tea & cake");
    EXPECT_EQ(headless::TrayLog(), (Texts{"add", "tip"})) << "changed once, not added again";
    EXPECT_EQ(headless::TrayIconTip(), "Pellino! Today at 9:00am: Tea & cake");
    icon->SetHint(std::string(70, 'y'));
    EXPECT_EQ(headless::TrayIconTip(), std::string(63, 'y'));
}

TEST_F(TrayIconTest, TheEntryGoesAtTheEndOfTheSessionAndWithTheIcon) {
    icon->SetHint(std::string(70, 'x'));
    icon->SetActive(true);
    EXPECT_TRUE(headless::TrayIconShown());
    EXPECT_EQ(headless::TrayIconTip(), std::string(63, 'x')) << "the tip is cut to 63 characters";
    icon->EndSessionByPlatform();
    EXPECT_FALSE(headless::TrayIconShown());
    EXPECT_FALSE(icon->Active());

    icon->SetActive(true);
    icon.reset();
    EXPECT_FALSE(headless::TrayIconShown()) << "an icon still shown goes with the program";

    headless::RefuseTrayIcons(true);
    TrayIcon refused;
    refused.SetActive(true);
    EXPECT_FALSE(refused.Active()) << "an entry the platform refused is not shown";
}

}  // namespace
}  // namespace pellino
