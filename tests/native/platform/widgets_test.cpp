// The portable widget layer against the headless backend: layout, events through the error
// dispatch, modal forms run by scripts, message boxes, menus, tabs and pages.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/application.h"
#include "platform/calendar.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/exception.h"
#include "platform/form.h"
#include "platform/headless/recording_canvas.h"
#include "platform/headless/testing.h"
#include "platform/menus.h"

namespace pellino {
namespace {

class WidgetsTest : public ::testing::Test {
protected:
    void SetUp() override { headless::ResetAll(); }
};

class Dialog : public Form {
public:
    Dialog() : Form("TTestDialog") {
        SetBorder(FormBorder::Dialog);
        SetClientSize(200, 100);
        Ok.SetText("Ok");
        Ok.SetModalResult(mr::kOk);
        Ok.SetDefault(true);
        Cancel.SetText("&Cancel");
        Cancel.SetModalResult(mr::kCancel);
        Cancel.SetCancel(true);
    }
    Button Ok{this};
    Button Cancel{this};
};

TEST_F(WidgetsTest, AlignedChildrenShareTheClientAreaInCreationOrder) {
    Form form("TLayout");
    form.SetClientSize(300, 200);
    Panel top(&form), bottom(&form), strip(&form), rest(&form);
    top.SetBounds(0, 0, 10, 41);
    top.SetAlign(Align::Top);
    bottom.SetBounds(0, 0, 10, 40);
    bottom.SetAlign(Align::Bottom);
    strip.SetBounds(0, 0, 10, 32);
    strip.SetAlign(Align::Bottom);
    rest.SetAlign(Align::Client);

    EXPECT_EQ(top.Bounds(), BoundsRect(0, 0, 300, 41));
    EXPECT_EQ(bottom.Bounds(), BoundsRect(0, 160, 300, 40))
        << "the first bottom control sits lowest";
    EXPECT_EQ(strip.Bounds(), BoundsRect(0, 128, 300, 32));
    EXPECT_EQ(rest.Bounds(), BoundsRect(0, 41, 300, 87)) << "the client control takes what is left";

    form.SetClientSize(400, 300);
    EXPECT_EQ(rest.Bounds(), BoundsRect(0, 41, 400, 187))
        << "a new client size lays the children out again";
    strip.SetVisible(false);
    EXPECT_EQ(rest.Bounds(), BoundsRect(0, 41, 400, 219)) << "a hidden control gives its room back";
}

TEST_F(WidgetsTest, AHandlerErrorIsShownInTheStandardBoxAndTheProgramRunsOn) {
    Application::SetTitle("Pellino!");
    Form form("TErrors");
    Button button(&form);
    form.Show();
    int clicks = 0;
    button.OnClick = [&] {
        ++clicks;
        throw Exception("Cannot create file C:\\PELLINO\\Pellino.dat");
    };
    headless::QueueMessageBoxAnswer(idresult::kOk);
    button.Click();
    headless::QueueMessageBoxAnswer(idresult::kOk);
    button.Click();
    EXPECT_EQ(clicks, 2);
    const auto& log = headless::MessageBoxLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].text, "Cannot create file C:\\PELLINO\\Pellino.dat.")
        << "the box ends the text with a full stop";
    EXPECT_EQ(log[0].caption, "Pellino!");
    EXPECT_EQ(log[0].flags, mb::kOk | mb::kIconError);
}

TEST_F(WidgetsTest, ADisabledOrHiddenButtonIgnoresClicks) {
    Form form("TClicks");
    Panel panel(&form);
    Button button(&panel);
    int clicks = 0;
    button.OnClick = [&] { ++clicks; };
    button.Click();
    EXPECT_EQ(clicks, 0) << "a button of a form not shown cannot be pressed";
    form.Show();
    button.SetEnabled(false);
    button.Click();
    button.SetEnabled(true);
    panel.SetVisible(false);
    button.Click();
    EXPECT_EQ(clicks, 0);
    panel.SetVisible(true);
    button.Click();
    EXPECT_EQ(clicks, 1);
}

