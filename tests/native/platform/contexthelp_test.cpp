// The what's-this help of a form: the text found for a control, the menu a right click opens, the
// pop-up that its item shows, and what closes the pop-up again.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/contexthelp.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/headless/testing.h"

namespace pellino {
namespace {

class HelpedForm : public Form {
public:
    HelpedForm() : Form("THelpedForm") {
        SetClientSize(300, 200);
        Bar.SetBounds(0, 0, 300, 40);
        Go.SetBounds(8, 4, 74, 30);
        Go.SetText("&Go");
        Go.OnClick = [this] { ++goClicks; };
        Quiet.SetBounds(90, 4, 74, 30);
        Field.SetBounds(8, 60, 100, 21);
        Bare.SetBounds(8, 100, 74, 30);
        Help.SetText(Bar, "The bar of commands.");
        Help.SetText(Go, "Starts going.");
        Help.SetText(Field, "Where you type.");
        SetVisible(true);  // on the screen, where a click presses a button
    }
    Panel Bar{this};
    Button Go{&Bar};
    Button Quiet{&Bar};  // no text of its own: the bar's explains it
    Edit Field{this};
    Button Bare{this};  // neither it nor its form has a text
    ContextHelp Help{*this};
    int goClicks = 0;
};

class ContextHelpTest : public ::testing::Test {
protected:
    void SetUp() override { headless::ResetAll(); }
    HelpedForm form;
};

TEST_F(ContextHelpTest, TextIsTheControlsOwnOrTheNearestAroundIt) {
    const struct {
        const Control& control;
        std::string text;
    } cases[] = {
        {form.Go, "Starts going."},
        {form.Quiet, "The bar of commands."},  // from the bar it lies on
        {form.Bar, "The bar of commands."},
        {form.Field, "Where you type."},
        {form.Bare, ""},
        {form, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(form.Help.TextFor(c.control), c.text) << c.control.Name();
    }
}

TEST_F(ContextHelpTest, RightClickOpensTheMenuAndItsItemShowsTheTextAtTheClick) {
    headless::RightClick(form.Go, 120, 90);
    EXPECT_EQ(headless::PopupLog(), std::vector<std::string>{"at 120,90"});
    EXPECT_FALSE(HelpPopup::Shown()) << "the text waits for the menu's item";
    ASSERT_EQ(form.Help.WhatsThisMenu.Items.Items().size(), 1u);
    EXPECT_EQ(form.Help.WhatsThisItem.Caption(), "What's this?");

    form.Help.WhatsThisItem.Click();
    EXPECT_TRUE(HelpPopup::Shown());
    EXPECT_EQ(HelpPopup::Text(), "Starts going.");
    EXPECT_EQ(HelpPopup::ScreenX(), 120);
    EXPECT_EQ(HelpPopup::ScreenY(), 90);
}

TEST_F(ContextHelpTest, ADisabledControlIsExplainedToo) {
    form.Go.SetEnabled(false);
    headless::RightClick(form.Go, 10, 10);
    form.Help.WhatsThisItem.Click();
    EXPECT_EQ(HelpPopup::Text(), "Starts going.");
}

TEST_F(ContextHelpTest, NoMenuWhereThereIsNothingToSayOrTheControlHasAMenuOfItsOwn) {
    headless::RightClick(form.Bare, 10, 10);
    headless::RightClick(form.Field, 10, 10);  // the platform's Cut, Copy and Paste stay
    EXPECT_TRUE(headless::PopupLog().empty());
    form.Help.WhatsThisItem.Click();  // chosen with no control asked about
    EXPECT_FALSE(HelpPopup::Shown());
}

TEST_F(ContextHelpTest, NextClickKeyOrLossOfFocusOnlyClosesThePopup) {
    const struct {
        const char* what;
        std::function<void(HelpedForm&)> act;
    } closers[] = {
        {"a click", [](HelpedForm& f) { headless::MouseClick(f.Go); }},
        {"Enter", [](HelpedForm& f) { headless::PressKey(f, keys::kReturn); }},
        {"a right click", [](HelpedForm& f) { headless::RightClick(f.Go, 5, 5); }},
        {"the focus going to another program", [](HelpedForm&) { headless::LoseFocus(); }},
    };
    for (const auto& closer : closers) {
        headless::ResetAll();
        form.goClicks = 0;
        form.Go.SetDefault(true);
        headless::RightClick(form.Go, 120, 90);
        form.Help.WhatsThisItem.Click();
        ASSERT_TRUE(HelpPopup::Shown()) << closer.what;

        closer.act(form);
        EXPECT_FALSE(HelpPopup::Shown()) << closer.what;
        EXPECT_EQ(form.goClicks, 0) << closer.what << " pressed the button too";
        EXPECT_EQ(headless::PopupLog().size(), 1u) << closer.what << " opened a menu too";

        headless::MouseClick(form.Go);
        EXPECT_EQ(form.goClicks, 1) << "the click after " << closer.what;
    }
}

TEST_F(ContextHelpTest, F1ShowsTheFocusedControlsTextBelowIt) {
    form.SetScreenBounds(BoundsRect(100, 50, 400, 300));
    form.Go.SetFocus();
    headless::PressKey(form, keys::kF1);
    ASSERT_TRUE(HelpPopup::Shown());
    EXPECT_EQ(HelpPopup::Text(), "Starts going.");
    const Rect go = headless::ScreenRectOf(form.Go);
    EXPECT_EQ(HelpPopup::ScreenX(), go.left + 8);
    EXPECT_EQ(HelpPopup::ScreenY(), go.bottom + 2);
    EXPECT_TRUE(headless::PopupLog().empty()) << "F1 needs no menu";

    headless::PressKey(form, keys::kF1);
    EXPECT_FALSE(HelpPopup::Shown()) << "a second F1 closes the pop-up first";
}

TEST_F(ContextHelpTest, AFormWithoutTextsTakesNoRequest) {
    Form plain("TPlain");
    Button button{&plain};
    EXPECT_FALSE(ContextPopupByPlatform(button, 1, 1));
    EXPECT_FALSE(HelpKeyByPlatform(button, 1, 1));
    EXPECT_TRUE(ContextPopupByPlatform(form.Go, 1, 1));
}

}  // namespace
}  // namespace pellino
