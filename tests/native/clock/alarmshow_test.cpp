// The notification window: its look, its buttons and the answers they give the clock.

#include "schedule/alarmshow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/testing.h"

namespace pellino {
namespace {

class AlarmShowTest : public ::testing::Test {
protected:
    void SetUp() override { headless::ResetAll(); }
    void TearDown() override {
        EXPECT_EQ(headless::PendingModalScripts(), 0u) << "a scripted answer was never asked for";
    }
    TAlarmShow window;
};

TEST_F(AlarmShowTest, StaysOnTopOfEverythingWithoutBorderIcons) {
    EXPECT_EQ(window.Caption(), "Reminder Notification");
    EXPECT_EQ(window.Border(), FormBorder::Dialog);
    EXPECT_FALSE(window.Icons().systemMenu) << "no system menu, so no close box either";
    EXPECT_TRUE(window.StayOnTop());
    EXPECT_TRUE(window.OwnedByDesktop()) << "shows while the main window is minimised";
    EXPECT_EQ(window.Position(), FormPosition::ScreenCenter);
    EXPECT_EQ(window.ClientWidth(), 384);
    EXPECT_EQ(window.ClientHeight(), 239);
    EXPECT_TRUE(window.ShowHints());
    EXPECT_EQ(window.Label1.Text(), "Remind me again in:");
    EXPECT_TRUE(window.AlarmMsg.WordWrap());
    EXPECT_TRUE(window.AlarmMsg.GetFont().bold);
    EXPECT_EQ(window.DeleteButton.GetFont().color, colors::kRed);
    EXPECT_TRUE(window.DeleteButton.GetFont().bold);
    EXPECT_TRUE(window.OkButton.GetFont().bold);
    EXPECT_TRUE(window.OkButton.Default());
}

// Every button in tab order, with its hint and the answer it gives.
TEST_F(AlarmShowTest, EachButtonAnswersWithItsOwnResultInTabOrder) {
    struct Expect {
        std::string caption;
        std::string hint;
        int result;
    };
    const std::vector<Expect> expected{
        {"5 minutes", "Add 5 minutes to reminder time", -5},
        {"10 minutes", "Add 10 minutes to reminder time", -10},
        {"30 minutes", "Add 30 minutes to reminder time", -30},
        {"1 hour", "Add 60 minutes to reminder time", -60},
        {"2 hours", "Add 2 hours to reminder time", -120},
        {"4 hours", "Add 4 hours to reminder time", -240},
        {"24 hours", "Add 24 hours (one full day) to reminder time", -1440},
        {"1 week", "Add one full week  to reminder time", -10080},
        {"Delete", "Delete this reminder", 2},
        {"Ok", "Terminate this alarm", 1},
    };
    std::vector<Button*> buttons;
    for (Control* child : window.Panel1.Children()) {
        if (child->Kind() == ControlKind::Button) buttons.push_back(static_cast<Button*>(child));
    }
    ASSERT_EQ(buttons.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].caption);
        Button& button = *buttons[i];
        EXPECT_EQ(button.Text(), expected[i].caption) << "tab position " << i;
        EXPECT_EQ(button.Hint(), expected[i].hint);
        EXPECT_TRUE(button.TabStop());
        headless::ScriptModal("TAlarmShow", [&button](Form&) { button.Click(); });
        EXPECT_EQ(window.ShowModal(), expected[i].result);
    }
}

TEST_F(AlarmShowTest, KeysAndTheCloseCommand) {
    std::vector<std::string> events;
    headless::ScriptModal("TAlarmShow", [&](Form& form) {
        events.push_back(std::string("Escape presses a button: ") +
                         (form.PressDefaultButton(true) ? "yes" : "no"));
        form.Close();
    });
    events.push_back("closed: " + std::to_string(window.ShowModal()));
    headless::ScriptModal("TAlarmShow", [&](Form& form) { form.PressDefaultButton(false); });
    events.push_back("Enter: " + std::to_string(window.ShowModal()));
    EXPECT_EQ(events,
              (std::vector<std::string>{"Escape presses a button: no", "closed: 1", "Enter: 1"}))
        << "Escape does nothing, the close command answers as Ok, Enter presses Ok";
}

TEST_F(AlarmShowTest, OkHasTheFocusAtEveryShowing) {
    std::vector<std::string> focused;
    for (int showing = 0; showing < 2; ++showing) {
        headless::ScriptModal("TAlarmShow", [&](Form& form) {
            focused.push_back(form.ActiveControl() ? form.ActiveControl()->Name() : "none");
            // The user tabs to another button and presses it.
            window.b30min.SetFocus();
            window.b30min.Click();
        });
        window.ShowModal();
    }
    EXPECT_EQ(focused, (std::vector<std::string>{"OkButton", "OkButton"}));
}

}  // namespace
}  // namespace pellino