TEST_F(WidgetsTest, ModalFormsRunTheirScriptAndReturnTheResultOfTheButtonPressed) {
    std::vector<std::string> events;
    Dialog dialog;
    dialog.OnShow = [&] { events.push_back("show"); };
    dialog.OnActivate = [&] { events.push_back("activate"); };
    dialog.Ok.OnClick = [&] {
        events.push_back("ok, result " + std::to_string(dialog.ModalResult()));
    };
    headless::ScriptModal("TTestDialog", [](Form& form) {
        EXPECT_TRUE(form.Visible()) << "a modal form is visible while it runs";
        static_cast<Dialog&>(form).Ok.Click();
    });
    headless::ScriptModal("TTestDialog",
                          [](Form& form) { EXPECT_TRUE(form.PressDefaultButton(true)); });
    headless::ScriptModal("TTestDialog", [](Form& form) { form.CloseRequestedByPlatform(); });

    EXPECT_EQ(dialog.ShowModal(), mr::kOk);
    EXPECT_EQ(dialog.ShowModal(), mr::kCancel) << "Escape presses the cancel button";
    EXPECT_EQ(dialog.ShowModal(), mr::kCancel) << "the close command ends a modal form with Cancel";
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(events, (std::vector<std::string>{"show", "activate", "ok, result 1", "show",
                                                "activate", "show", "activate"}));
    EXPECT_EQ(headless::ModalLog().size(), 3u);
}

TEST_F(WidgetsTest, AModalFormWithoutAScriptFailsLoudly) {
    Dialog dialog;
    EXPECT_THROW(dialog.ShowModal(), headless::UnscriptedModalForm);
}

TEST_F(WidgetsTest, ClosingTheMainFormAsksTheCloseQueryFirst) {
    Form main("TMain");
    std::vector<std::string> events;
    bool allow = false;
    main.OnCloseQuery = [&](bool& canClose) {
        events.push_back("query");
        canClose = allow;
    };
    main.OnClose = [&] { events.push_back("close"); };
    Application::Run(main);
    main.Show();
    main.Close();
    EXPECT_TRUE(main.Visible()) << "a refused close leaves the window open";
    EXPECT_FALSE(Application::Terminated());
    allow = true;
    main.Close();
    EXPECT_FALSE(main.Visible());
    EXPECT_TRUE(Application::Terminated()) << "closing the main form ends the program";
    EXPECT_EQ(events, (std::vector<std::string>{"query", "query", "close"}));
}

TEST_F(WidgetsTest, ConfirmationAndInformationBoxes) {
    headless::QueueMessageBoxAnswer(idresult::kNo);
    EXPECT_FALSE(AskConfirmation("Delete this reminder?"));
    headless::QueueMessageBoxAnswer(idresult::kYes);
    EXPECT_TRUE(AskConfirmation("Delete this reminder?"));
    headless::QueueMessageBoxAnswer(idresult::kOk);
    ShowInformation("Invalid time.");
    const auto& log = headless::MessageBoxLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].caption, "Confirm");
    EXPECT_EQ(log[0].flags, mb::kYesNo | mb::kIconQuestion);
    EXPECT_EQ(log[2].text, "Invalid time.");
    EXPECT_EQ(log[2].caption, "Information");
    EXPECT_EQ(log[2].flags, mb::kOk | mb::kIconInformation);
}

TEST_F(WidgetsTest, MenuItemsClickWithTheirSenderAndKeepTheirCheckMarks) {
    MainMenu menu;
    MenuItem file(&menu.Items), plus(&file), minus(&file);
    plus.SetTag(5);
    minus.SetTag(-5);
    int total = 0;
    plus.OnClick = minus.OnClick = [&](MenuItem& sender) { total += sender.Tag(); };
    plus.Click();
    plus.Click();
    minus.Click();
    minus.SetEnabled(false);
    minus.Click();
    EXPECT_EQ(total, 5)
        << "one handler tells the items apart by their Tag; a disabled item does nothing";
    EXPECT_EQ(FindMenuItem(menu.Items, plus.Id()), &plus);
    plus.SetChecked(true);
    EXPECT_TRUE(plus.Checked());
}

