// The main window from the process start to the end: what FormCreate leaves, what the first
// activation does (and a later one does not), the placement in the settings file, and the close.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "lists/lists_fixture.h"
#include "mainwindow/mainform.h"
#include "model/datafile.h"
#include "model/settings.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/headless/testing.h"
#include "runtime/errors.h"
#include "runtime/formats.h"
#include "schedule/alarmshow.h"
#include "startup/ini_files.h"

namespace pellino::testing {
namespace {

using inifiles::HostIni;
using inifiles::ReadIni;
using inifiles::WriteIni;

std::string PlacementText(const Rect& r, bool maximized,
                          const char* section = "TMainForm_Placement") {
    return std::string("[") + section + "]\r\nLeft=" + std::to_string(r.left) +
           "\r\nTop=" + std::to_string(r.top) + "\r\nRight=" + std::to_string(r.right) +
           "\r\nBottom=" + std::to_string(r.bottom) + "\r\nMaximized=" + (maximized ? "1" : "0") +
           "\r\n";
}

const char* StateName(WindowState state) {
    switch (state) {
        case WindowState::Normal:
            return "normal";
        case WindowState::Minimized:
            return "minimized";
        case WindowState::Maximized:
            return "maximized";
    }
    return "?";
}

class StartupTest : public ::testing::Test {
protected:
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

    // The process start as the program's main runs it, up to the first activation.
    void Create() {
        form = std::make_unique<TMainForm>();
        form->CreateNotificationWindow();
        Application::Run(*form);  // makes it the main window; the headless loop returns at once
    }
    // The message loop shows the main window, which activates it.
    void Start() {
        Create();
        form->Show();
    }

    // The window, the clock and the settings file at one moment, as one line.
    std::string Snapshot(const std::string& moment) const {
        const Rect r = form->ScreenBounds();
        return moment + ": clock " + (form->Timer1.Enabled() ? "on" : "off") + ", " +
               StateName(form->GetWindowState()) + " at " + std::to_string(r.left) + "," +
               std::to_string(r.top) + ", settings file " +
               (ReadIni().empty() ? "empty"
                                  : "holds " + std::to_string(ReadIni().size()) + " bytes");
    }

    // The rectangle the main window gets centred on the 1024 x 768 screen.
    Rect Centred() const {
        const int w = form->ScreenBounds().Width(), h = form->ScreenBounds().Height();
        return BoundsRect((1024 - w) / 2, (768 - h) / 2, w, h);
    }

