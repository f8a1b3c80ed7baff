// The settings file: how key texts become numbers and switches, how keys are found and written in
// the file, the placement section, and the placement maths.

#include "model/settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/application.h"
#include "platform/headless/testing.h"
#include "platform/inifile.h"
#include "runtime/errors.h"
#include "startup/ini_files.h"

namespace pellino {
namespace {

using inifiles::HostIni;
using inifiles::ReadIni;
using inifiles::WriteIni;

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { headless::ResetAll(); }
    void TearDown() override { headless::ResetAll(); }
};

struct IntegerCase {
    const char* text;
    int expected;  // with the fallback 7
};

TEST(ProfileTextToInt, ReadsTheFormsTheProgramAccepts) {
    const IntegerCase cases[] = {
        {"0x20", 32},       // "0x" hexadecimal
        {"0XfF", 255},      // in any case
        {"$10", 16},        // "$" hexadecimal
        {"-$10", -16},      // with a sign before the "$"
        {"$FFFFFFFF", -1},  // hexadecimal fills all 32 bits
        {"0xFFFFFFFF", -1},
        {"$000000010", 16},  // leading zeros do not count against the width
        {"$100000000", 7},   // more than 32 bits
        {"42", 42},
        {"+42", 42},
        {"-0", 0},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", 7},  // past the largest int
        {"-2147483649", 7},
        {"", 7},       // empty
        {"yes", 7},    // no number
        {"12abc", 7},  // trailing characters
        {"0x", 7},     // too short for "0x", and no decimal number either
        {"0x1G", 7},
        {"0x-5", 7},  // no sign after "0x"
        {"-0x5", 7},  // nor "0x" after a sign
        {"$", 7},
        {"-", 7},
        {"1 2", 7},
    };
    for (const IntegerCase& c : cases) {
        EXPECT_EQ(ProfileTextToInt(c.text, 7), c.expected) << "'" << c.text << "'";
    }
}

TEST(ProfileTextToInt, OnlyTheFirst1023CharactersCount) {
    // 1023 zeros and then a digit: the digit is beyond what the reader takes.
    EXPECT_EQ(ProfileTextToInt(std::string(1023, '0') + "5", 7), 0);
    EXPECT_EQ(ProfileTextToInt(std::string(1022, '0') + "5", 7), 5);
}

TEST_F(SettingsTest, IntegersAndSwitchesAreReadByTheProgramsRules) {
    WriteIni(
        "[Sounds]\r\nSilent=yes\r\nWaveFile=  \"C:\\My Sounds\\a.wav\"  \r\n"
        "[Tray]\r\nUse=2\r\n"
        "[TMainForm_Placement]\r\nLeft=0x20\r\nTop=$10\r\nRight=\r\nMaximized=0\r\n");
    const SettingsFile ini;
    EXPECT_FALSE(ini.ReadBool("Sounds", "Silent", false)) << "'yes' is no number: the default";
    EXPECT_TRUE(ini.ReadBool("Sounds", "Silent", true)) << "'yes' is no number: the default";
    EXPECT_TRUE(ini.ReadBool("Tray", "Use", false)) << "any non-zero number is true";
    EXPECT_FALSE(ini.ReadBool("TMainForm_Placement", "Maximized", true));
    EXPECT_TRUE(ini.ReadBool("TMainForm_Placement", "Missing", true));
    EXPECT_EQ(ini.ReadInteger("TMainForm_Placement", "Left", 0), 32);
    EXPECT_EQ(ini.ReadInteger("tmainform_placement", "TOP", 0), 16) << "names in any case";
    EXPECT_EQ(ini.ReadInteger("TMainForm_Placement", "Right", 5), 5) << "an empty text";
    EXPECT_EQ(ini.ReadInteger("Nowhere", "Left", 9), 9);
    EXPECT_EQ(ini.ReadString("Sounds", "WaveFile", ""), "C:\\My Sounds\\a.wav")
        << "texts lose the blanks and quotes around them";
}

TEST_F(SettingsTest, AMissingFileGivesTheDefaults) {
    const SettingsFile ini;
    EXPECT_EQ(ini.ReadString("Sounds", "WaveFile", "none"), "none");
    EXPECT_EQ(ini.ReadInteger("TMainForm_Placement", "Bottom", 0), 0);
    EXPECT_FALSE(ini.ReadBool("Sounds", "Silent", false));
}

TEST_F(SettingsTest, ValuesAreWrittenAsTheProgramStoresThem) {
    WriteIni("; kept\r\n[Sounds]\r\nsilent=0\r\n");
    const SettingsFile ini;
    ini.WriteBool("Sounds", "Silent", true);
    ini.WriteString("Sounds", "WaveFile", "C:\\WINDOWS\\MEDIA\\chimes.wav");
    ini.WriteInteger("TMainForm_Placement", "Left", -76);
    ini.WriteBool("TMainForm_Placement", "Maximized", false);
    EXPECT_EQ(ReadIni(),
              "; kept\r\n"
              "[Sounds]\r\nsilent=1\r\nWaveFile=C:\\WINDOWS\\MEDIA\\chimes.wav\r\n"
              "[TMainForm_Placement]\r\nLeft=-76\r\nMaximized=0\r\n");
}

TEST_F(SettingsTest, ARefusedWriteRaisesTheErrorWithThePathAndChangesNothing) {
    WriteIni("[Sounds]\r\nSilent=0\r\n");
    headless::SetReadOnly(SettingsFilePath(), true);
    const SettingsFile ini;
    try {
        ini.WriteBool("Sounds", "Silent", true);
        FAIL() << "a read-only settings file refuses the key";
    } catch (const EIniFileError& error) {
        EXPECT_EQ(error.Message(), "Unable to write to C:\\PELLINO\\PELLINO.INI");
    }
    EXPECT_EQ(ReadIni(), "[Sounds]\r\nSilent=0\r\n");
    EXPECT_FALSE(ini.ReadBool("Sounds", "Silent", true)) << "reading still works";
    EXPECT_THROW(ini.WriteBool("Sounds", "Silent", false), EIniFileError)
        << "even a value that is already there";
}

TEST(IniDocument, FindsKeysAsThePlatformDoes) {
    const IniDocument doc = IniDocument::Parse(
        "Orphan=1\n"
        "[ Sounds ]\n"
        "  WaveFile =  'x.wav' \n"
        "Comment line\n"
        "Quote=\"\n"
        "[Sounds]\n"
        "Second=in the second section of the name\n"
        "[Half\n");
    EXPECT_EQ(doc.Read("sounds", " wavefile ").value_or("-"), "x.wav");
    EXPECT_EQ(doc.Read("Sounds", "Quote").value_or("-"), "\"") << "a lone quote stays";
    EXPECT_FALSE(doc.Read("Sounds", "Comment line")) << "a line without '=' has no text";
    EXPECT_FALSE(doc.Read("Sounds", "Second")) << "only the first section of a name counts";
    EXPECT_EQ(doc.Read("", "Orphan").value_or("-"), "1");
    EXPECT_FALSE(doc.Read("Half", "x")) << "a header without ']' is no header";
}

TEST(IniDocument, WritesIntoTheFirstSectionOfTheNameAndAppendsNewOnes) {
    IniDocument doc = IniDocument::Parse("[Sounds]\r\n\r\nSILENT=0\r\n[Sounds]\r\nX=1\r\n");
    EXPECT_TRUE(doc.Write("sounds", "Silent", "1"));
    EXPECT_FALSE(doc.Write("Sounds", "Silent", "1")) << "an unchanged value";
    EXPECT_TRUE(doc.Write("Sounds", "WaveFile", "  a.wav"));
    EXPECT_TRUE(doc.Write(" Tray ", " Use ", "0"));
    EXPECT_EQ(doc.Serialize(),
              "[Sounds]\r\nSILENT=1\r\nWaveFile=a.wav\r\n[Sounds]\r\nX=1\r\n[Tray]\r\nUse=0\r\n");
}

TEST(PlacementSection, NamesTheResolutionAbove96) {
    EXPECT_EQ(PlacementSection("TMainForm", 96), "TMainForm_Placement");
    EXPECT_EQ(PlacementSection("TMainForm", 72), "TMainForm_Placement");
    EXPECT_EQ(PlacementSection("TMainForm", 120), "TMainForm_Placement120");
    EXPECT_EQ(PlacementSection("TMainForm", 144), "TMainForm_Placement144");
}

struct FitCase {
    Rect stored;
    Rect expected;
    const char* why;
};

TEST(FitToScreen, MovesAWindowBackOntoTheScreen) {
    const Rect screen{0, 0, 1024, 768};
    const FitCase cases[] = {
        {{100, 50, 700, 450}, {100, 50, 700, 450}, "inside: unchanged"},
        {{0, 0, 1024, 768}, {0, 0, 1024, 768}, "exactly the screen"},
        {{600, 50, 1200, 450}, {424, 50, 1024, 450}, "past the right edge"},
        {{100, 500, 700, 900}, {100, 368, 700, 768}, "past the bottom edge"},
        {{100, 50, 1200, 900}, {-76, -82, 1024, 768}, "wider and taller: left and top go negative"},
        {{-300, -20, 200, 100}, {-300, -20, 200, 100}, "off the left and top: no change"},
    };
    for (const FitCase& c : cases) EXPECT_EQ(FitToScreen(c.stored, screen), c.expected) << c.why;
    // A second monitor right of the first and lower.
    EXPECT_EQ(FitToScreen({1800, 500, 2400, 1000}, Rect{1024, 100, 2048, 868}),
              (Rect{1448, 368, 2048, 868}));
}

TEST(CenteredPosition, HalvesRoundTowardZeroWithoutClamping) {
    const Size screen{1024, 768};
    EXPECT_EQ(CenteredPosition({607, 409}, screen, false, {}), (Position{208, 179}));
    EXPECT_EQ(CenteredPosition({1101, 801}, screen, false, {}), (Position{-38, -16}))
        << "larger than the screen: -38.5 and -16.5 round toward zero";
    const Rect main{100, 50, 707, 459};
    EXPECT_EQ(CenteredPosition({301, 200}, screen, true, main), (Position{253, 154}));
    EXPECT_EQ(CenteredPosition({800, 600}, screen, true, main), (Position{4, -45}))
        << "a dialog larger than the main window: -96.5 and -95.5 round toward zero";
}

class DialogForm : public Form {
public:
    DialogForm() : Form("TEditAlarmExact") {
        SetBorder(FormBorder::Dialog);
        SetClientSize(294, 178);
    }
};

class MainLikeForm : public Form {
public:
    MainLikeForm() : Form("TMainForm") {
        SetClientSize(599, 362);
        SetBounds(100, 50, Width(), Height());
    }
};

TEST_F(SettingsTest, CenterOverMainFormPlacesDialogsOverTheMainWindow) {
    MainLikeForm main;
    Application::Run(main);  // makes it the main window; the headless loop returns at once
    DialogForm dialog;
    dialog.SetIcons(BorderIcons{false, false, false});
    CenterOverMainForm(dialog);
    EXPECT_EQ(dialog.Left(), (main.Width() - dialog.Width()) / 2 + 100);
    EXPECT_EQ(dialog.Top(), (main.Height() - dialog.Height()) / 2 + 50);
    EXPECT_FALSE(dialog.Icons().systemMenu) << "no maximise button: border icons stay";

    main.SetWindowState(WindowState::Maximized);
    dialog.SetIcons(BorderIcons{false, false, true});
    CenterOverMainForm(dialog);
    EXPECT_EQ(dialog.Left(), (1024 - dialog.Width()) / 2) << "a maximised main window: screen";
    EXPECT_EQ(dialog.Top(), (768 - dialog.Height()) / 2);
    EXPECT_TRUE(dialog.Icons().systemMenu) << "a maximise button brings the system menu";

    main.SetWindowState(WindowState::Normal);
    CenterOverMainForm(main);
    EXPECT_EQ(main.Left(), (1024 - main.Width()) / 2) << "the main window itself: screen";
    EXPECT_EQ(main.Top(), (768 - main.Height()) / 2);
}

}  // namespace
}  // namespace pellino