TEST_F(WidgetsTest, TabsRunTheirHandlerOnlyForTheUsersChoiceAndPagesShowOneAtATime) {
    Form form("TPages");
    form.SetClientSize(300, 200);
    TabSet tabs(&form);
    tabs.SetTabs({"Reminders", "Repeat Reminders"});
    Notebook book(&form);
    book.SetAlign(Align::Client);
    NotebookPage first(book, "Reminders"), second(book, "Repeat Reminders");
    form.Show();
    std::vector<std::string> events;
    tabs.OnClick = [&] {
        events.push_back("tab " + std::to_string(tabs.TabIndex()));
        book.SetPageIndex(tabs.TabIndex());
    };
    book.OnPageChanged = [&] { events.push_back("page " + std::to_string(book.PageIndex())); };

    tabs.SetTabIndex(0);
    EXPECT_TRUE(events.empty()) << "setting the index from code runs nothing";
    EXPECT_TRUE(first.Visible());
    EXPECT_FALSE(second.Visible());
    tabs.SelectTab(1);
    tabs.SelectTab(1);
    EXPECT_EQ(events, (std::vector<std::string>{"tab 1", "page 1", "tab 1"}))
        << "the page-changed event runs only when the page really changes";
    EXPECT_FALSE(first.Visible());
    EXPECT_TRUE(second.Visible());
    EXPECT_EQ(second.Bounds(), BoundsRect(0, 0, 300, 200)) << "a page fills its notebook";
}

// The tab strip the program draws: the mouse chooses the tab under it, the arrow keys, Home and End
// choose while the strip has the focus, a letter still presses the button it underlines, and the
// chosen tab is the pressed one, with the focus mark on it only while the strip has the focus.
TEST_F(WidgetsTest, TheTabStripChoosesByMouseAndKeysAndDrawsTheChosenTabPressed) {
    Form form("TTabs");
    form.SetClientSize(300, 200);
    Button go(&form);
    go.SetText("&Go");
    int pressed = 0;
    go.OnClick = [&] { ++pressed; };
    TabSet tabs(&form);
    tabs.SetBounds(0, 160, 300, 32);
    tabs.SetTabs({"Reminders", "Repeat Reminders"});
    tabs.SetTabIndex(0);
    std::vector<int> chosen;
    tabs.OnClick = [&] { chosen.push_back(tabs.TabIndex()); };
    form.Show();

    const Rect first = tabs.TabRect(0), second = tabs.TabRect(1);
    EXPECT_GT(first.Width(), 0);
    EXPECT_GT(second.left, first.right) << "tabs lie side by side with room between them";
    EXPECT_GT(second.Width(), first.Width()) << "a tab is as wide as its caption";
    EXPECT_EQ(first.top, second.top);
    EXPECT_LE(first.bottom, tabs.Height());
    EXPECT_EQ(tabs.TabRect(2), Rect{});

    const auto middle = [](const Rect& r, auto&& at) { at((r.left + r.right) / 2, r.top + 4); };
    middle(second, [&](int x, int y) { tabs.MouseDown(MouseButton::Left, {}, x, y); });
    middle(second, [&](int x, int y) { tabs.MouseDown(MouseButton::Left, {}, x, y); });
    tabs.MouseDown(MouseButton::Left, {}, (first.right + second.left) / 2, first.top + 4);
    tabs.MouseDown(MouseButton::Right, {}, first.left + 2, first.top + 4);
    EXPECT_EQ(chosen, (std::vector<int>{1}))
        << "only a left click on a tab not chosen yet chooses it; the gap between tabs is none";
    headless::MouseClick(tabs);
    EXPECT_FALSE(tabs.Focused()) << "a click leaves the focus where it was";

    chosen.clear();
    tabs.SetFocus();
    for (int key : {keys::kLeft, keys::kLeft, keys::kEnd, keys::kHome, keys::kDown, keys::kRight}) {
        headless::PressKey(form, key);
    }
    EXPECT_EQ(chosen, (std::vector<int>{0, 1, 0, 1}))
        << "a key that changes nothing chooses nothing";
    headless::PressKey(form, 'G');
    EXPECT_EQ(pressed, 1) << "a letter is the underlined letter of a button, not the strip's";

    headless::RecordingCanvas canvas;
    tabs.Paint(canvas);
    const std::vector<headless::CanvasOp> texts = canvas.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "Reminders");
    EXPECT_EQ(texts[0].rect, first) << "a tab not chosen shows its caption in its middle";
    EXPECT_EQ(texts[1].rect,
              (Rect{second.left + 1, second.top + 1, second.right + 1, second.bottom + 1}))
        << "the chosen tab's caption is pressed in by a pixel";
    bool chosenFilled = false;
    for (const headless::CanvasOp& fill : canvas.Fills()) chosenFilled |= fill.rect == second;
    EXPECT_TRUE(chosenFilled) << "the chosen tab has a face of its own";
    ASSERT_EQ(canvas.FocusRects().size(), 1u);
    EXPECT_GT(canvas.FocusRects()[0].rect.left, second.left);
    EXPECT_LT(canvas.FocusRects()[0].rect.right, second.right);

    go.SetFocus();
    canvas.Clear();
    tabs.Paint(canvas);
    EXPECT_TRUE(canvas.FocusRects().empty()) << "no focus mark once the focus went on";
}