    std::unique_ptr<TMainForm> form;
};

TEST_F(StartupTest, TheClockStartsOnlyAtTheEndOfTheFirstActivationAndOnlyOnce) {
    WriteHostFile(HostDataFile(),
                  FileBytes({666, 2.0, {OneTime("a", StartDay() + At(10, 0))}, {}}));
    std::vector<std::string> events;
    Create();
    events.push_back(Snapshot("created"));
    const auto activate = form->OnActivate;
    form->OnActivate = [&] {
        events.push_back(Snapshot("activating"));
        activate();
        events.push_back(Snapshot("activated"));
    };
    form->Show();
    const Rect centred = Centred();
    const std::string placed = PlacementText(centred, false);

    // Another activation after the user moved the window, the data file and the settings changed.
    form->SetScreenBounds(BoundsRect(5, 6, centred.Width(), centred.Height()));
    const std::string changed = PlacementText({300, 300, 900, 700}, true);
    WriteIni(changed);
    DeleteFileIfExists(DataFilePath());
    form->ActivatedByPlatform();

    const std::string size = std::to_string(placed.size());
    const std::string later = std::to_string(changed.size());
    const std::string at = std::to_string(centred.left) + "," + std::to_string(centred.top);
    // The window is made where the first activation places it, so it never shows elsewhere
    // first; the activation then applies and saves that placement.
    const std::vector<std::string> expected = {
        "created: clock off, normal at " + at + ", settings file empty",
        "activating: clock off, normal at " + at + ", settings file empty",
        "activated: clock on, normal at " + at + ", settings file holds " + size + " bytes",
        "activating: clock on, normal at 5,6, settings file holds " + later + " bytes",
        "activated: clock on, normal at 5,6, settings file holds " + later + " bytes",
    };
    EXPECT_EQ(events, expected);
    EXPECT_EQ(ReadIni(), changed) << "a later activation neither restores nor saves the placement";
    EXPECT_EQ(form->AlarmGrid.RowCount(), 2) << "a later activation reloads nothing";
    EXPECT_EQ(form->Timer1.Interval(), 1000);
}

TEST_F(StartupTest, FormCreateLeavesTheWindowReadyForItsFirstActivation) {
    RegionalSettings german;
    german.shortDateFormat = "dd.MM.yyyy";
    german.dateSeparator = ".";
    headless::SetRegionalSettings(german);
    WriteHostFile(
        HostDataFile(),
        FileBytes({666,
                   2.0,
                   {OneTime("a", StartDay() + At(10, 0)), OneTime("b", StartDay() + At(11, 0))},
                   {Repeating("r", At(8, 0))}}));
    Create();

    EXPECT_EQ(CurrentFormats().shortDateFormat, "mm/dd/yyyy") << "the fixed set is in force";
    {
        UserFormatsScope user;
        EXPECT_EQ(CurrentFormats().dateSeparator, '.') << "the user's set was kept first";
    }
    EXPECT_EQ(Application::HintColor(), 0xFFFF00u) << "aqua";
    EXPECT_EQ(Application::HintPause(), 2000);
    EXPECT_EQ(form->TimePanel.Text(), "09:00:00am");
    EXPECT_EQ(form->AlarmGrid.RowCount(), 3);
    EXPECT_EQ(form->AlarmGrid.Row(), 1) << "the first one-time reminder is selected";
    EXPECT_EQ(form->RepeatingAlarmGrid.RowCount(), 2);
    EXPECT_EQ(form->RepeatingAlarmGrid.Row(), 1);
    EXPECT_EQ(form->TabSet_.TabIndex(), 0);
    EXPECT_EQ(form->Notebook_.PageIndex(), 0);
    EXPECT_EQ(form->TickCounter(), 0);
    EXPECT_EQ(Application::HelpFile(), "C:\\PELLINO\\PELLINO.HLP");
    EXPECT_EQ(form->AlarmGrid.Height(), form->RemindersPage.Height() - 13)
        << "the lists fill their pages above the blank strip";
    ASSERT_NE(form->AlarmShow(), nullptr) << "the notification window is made at start-up";
    EXPECT_FALSE(form->AlarmShow()->Visible()) << "and stays hidden until a reminder is due";
    EXPECT_FALSE(form->Timer1.Enabled());
    EXPECT_TRUE(headless::MessageBoxLog().empty());
}

TEST_F(StartupTest, ADamagedDataFileIsToldOnceAndKeptAsItWas) {
    Bytes bytes =
        FileBytes({666,
                   2.0,
                   {OneTime("a", StartDay() + At(10, 0)), OneTime("b", StartDay() + At(11, 0))},
                   {}});
    bytes.resize(bytes.size() - 4);  // the lists' ends and the second record's last value
    WriteHostFile(HostDataFile(), bytes);
    headless::QueueMessageBoxAnswer(idresult::kOk);
    Start();
    EXPECT_TRUE(form->Timer1.Enabled());
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
    const headless::MessageBoxCall& box = headless::MessageBoxLog()[0];
    EXPECT_EQ(box.text,
              "The reminder file C:\\PELLINO\\Pellino.dat is damaged: 1 reminder could be read "
              "from it, and they are shown.\r\n\r\nThe file as it was is kept as "
              "C:\\PELLINO\\Pellino.bak.");
    EXPECT_EQ(box.flags, mb::kOk | mb::kIconWarning);
    EXPECT_EQ(form->AlarmGrid.RowCount(), 2) << "the record cut short is not shown";
    EXPECT_EQ(ReadHostFile(headless::HostPath(BackupFilePath())), bytes);

    // The close writes what was read whole, so the next start has nothing to tell.
    form->Close();
    form.reset();
    Application::Reset();
    Start();
    EXPECT_EQ(headless::MessageBoxLog().size(), 1u);
    EXPECT_EQ(form->AlarmGrid.RowCount(), 2);
}

TEST_F(StartupTest, TheFirstStartCentresTheWindowAndStoresThePlacementAtOnce) {
    Start();
    EXPECT_EQ(form->ScreenBounds(), Centred());
    EXPECT_EQ(form->GetWindowState(), WindowState::Normal);
    EXPECT_EQ(ReadIni(), PlacementText(Centred(), false));
}

struct PlacementCase {
    const char* why;
    Size screen;
    int dpi;
    std::string stored;  // the settings file before the start
    Rect expected;
    bool maximized;
    std::string written;  // the settings file right after the start
};

TEST_F(StartupTest, AStoredPlacementIsBroughtOntoTheScreenAndWrittenBack) {
    const std::string other = "[TMainForm_Placement]\r\nLeft=1\r\nTop=2\r\nRight=3\r\nBottom=4\r\n";
    const PlacementCase cases[] = {
        {"inside the screen",
         {1024, 768},
         96,
         "[TMainForm_Placement]\r\nLeft=100\r\nTop=50\r\nRight=700\r\nBottom=450\r\n",
         {100, 50, 700, 450},
         false,
         PlacementText({100, 50, 700, 450}, false)},
        {"wider and taller than the screen",
         {1024, 768},
         96,
         "[TMainForm_Placement]\r\nLeft=100\r\nTop=50\r\nRight=1200\r\nBottom=900\r\n",
         {-76, -82, 1024, 768},
         false,
         PlacementText({-76, -82, 1024, 768}, false)},
        {"hexadecimal and maximised",
         {1024, 768},
         96,
         "[TMainForm_Placement]\r\nLeft=0x20\r\nTop=$10\r\nRight=0x280\r\nBottom=400\r\n"
         "Maximized=1\r\n",
         {32, 16, 640, 400},
         true,
         PlacementText({32, 16, 640, 400}, true)},
        {"120 DPI has its own section",
         {1280, 1024},
         120,
         other + "[TMainForm_Placement120]\r\nLeft=100\r\nTop=80\r\nRight=900\r\nBottom=600\r\n",
         {100, 80, 900, 600},
         false,
         other + PlacementText({100, 80, 900, 600}, false, "TMainForm_Placement120")},
    };
    for (const PlacementCase& c : cases) {
        headless::ResetAll();
        headless::SetScreen(c.screen, c.dpi);
        WriteIni(c.stored);
        Create();
        EXPECT_EQ(form->ScreenBounds(), c.expected) << c.why << ": made there, before it shows";
        form->Show();
        EXPECT_EQ(form->ScreenBounds(), c.expected) << c.why;
        EXPECT_EQ(form->GetWindowState() == WindowState::Maximized, c.maximized) << c.why;
        EXPECT_EQ(ReadIni(), c.written) << c.why;
        form.reset();
    }
}

// With a second monitor right of the first, a window kept there comes back there: moved only
// when it reaches past that monitor's edge, and onto that monitor, not the first.
TEST_F(StartupTest, AStoredPlacementOnASecondMonitorStaysThere) {
    const struct {
        Rect stored;
        Rect expected;
        const char* why;
    } cases[] = {
        {{1300, 50, 1900, 450}, {1300, 50, 1900, 450}, "inside the second monitor"},
        {{1800, 500, 2400, 1000}, {1448, 268, 2048, 768}, "past its right and bottom edges"},
        {{800, 50, 1400, 450}, {800, 50, 1400, 450}, "across both, mostly on the second"},
        {{700, 50, 1300, 450}, {424, 50, 1024, 450}, "across both, mostly on the first"},
        {{2200, 50, 2800, 450}, {1448, 50, 2048, 450}, "beyond every monitor: the nearest"},
    };
    for (const auto& c : cases) {
        headless::ResetAll();
        headless::SetMonitors({Rect{0, 0, 1024, 768}, Rect{1024, 0, 2048, 768}});
        WriteIni(PlacementText(c.stored, false));
        Start();
        EXPECT_EQ(form->ScreenBounds(), c.expected) << c.why;
        EXPECT_EQ(ReadIni(), PlacementText(c.expected, false)) << c.why;
        form.reset();
    }
}

TEST_F(StartupTest, AStoredPlacementNoWindowCanHaveCountsAsNone) {
    const char* const stored[] = {
        // Moving it onto the screen would overflow.
        "Left=-2147483648\r\nRight=1025\r\nBottom=1\r\n",
        // Scaling it between screen and design pixels would overflow.
        "Top=-27483648\r\nBottom=1\r\n",
        "Left=2147483647\r\nTop=-2147483648\r\nRight=-2147483648\r\nBottom=2147483647\r\n",
        // Just beyond the farthest edge a window can have.
        "Left=-32768\r\nTop=0\r\nRight=600\r\nBottom=400\r\n",
        "Left=0\r\nTop=0\r\nRight=600\r\nBottom=32768\r\n",
        // Reversed: the right edge left of the left one, the bottom above the top.
        "Left=700\r\nTop=50\r\nRight=100\r\nBottom=450\r\n",
        "Left=100\r\nTop=450\r\nRight=700\r\nBottom=50\r\n",
        "Left=-20\r\nTop=-10\r\nRight=-21\r\nBottom=-11\r\n",
    };
    for (const char* keys : stored) {
        SCOPED_TRACE(keys);
        headless::ResetAll();
        WriteIni(std::string("[TMainForm_Placement]\r\n") + keys + "Maximized=1\r\n");
        Start();
        EXPECT_EQ(form->ScreenBounds(), Centred());
        EXPECT_EQ(form->GetWindowState(), WindowState::Maximized) << "the other keys still count";
        const SettingsFile ini;
        const Rect saved{ini.ReadInteger("TMainForm_Placement", "Left", 0),
                         ini.ReadInteger("TMainForm_Placement", "Top", 0),
                         ini.ReadInteger("TMainForm_Placement", "Right", 0),
                         ini.ReadInteger("TMainForm_Placement", "Bottom", 0)};
        EXPECT_EQ(saved, Centred()) << "the placement applied is the one saved";
        form.reset();
    }
    // The farthest edges themselves are a placement.
    headless::ResetAll();
    WriteIni(
        "[TMainForm_Placement]\r\nLeft=-32767\r\nTop=-32767\r\nRight=-32167\r\n"
        "Bottom=-32367\r\n");
    Start();
    EXPECT_EQ(form->ScreenBounds(), (Rect{-32767, -32767, -32167, -32367}));
}

TEST_F(StartupTest, AnAt120DpiFirstStartLeavesThe96DpiSectionAlone) {
    headless::SetScreen({1280, 1024}, 120);
    const std::string other = "[TMainForm_Placement]\r\nLeft=1\r\nTop=2\r\nRight=3\r\nBottom=4\r\n";
    WriteIni(other);
    Start();
    EXPECT_EQ(ReadIni(),
              other + PlacementText(form->ScreenBounds(), false, "TMainForm_Placement120"));
    EXPECT_EQ(form->Left(), ToDesignPixels((1280 - form->ScreenBounds().Width()) / 2))
        << "centred on the screen";
}

struct ShowCase {
    int showCommand;
    int startupInfoShowCommand;
    bool family95;
    WindowState expected;
};

TEST_F(StartupTest, AMinimisedStartLeavesAMinimisedWindowWithTheClockRunning) {
    const ShowCase cases[] = {
        {1, 7, false, WindowState::Normal},  // only "show default" looks at the start-up info
        {3, 1, false, WindowState::Normal},  // no show command maximises
        {10, 1, false, WindowState::Normal},    {2, 1, false, WindowState::Minimized},
        {6, 1, false, WindowState::Minimized},  {7, 1, false, WindowState::Minimized},
        {10, 7, false, WindowState::Minimized}, {10, 2, false, WindowState::Minimized},
        {7, 1, true, WindowState::Minimized},  // the 95 family without the tray checked
    };
    for (const ShowCase& c : cases) {
        headless::ResetAll();
        headless::SetStartupShowCommand(c.showCommand, c.startupInfoShowCommand);
        headless::SetWindows95Family(c.family95);
        Start();
        const std::string what = "show command " + std::to_string(c.showCommand) + "/" +
                                 std::to_string(c.startupInfoShowCommand);
        EXPECT_EQ(form->GetWindowState(), c.expected) << what;
        EXPECT_TRUE(form->Timer1.Enabled()) << what;
        EXPECT_EQ(ReadIni(), PlacementText(Centred(), false))
            << what << ": the placement is restored before the window is minimised";
        form.reset();
    }
}

TEST_F(StartupTest, TheSettingsAreReadAtStartAndWrittenBackWhole) {
    WriteIni(
        "[Sounds]\r\nWaveFile=C:\\WINDOWS\\MEDIA\\ding.wav\r\nSilent=1\r\n[Tray]\r\nUse=1\r\n");
    Create();
    EXPECT_EQ(form->DefaultSoundFile(), "C:\\WINDOWS\\MEDIA\\ding.wav");
    EXPECT_TRUE(form->mnuNoAlarmSound.Checked());
    EXPECT_TRUE(form->mnuUseTray.Checked());

    form->mnuNoAlarmSound.SetChecked(false);
    form->SetDefaultSoundFile("C:\\b.wav");
    form->SaveSettings();
    EXPECT_EQ(ReadIni(), "[Sounds]\r\nWaveFile=C:\\b.wav\r\nSilent=0\r\n[Tray]\r\nUse=1\r\n");

    headless::SetReadOnly(SettingsFilePath(), true);
    form->mnuUseTray.SetChecked(false);
    EXPECT_THROW(form->SaveSettings(), EIniFileError);
}

TEST_F(StartupTest, WithoutASettingsFileTheSwitchesAreOff) {
    Create();
    EXPECT_EQ(form->DefaultSoundFile(), "");
    EXPECT_FALSE(form->mnuNoAlarmSound.Checked());
    EXPECT_FALSE(form->mnuUseTray.Checked());
}

TEST_F(StartupTest, AReadOnlySettingsFileIsReportedOnceAndTheStartGoesOn) {
    WriteIni("[TMainForm_Placement]\r\nLeft=100\r\nTop=50\r\nRight=700\r\nBottom=450\r\n");
    headless::SetReadOnly(SettingsFilePath(), true);
    // Closing the error box activates the main window again. A start that begins anew at that
    // activation shows the box without end; the third box ends the test instead.
    struct BoxesWithoutEnd {};
    headless::SetUnexpectedMessageBoxHandler([](const headless::MessageBoxCall&) -> int {
        if (headless::MessageBoxLog().size() >= 3) throw BoxesWithoutEnd{};
        return idresult::kOk;
    });
    ASSERT_NO_THROW(Start()) << "the error box came back again and again";
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
    EXPECT_EQ(headless::MessageBoxLog()[0].text, "Unable to write to C:\\PELLINO\\PELLINO.INI.");
    EXPECT_EQ(form->ScreenBounds(), (Rect{100, 50, 700, 450})) << "the placement was applied";
    EXPECT_TRUE(form->Timer1.Enabled()) << "the clock runs all the same";
}

TEST_F(StartupTest, ClosingWithNothingChangedWritesOnlyThePlacementAndStopsTheSound) {
    Start();
    const Rect moved =
        BoundsRect(40, 30, form->ScreenBounds().Width(), form->ScreenBounds().Height());
    form->SetScreenBounds(moved);
    form->Close();
    EXPECT_FALSE(FileExists(DataFilePath())) << "nothing changed, nothing written";
    EXPECT_EQ(ReadIni(), PlacementText(moved, false));
    EXPECT_TRUE(Application::Terminated());
    EXPECT_TRUE(headless::SoundLog().empty());
    form.reset();
    EXPECT_EQ(headless::SoundLog(), std::vector<std::string>{"<stop>"})
        << "destroying the window stops any sound";
    EXPECT_EQ(headless::HelpLog(), std::vector<std::string>{"<close C:\\PELLINO\\PELLINO.HLP>"})
        << "and closes the help windows the program opened";
}

TEST_F(StartupTest, AFailedWriteOfTheDataFileKeepsTheWindowOpen) {
    WriteHostFile(HostDataFile(), FileBytes({666, 2.0, {OneTime("a", StartDay() + 1)}, {}}));
    Start();
    const std::string placement = ReadIni();
    form->SetScreenBounds(
        BoundsRect(40, 30, form->ScreenBounds().Width(), form->ScreenBounds().Height()));
    headless::LockFile(DataFilePath(), true);
    // A clone the file refused waits in memory.
    EXPECT_ANY_THROW(form->CloneButtonClick());
    ASSERT_TRUE(headless::MessageBoxLog().empty()) << "the command raised, and showed nothing";
    headless::QueueMessageBoxAnswer(idresult::kOk);
    form->Close();
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u) << "the error is shown";
    EXPECT_EQ(headless::MessageBoxLog()[0].text, "Cannot create file C:\\PELLINO\\Pellino.dat.");
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(Application::Terminated());
    EXPECT_EQ(ReadIni(), placement) << "the close stopped before the placement";

