// The main window's tray icon: minimising into the tray with "Minimize to System Tray" checked, on
// the NT family as on the 95 family, coming back by a click, a double click or the icon's menu,
// the start in the tray, the icon's hint that names the reminder due next, and a second start
// that brings the running copy forward.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lists/lists_fixture.h"
#include "mainwindow/mainform.h"
#include "platform/application.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/headless/testing.h"
#include "runtime/formats.h"
#include "schedule/alarmshow.h"
#include "schedule/justone.h"
#include "startup/ini_files.h"

namespace pellino::testing {
namespace {

using Texts = std::vector<std::string>;
using inifiles::ReadIni;
using inifiles::WriteIni;

class TrayTest : public ::testing::Test {
public:
    void SetUp() override {
        headless::ResetAll();
        SaveUserFormats();
        UseFixedFormats();
    }
    void TearDown() override {
        form.reset();
        headless::ResetAll();
        UseFixedFormats();
    }

    // The process start up to the first activation, on a platform family, with the tray item
    // checked or not, and the show command the program was started with.
    void Start(bool family95, bool useTray, int showCommand = 10) {
        headless::SetWindows95Family(family95);
        headless::SetStartupShowCommand(showCommand);
        WriteIni(std::string("[Tray]\r\nUse=") + (useTray ? "1" : "0") + "\r\n");
        form = std::make_unique<TMainForm>();
        form->CreateNotificationWindow();
        Application::Run(*form);
        form->Show();
        Application::ProcessMessages();
    }

    // Where the program is: its window's state, whether the window (with its taskbar button) is
    // shown, and whether the icon is.
    std::string Where() const {
        const WindowState state = form->GetWindowState();
        return std::string(state == WindowState::Minimized   ? "minimized"
                           : state == WindowState::Maximized ? "maximized"
                                                             : "normal") +
               (form->Visible() ? ", shown" : ", hidden") +
               (headless::TrayIconShown() ? ", icon" : ", no icon");
    }

    void Minimize() {
        form->Minimizebutton.Click();
        Application::ProcessMessages();
    }

    // A mouse message of the icon, and the messages posted while it was handled.
    void Mouse(int message) {
        form->TrayIcon_.MouseMessageByPlatform(message, 900, 740);
        Application::ProcessMessages();
    }