TEST_F(WidgetsTest, EveryChangeOfWhatAControlDrawsItselfReachesTheScreen) {
    Form form("TTestForm");
    form.SetClientSize(300, 200);
    Panel panel(&form);
    CustomControl custom(&form);
    MonthCalendar calendar(&form);
    struct Change {
        const char* what;
        Control* control;
        std::function<void()> change;
    };
    const Change changes[] = {
        {"a panel's text", &panel, [&] { panel.SetText("12:00:01pm"); }},
        {"a panel's font", &panel,
         [&] {
             panel.SetFont(Font{"Arial", 20, true, colors::kRed});
         }},
        {"a panel's colour", &panel, [&] { panel.SetColor(colors::kAqua); }},
        {"a custom control's font", &custom,
         [&] {
             custom.SetFont(Font{"Arial", 20, true, colors::kRed});
         }},
        {"the parent's font, which the calendar uses", &calendar,
         [&] {
             form.SetFont(Font{"Courier New", 13, false, colors::kBlack});
         }},
        {"the calendar's range", &calendar,
         [&] { calendar.SetRange(calendar.Date() - 3, calendar.Date() + 3); }},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(c.what);
        headless::PutOnScreen(*c.control);
        headless::ShownText(*c.control);  // the window's first paint
        ASSERT_FALSE(headless::RepaintPending(*c.control));
        c.change();
        EXPECT_TRUE(headless::RepaintPending(*c.control));
    }
    EXPECT_EQ(headless::ShownText(panel), "12:00:01pm");
}