    headless::LockFile(DataFilePath(), false);
    form->Close();
    EXPECT_TRUE(Application::Terminated());
    MemoryStream written(ReadHostFile(HostDataFile()));
    EXPECT_EQ(readDataFile(written).contents.oneTime.size(), 2u) << "the clone is written";
}

TEST_F(StartupTest, AReadOnlySettingsFileDoesNotKeepTheProgramFromEnding) {
    Start();
    headless::SetReadOnly(SettingsFilePath(), true);
    form->SetScreenBounds(
        BoundsRect(40, 30, form->ScreenBounds().Width(), form->ScreenBounds().Height()));
    headless::QueueMessageBoxAnswer(idresult::kOk);
    form->Close();
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
    EXPECT_EQ(headless::MessageBoxLog()[0].text, "Unable to write to C:\\PELLINO\\PELLINO.INI.");
    EXPECT_TRUE(Application::Terminated());
}

TEST_F(StartupTest, NoRunOfStartsAndClosesDestroysADataFileThatWasNotRead) {
    const Bytes original = FileBytes({666, 2.0, {OneTime("original", StartDay() + 1)}, {}});
    WriteHostFile(HostDataFile(), original);
    const std::string hostUnsaved = headless::HostPath(UnsavedChangesFilePath());
    // Another program holds the file at every start.
    const auto startHeld = [&] {
        form.reset();
        Application::Reset();
        headless::LockFile(DataFilePath(), true);
        Start();
    };

    // A start while the file is held, then a close with nothing changed: nothing is said at the
    // start, nothing is written anywhere.
    startHeld();
    EXPECT_TRUE(headless::MessageBoxLog().empty()) << "a held file is told of only when it stays";
    EXPECT_EQ(form->AlarmGrid.RowCount(), 1);
    form->Close();
    EXPECT_TRUE(Application::Terminated());
    EXPECT_TRUE(headless::MessageBoxLog().empty());
    EXPECT_FALSE(std::filesystem::exists(hostUnsaved));
    headless::LockFile(DataFilePath(), false);
    EXPECT_EQ(ReadHostFile(HostDataFile()), original);

    // Again, and a reminder is added: the close, with the file still held, keeps it beside the
    // data file and says so.
    startHeld();
    form->AppendOneTimeReminder(
        std::make_unique<TReminder>(OneTime("added second", StartDay() + 2)));
    EXPECT_NO_THROW(form->SaveChanges()) << "the change waits in memory";
    headless::QueueMessageBoxAnswer(idresult::kOk);
    form->Close();
    EXPECT_TRUE(Application::Terminated());
    ASSERT_EQ(headless::MessageBoxLog().size(), 1u);
    EXPECT_NE(headless::MessageBoxLog()[0].text.find("They are kept in " +
                                                     UnsavedChangesFilePath()),
              std::string::npos)
        << headless::MessageBoxLog()[0].text;
    headless::LockFile(DataFilePath(), false);
    EXPECT_EQ(ReadHostFile(HostDataFile()), original);
    ASSERT_TRUE(std::filesystem::exists(hostUnsaved));

    // A start with the file free again: both are read, put together and saved, and the file of
    // changes goes. The close's last try reads a file let go of just before it.
    startHeld();
    EXPECT_EQ(form->AlarmGrid.RowCount(), 2) << "the kept change, while the file is held";
    headless::LockFile(DataFilePath(), false);
    form->Close();
    EXPECT_TRUE(Application::Terminated());
    MemoryStream written(ReadHostFile(HostDataFile()));
    const DataFileReading reading = readDataFile(written);
    ASSERT_EQ(reading.contents.oneTime.size(), 2u);
    EXPECT_EQ(reading.contents.oneTime[0].Description, "original");
    EXPECT_EQ(reading.contents.oneTime[1].Description, "added second");
    EXPECT_FALSE(std::filesystem::exists(hostUnsaved));
    EXPECT_FALSE(std::filesystem::exists(headless::HostPath(BackupFilePath())));
    EXPECT_EQ(headless::MessageBoxLog().size(), 1u);
}

}  // namespace
}  // namespace pellino::testing
