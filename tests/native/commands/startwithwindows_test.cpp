// File > "Start with Windows": the check mark shows what the system will start at the next log-on,
// read afresh each time the File menu drops down; choosing the item makes or removes the Startup
// shortcut (or, without shortcuts, the Run value), and a refusal of the system reaches the user.

#include "clock/clock_fixture.h"
#include "platform/dialogs.h"
#include "startup/ini_files.h"

namespace pellino::testing {
namespace {

using Texts = std::vector<std::string>;

constexpr const char* kEntry = "Pellino!";
constexpr const char* kExe = "C:\\PELLINO\\PELLINO.EXE";
constexpr const char* kShortcutPath =
    "C:\\Documents and Settings\\User\\Start Menu\\Programs\\Startup\\Pellino!.lnk";

class StartWithWindowsTest : public ClockTest {
protected:
    // What the user sees: the File menu dropped down, its item checked or not.
    bool Shown() {
        form->File1.DropDown();
        return form->mnuStartWithWindows.Checked();
    }

    // The log-on start as the system holds it, in words.
    static std::string System() {
        std::string text;
        if (const auto s = ReadStartupShortcut(kEntry)) {
            text = "shortcut to " + s->target + " show " + std::to_string(s->showCommand) + " in " +
                   s->workingFolder;
        }
        if (const auto r = ReadRunValue(kEntry)) text += (text.empty() ? "" : "; ") + ("run " + *r);
        return text.empty() ? "nothing" : text;
    }