TEST_F(WidgetsTest, EveryClickOfAQuickRunPressesTheControl) {
    // Clicks 150 ms apart: the platform takes the second of each pair for a double click, which
    // the buttons the program draws and radio buttons report as such. Each is a press all the same.
    Form form("TClicks");
    Button drawn(&form), flat(&form), plain(&form);
    drawn.SetGlyph(Glyph::Check);
    flat.SetFlat(true);
    RadioButton radio(&form);
    CheckBox box(&form);
    Panel cell(&form);
    form.Show();
    const struct {
        const char* what;
        Control& control;
        int presses;
    } cases[] = {
        {"a button with a picture", drawn, 4},
        {"a flat button", flat, 4},
        {"a platform button", plain, 4},
        {"a radio button (checked by the first, the others change nothing)", radio, 1},
        {"a check box", box, 4},
        {"a picker cell", cell, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int presses = 0;
        c.control.OnClick = [&] { ++presses; };
        for (int i = 0; i < 4; ++i) {
            headless::MouseClick(c.control);
            headless::AdvanceClock(150);
        }
        headless::AdvanceClock(1000);  // the next control's first click starts a pair of its own
        EXPECT_EQ(presses, c.presses);
    }
    EXPECT_TRUE(drawn.DrawnByProgram() && flat.DrawnByProgram() && !plain.DrawnByProgram());
    EXPECT_FALSE(box.Checked()) << "four presses check and clear it twice";
}

TEST_F(WidgetsTest, APromptGivesWayToTheUsersFirstKeyOrPaste) {
    Form form("TPrompt");
    Edit field(&form);
    field.SetMaxLength(12);
    field.SetPrompt("[Type here]");
    form.Show();
    field.SetFocus();
    EXPECT_EQ(field.SelStart(), 0);
    EXPECT_EQ(field.SelLength(), 0) << "the prompt is not selected: the caret stands before it";
    field.Type("Call");
    EXPECT_EQ(field.Text(), "Call") << "not 'Call[Type here]'";
    EXPECT_FALSE(field.PromptShown());
    field.Type(" Anna and Bob");
    EXPECT_EQ(field.Text(), "Call Anna an") << "later keys add to the text, up to the limit";

    field.SetText("[Type here]");
    EXPECT_TRUE(field.PromptShown()) << "the program showing the prompt again";
    field.Paste("Pasted");
    EXPECT_EQ(field.Text(), "Pasted");
    field.SetText("Kept");
    field.Type("!");
    EXPECT_EQ(field.Text(), "!Kept") << "another text is no prompt: keys go in at the caret";
    field.SelectAll();
    field.Type("New");
    EXPECT_EQ(field.Text(), "New") << "a selection is replaced";
}

TEST_F(WidgetsTest, AFieldShowsA0ByteAsABlankAndKeepsItUntilTheUserChangesTheText) {
    Form form("TBytes");
    Edit field(&form);
    const std::string stored("Call\0Anna", 9);
    field.SetText(stored);
    EXPECT_EQ(field.NativeText(), "Call Anna");
    field.NativeTextChangedByPlatform("Call Anna");
    EXPECT_EQ(field.Text(), stored) << "the field reporting the text it was given is no change";
    field.NativeTextChangedByPlatform("Call Anna!");
    EXPECT_EQ(field.Text(), "Call Anna!") << "the user's change is what the field shows";
}

TEST_F(WidgetsTest, TabAndAnAcceleratorSelectAFieldsTextAndEnterPressesAFocusedButton) {
    // As the platform's dialog keys do: a field reached by keys has its whole text selected,
    // unless it asks not to; one given the focus by the program (or a click) keeps the caret.
    Form form("TKeys");
    Label caption(&form);
    Edit first(&form);
    Edit plain(&form);
    SpinEdit spin(&form);
    Button other(&form);
    Button ok(&form);
    caption.SetText("&Time");
    caption.SetFocusControl(&first);
    first.SetText("10:05 AM");
    plain.SetText("no selection");
    plain.SetAutoSelect(false);
    spin.SetRange(10, 720);
    spin.SetValue(60);
    other.SetText("Other");
    ok.SetText("Ok");
    ok.SetDefault(true);
    std::vector<std::string> log;
    other.OnClick = [&] { log.push_back("other"); };
    ok.OnClick = [&] { log.push_back("ok"); };
    form.Show();
    const auto selected = [](TextField& field) {
        return field.SelStart() == 0 && field.SelLength() == static_cast<int>(field.Text().size());
    };

    first.SetFocus();
    EXPECT_FALSE(selected(first)) << "focused by the program";
    headless::PressKey(form, keys::kTab);
    EXPECT_FALSE(selected(plain)) << "a field that asks not to be selected";
    headless::PressKey(form, keys::kTab);
    EXPECT_TRUE(selected(spin)) << "a spin field by Tab";
    ShiftState alt;
    alt.alt = true;
    headless::PressKey(form, 'T', alt);
    EXPECT_EQ(form.ActiveControl(), &first);
    EXPECT_TRUE(selected(first)) << "by its label's accelerator";
    first.Type("9:4");
    EXPECT_EQ(first.Text(), "9:4") << "what is typed replaces the selected text";

    headless::PressKey(form, keys::kReturn);
    other.SetFocus();
    headless::PressKey(form, keys::kReturn);
    EXPECT_EQ(log, (std::vector<std::string>{"ok", "other"}))
        << "Enter in a field presses the default button, on a button that button";
}

TEST_F(WidgetsTest, AFieldTellsOfTheUsersChangesOnly) {
    Form form("TChange");
    Edit field(&form);
    int changes = 0;
    field.OnChange = [&] { ++changes; };
    form.Show();
    field.SetText("set by the program");
    EXPECT_EQ(changes, 0);
    field.TypeText("typed");
    field.NativeTextChangedByPlatform("typed");  // the field echoing the text it holds
    EXPECT_EQ(changes, 1);
    field.NativeTextChangedByPlatform("typed!");
    EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace pellino
