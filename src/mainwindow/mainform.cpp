#include "mainwindow/mainform.h"

#include "platform/application.h"
#include "schedule/alarmshow.h"

namespace pellino {

namespace {

constexpr Color kBarGrey = 0x808080;  // (128,128,128)

void PlaceButton(Button& button, const char* name, const char* caption, int left, int top,
                 int width, int height, const char* hint) {
    button.SetName(name);
    button.SetText(caption);
    button.SetBounds(left, top, width, height);
    button.SetHint(hint);
}

void NameItem(MenuItem& item, const char* name, const char* caption, const char* hint = "") {
    item.SetName(name);
    item.SetCaption(caption);
    item.SetHint(hint);
}

void AdjustItem(MenuItem& item, const char* name, const char* caption, int minutes) {
    NameItem(item, name, caption);
    item.SetTag(minutes);
}

}  // namespace

TMainForm::TMainForm() : Form("TMainForm") {
    LayOut();
    SetUpLists();
    SetUpStartup();
    SetUpClock();
    SetUpCommands();
    SetUpEditCommands();
    SetUpTray();
    SetUpWhatsThis();
    SetUpStartWithWindows();
    FormCreate();
}

// The form's destruction is where any sound still playing is stopped (startup.cpp).
TMainForm::~TMainForm() {
    FormDestroy();
    // The window and its native controls go first, while the menus and controls that they
    // mirror still exist; the members are destroyed before the base class would do it.
    DestroyPeers();
}

void TMainForm::LayOut() {
    SetName("MainForm");
    SetCaption("Pellino!");
    SetFont(Font{"Arial", 11, false, colors::kBlack});
    SetShowHints(true);

    NameItem(File1, "File1", "&File");
    NameItem(mnuSelectSoundFile, "mnuSelectSoundFile", "Select Default Sound File (*.wav)",
             "Select the default .wav file to use with reminders");
    NameItem(mnuNoAlarmSound, "mnuNoAlarmSound", "No Reminder Sound",
             "Toggle all reminder sounds on/off");
    NameItem(mnuUseTray, "mnuUseTray", "Minimize to System Tray",
             "The system tray is the small panel in the lower right hand corner of  your Windows "
             "desktop where the time is displayed");
    NameItem(ImportfromPellino1xFile1, "ImportfromPellino1xFile1", "Import from Pellino 1.x File");
    NameItem(N1, "N1", "-");
    NameItem(mnuExit, "mnuExit", "Exit", "Exit the program");
    NameItem(Help1, "Help1", "&Help");
    NameItem(mnuContents, "mnuContents", "Contents", "Show Windows Help for Pellino!");
    NameItem(N2, "N2", "-");
    NameItem(mnuAbout, "mnuAbout", "About", "About Pellino!");
    SetMenu(&MainMenu2);
    SetClientSize(599, 362);

    Panel1.SetName("Panel1");
    Panel1.SetBounds(0, 0, 599, 41);
    Panel1.SetAlign(Align::Top);
    Panel1.SetBorderStyle(BorderStyle::Single);
    Panel1.SetColor(kBarGrey);
    PlaceButton(AddAlarmButton, "AddAlarmButton", "&New", 8, 4, 74, 30, "Add a new reminder");
    PlaceButton(EditAlarmButton, "EditAlarmButton", "&Edit", 93, 4, 74, 30,
                "Edit current reminder");
    PlaceButton(DeleteAlarmButton, "DeleteAlarmButton", "&Delete", 178, 4, 74, 30,
                "Delete current reminder");
    PlaceButton(CloneButton, "CloneButton", "&Clone", 263, 4, 74, 30,
                "Make a copy of \rcurrent reminder");
    // 14 pixels wider than designed, for the arrow that says it drops a menu down.
    PlaceButton(AdjustTimeButton, "AdjustTimeButton", "Adjust Time +-", 348, 4, 110, 30,
                "Adjust the current reminder time \rplus or minus ");
    AdjustTimeButton.SetDropDown(true);
    AddAlarmButton.SetGlyph(Glyph::NewItem);
    EditAlarmButton.SetGlyph(Glyph::Pencil);
    DeleteAlarmButton.SetGlyph(Glyph::Bin);
    CloneButton.SetGlyph(Glyph::Copies);

    AdjustItem(Add1Minute, "Add1Minute", "+1 Minute", 1);
    AdjustItem(Add5Minutes, "Add5Minutes", "+5 Minutes", 5);
    AdjustItem(Add20Minutes, "Add20Minutes", "+20 Minutes", 20);
    AdjustItem(Add1Hour, "Add1Hour", "+1 Hour", 60);
    AdjustItem(N2Hours1, "N2Hours1", "+2 Hours", 120);
    AdjustItem(N6Hours1, "N6Hours1", "+6 Hours", 360);
    AdjustItem(N12Hours1, "N12Hours1", "+12 Hours", 720);
    AdjustItem(Add1Day, "Add1Day", "+1 Day", 1440);
    AdjustItem(Add1Week, "Add1Week", "+1 Week", 10080);
    NameItem(N3, "N3", "-");
    AdjustItem(Less1Minute, "Less1Minute", "-1 Minute", -1);
    AdjustItem(Less5Minutes, "Less5Minutes", "-5 Minutes", -5);
    AdjustItem(Less20Minutes, "Less20Minutes", "-20 Minutes", -20);
    AdjustItem(Less1Hour, "Less1Hour", "-1 Hour", -60);
    AdjustItem(N2Hours2, "N2Hours2", "-2 Hours", -120);
    AdjustItem(N6Hours2, "N6Hours2", "-6 Hours", -360);
    AdjustItem(N12Hours2, "N12Hours2", "-12 Hours", -720);
    AdjustItem(LessOneDay, "LessOneDay", "-1 Day", -1440);
    AdjustItem(LessOneWeek, "LessOneWeek", "-1 Week", -10080);

    TimePanel.SetName("TimePanel");
    TimePanel.SetBounds(519, 5, 72, 25);
    TimePanel.SetColor(kBarGrey);
    TimePanel.SetFont(Font{"Arial", 11, false, colors::kWhite});

    Panel4.SetName("Panel4");
    Panel4.SetBounds(0, 322, 599, 40);
    Panel4.SetAlign(Align::Bottom);
    Panel4.SetBorderStyle(BorderStyle::Single);
    Panel4.SetColor(kBarGrey);
    const Font bottomFont{"Arial", 16, true, colors::kBlack};  // bold Arial 12 points
    PlaceButton(Minimizebutton, "Minimizebutton", "Minimize", 8, 2, 111, 29, "Minimize Pellino!");
    Minimizebutton.SetFont(bottomFont);
    Minimizebutton.SetGlyph(Glyph::Minimize);
    Minimizebutton.SetGlyphLayout(GlyphLayout::LeftCaptionLeft);
    PlaceButton(Exitbutton, "Exitbutton", "E&xit", 511, 2, 68, 29, "Exit Pellino!");
    Exitbutton.SetFont(bottomFont);
    Exitbutton.SetGlyph(Glyph::Door);
    Exitbutton.SetGlyphLayout(GlyphLayout::RightCaptionRight);

    TabSet_.SetName("TabSet");
    TabSet_.SetBounds(0, 290, 599, 32);
    TabSet_.SetAlign(Align::Bottom);
    TabSet_.SetFont(Font{"MS Sans Serif", 11, false, colors::kBlack});
    TabSet_.SetTabs({"Reminders", "Repeat Reminders"});
    TabSet_.SetTabIndex(0);

    Notebook_.SetName("Notebook");
    Notebook_.SetAlign(Align::Client);
    RemindersPage.SetName("RemindersPage");
    RepeatRemindersPage.SetName("RepeatRemindersPage");
    AlarmGrid.SetName("AlarmGrid");
    RepeatingAlarmGrid.SetName("RepeatingAlarmGrid");
}

}  // namespace pellino