    std::unique_ptr<TMainForm> form;
};

TEST_F(TrayTest, WithTheItemCheckedMinimisingGoesIntoTheTrayOnBothFamilies) {
    const struct {
        bool family95;
        bool useTray;
        bool refused;  // the platform has no notification area to take the icon
        const char* minimized;
    } cases[] = {
        {true, true, false, "minimized, hidden, icon"},
        {true, false, false, "minimized, shown, no icon"},
        {false, true, false, "minimized, hidden, icon"},
        {false, false, false, "minimized, shown, no icon"},
        // Without an icon the window is not hidden: its taskbar button is the way back.
        {false, true, true, "minimized, shown, no icon"},
        {true, true, true, "minimized, shown, no icon"},
    };
    for (const auto& c : cases) {
        const std::string what = std::string(c.family95 ? "95 family" : "NT family") +
                                 (c.useTray ? ", checked" : ", unchecked") +
                                 (c.refused ? ", icon refused" : "");
        form.reset();
        headless::ResetAll();
        headless::RefuseTrayIcons(c.refused);
        Start(c.family95, c.useTray);
        EXPECT_EQ(Where(), "normal, shown, no icon") << what;
        Minimize();
        EXPECT_EQ(Where(), c.minimized) << what;
        EXPECT_TRUE(form->Timer1.Enabled()) << what << ": the clock goes on";
        form->mnuShowPellino.Click();
        Application::ProcessMessages();
        EXPECT_EQ(Where(), "normal, shown, no icon") << what << ": \"&Show Pellino\"";
    }
}

TEST_F(TrayTest, TheIconsClicksAndMenuBringTheProgramBack) {
    for (const bool family95 : {true, false}) {
        SCOPED_TRACE(family95 ? "95 family" : "NT family");
        form.reset();
        headless::ResetAll();
        Start(family95, true);
        Minimize();
        ASSERT_EQ(Where(), "minimized, hidden, icon");

        // A single click waits for a double click that does not come.
        Mouse(traymouse::kLeftDown);
        Mouse(traymouse::kLeftUp);
        headless::AdvanceClock(400);
        EXPECT_EQ(Where(), "minimized, hidden, icon") << "400 ms after the press";
        headless::AdvanceClock(150);
        Application::ProcessMessages();
        EXPECT_EQ(Where(), "normal, shown, no icon") << "550 ms after the press";

        // A double click comes back at once, and no single click follows it.
        Minimize();
        int restores = 0;
        const auto restore = form->TrayIcon_.OnAppRestore;
        form->TrayIcon_.OnAppRestore = [&] {
            ++restores;
            restore();
        };
        Mouse(traymouse::kLeftDown);
        Mouse(traymouse::kLeftUp);
        Mouse(traymouse::kLeftDouble);
        EXPECT_EQ(Where(), "normal, shown, no icon");
        headless::AdvanceClock(1000);
        EXPECT_EQ(restores, 1);

        // The right button opens the menu where the mouse was, and restores nothing by itself.
        Minimize();
        Mouse(traymouse::kMove);
        headless::ClearTrayLog();
        Mouse(traymouse::kRightDown);
        headless::AdvanceClock(1000);
        EXPECT_EQ(headless::TrayLog(), (Texts{"foreground", "menu at 900,740", "empty message"}));
        EXPECT_EQ(Where(), "minimized, hidden, icon");
        ASSERT_EQ(form->TrayMenu.Items.Items().size(), 2u);
        EXPECT_EQ(form->mnuShowPellino.Caption(), "&Show Pellino");
        EXPECT_EQ(form->Exit1.Caption(), "E&xit");
        headless::ChooseFromTrayMenu("mnuShowPellino");
        Mouse(traymouse::kRightDown);
        EXPECT_EQ(Where(), "normal, shown, no icon");
    }
}

TEST_F(TrayTest, ExitFromTheTrayMenuEndsTheProgram) {
    Start(true, true);
    Minimize();
    DeleteFileIfExists(DataFilePath());
    headless::ChooseFromTrayMenu("Exit1");
    Mouse(traymouse::kRightDown);
    EXPECT_TRUE(Application::Terminated());
    EXPECT_FALSE(FileExists(DataFilePath())) << "empty lists, nothing changed: nothing to write";
    EXPECT_TRUE(headless::TrayIconShown()) << "until the program's end";
    form.reset();
    EXPECT_FALSE(headless::TrayIconShown()) << "the icon goes with the program";
}

TEST_F(TrayTest, UncheckingTheItemLeavesTheIconUntilTheProgramIsRestored) {
    Start(true, true);
    Minimize();
    form->mnuUseTray.Click();
    EXPECT_FALSE(form->mnuUseTray.Checked());
    EXPECT_EQ(Where(), "minimized, hidden, icon");
    form->mnuShowPellino.Click();
    Application::ProcessMessages();
    EXPECT_EQ(Where(), "normal, shown, no icon");
    Minimize();
    EXPECT_EQ(Where(), "minimized, shown, no icon") << "the next minimise keeps the button";
}

TEST_F(TrayTest, AMinimisedStartGoesIntoTheTrayWhenTheItemIsChecked) {
    const struct {
        bool family95;
        bool useTray;
        int showCommand;
        const char* where;
    } cases[] = {
        {true, true, 7, "minimized, hidden, icon"},
        {true, true, 2, "minimized, hidden, icon"},
        {true, true, 1, "normal, shown, no icon"},
        {true, false, 7, "minimized, shown, no icon"},
        {false, true, 7, "minimized, hidden, icon"},
        {false, true, 6, "minimized, hidden, icon"},
        {false, false, 7, "minimized, shown, no icon"},
    };
    for (const auto& c : cases) {
        const std::string what = std::string(c.family95 ? "95 family" : "NT family") +
                                 (c.useTray ? ", checked" : ", unchecked") + ", show command " +
                                 std::to_string(c.showCommand);
        form.reset();
        headless::ResetAll();
        Start(c.family95, c.useTray, c.showCommand);
        EXPECT_EQ(Where(), c.where) << what;
        EXPECT_TRUE(form->Timer1.Enabled()) << what;
    }
    // From a start in the tray, a double click brings the window.
    form.reset();
    headless::ResetAll();
    Start(false, true, 7);
    Mouse(traymouse::kLeftDouble);
    EXPECT_EQ(Where(), "normal, shown, no icon");
    // Where the platform refuses the icon, the start ends as a taskbar button, not hidden.
    form.reset();
    headless::ResetAll();
    headless::RefuseTrayIcons(true);
    Start(false, true, 7);
    EXPECT_EQ(Where(), "minimized, shown, no icon");
    EXPECT_EQ(headless::PendingMessages(), 0u) << "no step to hide the window waits";
}

TEST_F(TrayTest, TheStartInTheTrayHidesTheWindowThroughItsPrivateMessage) {
    headless::SetWindows95Family(true);
    headless::SetStartupShowCommand(7);
    WriteIni("[Tray]\r\nUse=1\r\n");
    form = std::make_unique<TMainForm>();
    form->CreateNotificationWindow();
    Application::Run(*form);
    // The minimise notification is left out, to see the start's own steps alone.
    Application::RemoveMinimizeListener(&form->TrayIcon_);
    Texts seen;
    form->OnMessage = [&, handler = form->OnMessage](unsigned message) {
        seen.push_back("message " + std::to_string(message) + ", " + Where());
        return handler(message);
    };
    form->Show();
    EXPECT_EQ(Where(), "minimized, shown, icon") << "the icon at once, the window still there";
    Application::ProcessMessages();
    EXPECT_EQ(seen, Texts{"message 1067, minimized, shown, icon"});
    EXPECT_EQ(Where(), "minimized, hidden, icon");
}

TEST_F(TrayTest, ASecondStartBringsTheRunningCopyForwardAndTouchesNoFile) {
    const struct {
        const char* what;
        std::function<void(TrayTest&)> before;
    } cases[] = {
        {"minimised", [](TrayTest& t) { t.Minimize(); }},
        {"in the tray",
         [](TrayTest& t) {
             t.form->mnuUseTray.Click();
             t.Minimize();
         }},
        {"open behind another window", [](TrayTest&) {}},
    };
    for (const auto& c : cases) {
        for (const bool family95 : {true, false}) {
            SCOPED_TRACE(family95 ? "95 family" : "NT family");
            form.reset();
            headless::ResetAll();
            Start(family95, false);
            // The running copy holds the single-copy mutex, as its process start made it.
            headless::SetOtherCopyRunning(SingleCopyName(), true);
            c.before(*this);
            const std::string ini = ReadIni();
            const Bytes data = ReadHostFile(HostDataFile());
            bool previous = false;
            {
                const TJustOne second;
                previous = second.PreviousInstance();
            }
            EXPECT_TRUE(previous) << c.what << ": the second copy is to end";
            EXPECT_EQ(
                headless::RunningCopyRequests(),
                Texts{"TMainForm|Pellino!|" + std::to_string(ComeForwardMessage(SingleCopyName()))})
                << c.what;
            Application::ProcessMessages();
            EXPECT_EQ(Where(), "normal, shown, no icon") << c.what;
            EXPECT_EQ(ReadIni(), ini) << c.what;
            EXPECT_EQ(ReadHostFile(HostDataFile()), data) << c.what;
        }
    }
}

TEST_F(TrayTest, TheIconsHintNamesTheReminderDueNextAndFollowsTheLists) {
    DataFileContents contents;
    contents.oneTime = {OneTime("Report", StartDay() + 2 + At(8, 30)),
                        OneTime("Dentist & co", StartDay() + At(9, 0) + EncodeTime(0, 0, 4, 0)),
                        OneTime("Done already", StartDay() + At(8, 0))};
    contents.oneTime[2].Status = kStatusDone;
    contents.repeating = {Repeating("Stretch", At(11, 0)), Repeating("Never today", At(7, 0))};
    WriteHostFile(HostDataFile(), FileBytes(contents));
    Start(false, true);
    Minimize();
    EXPECT_EQ(headless::TrayIconTip(), "Pellino! Today at 9:00am: Dentist & co")
        << "the earliest of both lists, the message as typed";

    // The clock notifies it and it is acknowledged: within a second the hint names the next,
    // in place (the entry is not taken away and added again).
    headless::ScriptModal("TAlarmShow", [](Form& shown) {
        headless::AdvanceClock(kAlarmGuardMs);
        static_cast<TAlarmShow&>(shown).OkButton.Click();
    });
    headless::ClearTrayLog();
    headless::AdvanceClock(6000);
    EXPECT_EQ(headless::PendingModalScripts(), 0u) << "the reminder was notified";
    EXPECT_EQ(headless::TrayIconTip(), "Pellino! Today at 11:00am: Stretch");
    EXPECT_EQ(headless::TrayLog(), Texts{"tip"});

    // Past the repeating one's only time today, the one-time reminder two days ahead is next.
    headless::ScriptModal("TAlarmShow", [](Form& shown) {
        headless::AdvanceClock(kAlarmGuardMs);
        static_cast<TAlarmShow&>(shown).OkButton.Click();
    });
    headless::AdvanceClock(2 * 3600 * 1000);
    EXPECT_EQ(headless::TrayIconTip(), "Pellino! Jan 07, 2026 8:30am: Report");

    // Shown again after a restore, the icon carries the hint from the start.
    form->mnuShowPellino.Click();
    Application::ProcessMessages();
    TReminder* report = TMainForm::ReminderAt(form->AlarmGrid, 1);
    ASSERT_NE(report, nullptr);
    report->Description = std::string(80, 'x');
    Minimize();
    EXPECT_EQ(headless::TrayIconTip(), "Pellino! Jan 07, 2026 8:30am: " + std::string(33, 'x'))
        << "cut to the 63 characters the platform takes";
    report->Status = kStatusDone;
    headless::AdvanceClock(1000);
    EXPECT_EQ(headless::TrayIconTip(), "Pellino!") << "nothing more to come";
}

TEST_F(TrayTest, TheIconComesBackWhenTheNotificationAreaIsMadeAnew) {
    Start(false, true);
    Minimize();
    headless::ClearTrayLog();
    form->TrayIcon_.AreaRecreatedByPlatform();
    EXPECT_EQ(headless::TrayLog(), Texts{"add"});
    EXPECT_EQ(Where(), "minimized, hidden, icon");
    form->mnuShowPellino.Click();
    Application::ProcessMessages();
    headless::ClearTrayLog();
    form->TrayIcon_.AreaRecreatedByPlatform();
    EXPECT_EQ(headless::TrayLog(), Texts{}) << "no icon while the window is shown";
}

TEST_F(TrayTest, TheFirstCopyStartsAndAsksNobody) {
    const TJustOne first;
    EXPECT_FALSE(first.PreviousInstance());
    EXPECT_TRUE(headless::RunningCopyRequests().empty());
    const TJustOne second;
    EXPECT_TRUE(second.PreviousInstance()) << "a second copy of the same name";
}

}  // namespace
}  // namespace pellino::testing