    static Texts ErrorBoxes() {
        Texts texts;
        for (const auto& box : headless::MessageBoxLog()) {
            texts.push_back(box.text);
        }
        return texts;
    }
};

TEST_F(StartWithWindowsTest, TheCheckMarkShowsWhetherTheNextLogOnStartsThisCopy) {
    const struct {
        const char* what;
        std::optional<ShortcutInfo> shortcut;
        std::optional<std::string> runValue;
        bool checked;
    } cases[] = {
        {"nothing", std::nullopt, std::nullopt, false},
        {"the installer's shortcut", ShortcutInfo{kExe, 7, "C:\\PELLINO", ""}, std::nullopt, true},
        // Windows does not tell capitals from small letters in a path.
        {"a shortcut in other letters", ShortcutInfo{"c:\\pellino\\Pellino.exe", 1, "", ""},
         std::nullopt, true},
        {"another copy's shortcut", ShortcutInfo{"D:\\OLD\\PELLINO.EXE", 7, "D:\\OLD", ""},
         std::nullopt, false},
        {"a Run value in quotes", std::nullopt, "\"C:\\PELLINO\\PELLINO.EXE\"", true},
        {"a bare Run value", std::nullopt, "C:\\PELLINO\\PELLINO.EXE", true},
        {"a Run value of another copy", std::nullopt, "\"D:\\OLD\\PELLINO.EXE\"", false},
        {"another copy's shortcut and this one's Run value",
         ShortcutInfo{"D:\\OLD\\PELLINO.EXE", 7, "", ""}, "\"C:\\PELLINO\\PELLINO.EXE\"", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgram();
        Start();
        headless::SetStartupShortcut(kEntry, c.shortcut);
        headless::SetRunValue(kEntry, c.runValue);
        EXPECT_EQ(Shown(), c.checked);
        // The system changes behind the program's back (the uninstaller, the user): the next
        // drop-down shows it.
        headless::SetStartupShortcut(kEntry, std::nullopt);
        headless::SetRunValue(kEntry, std::nullopt);
        EXPECT_FALSE(Shown());
    }
}

TEST_F(StartWithWindowsTest, ChoosingTheItemMakesAndRemovesTheStartupShortcut) {
    Start();
    const std::string settingsBefore = inifiles::ReadIni();
    EXPECT_FALSE(Shown());
    form->mnuStartWithWindows.Click();
    EXPECT_EQ(System(), "shortcut to C:\\PELLINO\\PELLINO.EXE show 7 in C:\\PELLINO")
        << "a shortcut that starts this copy minimised, in its own folder";
    EXPECT_TRUE(form->mnuStartWithWindows.Checked());
    EXPECT_TRUE(Shown());
    form->mnuStartWithWindows.Click();
    EXPECT_EQ(System(), "nothing");
    EXPECT_FALSE(Shown());
    EXPECT_EQ(inifiles::ReadIni(), settingsBefore) << "the state lives in the system only";
    EXPECT_EQ(ErrorBoxes(), Texts{});
    EXPECT_TRUE(form->Timer1.Enabled());
}

TEST_F(StartWithWindowsTest, ThisCopyTakesOverWhatStartedAnotherAndLeavesOthersAlone) {
    Start();
    // Another copy's shortcut and an old Run value: checking the item makes the log-on start this
    // copy, once.
    headless::SetStartupShortcut(kEntry, ShortcutInfo{"D:\\OLD\\PELLINO.EXE", 1, "D:\\OLD", ""});
    headless::SetRunValue(kEntry, "\"D:\\OLD\\PELLINO.EXE\"");
    EXPECT_FALSE(Shown());
    form->mnuStartWithWindows.Click();
    EXPECT_EQ(System(), "shortcut to C:\\PELLINO\\PELLINO.EXE show 7 in C:\\PELLINO");

    // A check mark left from before (the system changed since the menu was last open) does not
    // decide: the item removes only what starts this copy.
    headless::SetStartupShortcut(kEntry, ShortcutInfo{"D:\\OLD\\PELLINO.EXE", 1, "D:\\OLD", ""});
    EXPECT_TRUE(form->mnuStartWithWindows.Checked());
    form->mnuStartWithWindows.Click();
    EXPECT_EQ(System(), "shortcut to C:\\PELLINO\\PELLINO.EXE show 7 in C:\\PELLINO");
    EXPECT_TRUE(form->mnuStartWithWindows.Checked());

    headless::SetRunValue(kEntry, "\"C:\\PELLINO\\PELLINO.EXE\"");
    headless::SetStartupShortcut(kEntry, ShortcutInfo{"D:\\OLD\\PELLINO.EXE", 1, "D:\\OLD", ""});
    form->mnuStartWithWindows.Click();
    EXPECT_EQ(System(), "shortcut to D:\\OLD\\PELLINO.EXE show 1 in D:\\OLD")
        << "this copy's Run value goes, the other copy's shortcut stays";
    EXPECT_FALSE(form->mnuStartWithWindows.Checked());
}

TEST_F(StartWithWindowsTest, WithoutShortcutsTheRunValueStartsTheProgram) {
    Start();
    headless::SetShortcutsUnavailable(true);
    form->mnuStartWithWindows.Click();
    EXPECT_EQ(System(), "run \"C:\\PELLINO\\PELLINO.EXE\"");
    EXPECT_TRUE(Shown());
    form->mnuStartWithWindows.Click();
    EXPECT_EQ(System(), "nothing");
    EXPECT_FALSE(Shown());
    EXPECT_EQ(ErrorBoxes(), Texts{});
}

TEST_F(StartWithWindowsTest, ARefusalOfTheSystemIsShownAndTheCheckMarkStaysTrue) {
    const std::string shortcutRefused =
        std::string("Pellino! cannot start with Windows: the shortcut ") + kShortcutPath +
        " could not be made (error 5).";
    const struct {
        const char* what;
        bool shortcuts;
        std::optional<ShortcutInfo> shortcut;
        std::optional<std::string> runValue;
        std::string error;
        std::string left;
    } cases[] = {
        {"making the shortcut", true, std::nullopt, std::nullopt, shortcutRefused, "nothing"},
        {"removing the shortcut", true, ShortcutInfo{kExe, 7, "C:\\PELLINO", ""}, std::nullopt,
         std::string("Pellino! still starts with Windows: the shortcut ") + kShortcutPath +
             " could not be removed (error 5).",
         "shortcut to C:\\PELLINO\\PELLINO.EXE show 7 in C:\\PELLINO"},
        {"writing the Run value", false, std::nullopt, std::nullopt,
         "Pellino! cannot start with Windows: the value \"Pellino!\" of "
         "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run could not be "
         "written (error 5).",
         "nothing"},
        {"removing the Run value", false, std::nullopt, "\"C:\\PELLINO\\PELLINO.EXE\"",
         "Pellino! still starts with Windows: the value \"Pellino!\" of "
         "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run could not be "
         "removed (error 5).",
         "run \"C:\\PELLINO\\PELLINO.EXE\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgram();
        Start();
        headless::SetShortcutsUnavailable(!c.shortcuts);
        headless::SetStartupShortcut(kEntry, c.shortcut);
        headless::SetRunValue(kEntry, c.runValue);
        const bool before = Shown();
        headless::RefuseLogonChanges(5);
        headless::QueueMessageBoxAnswer(idresult::kOk);
        form->mnuStartWithWindows.Click();
        EXPECT_EQ(ErrorBoxes(), Texts{c.error});
        EXPECT_EQ(System(), c.left);
        EXPECT_EQ(form->mnuStartWithWindows.Checked(), before) << "the check mark shows the system";
        EXPECT_TRUE(form->Timer1.Enabled()) << "the program runs on";
    }
}

TEST_F(StartWithWindowsTest, TheItemStandsBeforeTheSeparatorAboveExit) {
    Start();
    Texts captions;
    for (const MenuItem* item : form->File1.Items()) captions.push_back(item->Caption());
    EXPECT_EQ(captions, (Texts{"Select Default Sound File (*.wav)", "No Reminder Sound",
                               "Minimize to System Tray", "Import from Pellino 1.x File",
                               "Start with &Windows", "-", "Exit"}));
}

}  // namespace
}  // namespace pellino::testing
