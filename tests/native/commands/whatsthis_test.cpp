// The main window's what's-this help: a short text of its own on every control of the two bars,
// the lists and the tabs, shown through "What's this?" without running the control's command.

#include <set>

#include "clock/clock_fixture.h"
#include "platform/contexthelp.h"

namespace pellino::testing {
namespace {

class WhatsThisTest : public ClockTest {};

TEST_F(WhatsThisTest, EveryControlOfTheBarsListsAndTabsHasATextOfItsOwn) {
    Start();
    std::vector<const Control*> controls{&form->AlarmGrid, &form->RepeatingAlarmGrid,
                                         &form->TabSet_};
    for (const Panel* bar : {&form->Panel1, &form->Panel4}) {
        for (const Control* c : bar->Children()) controls.push_back(c);
    }
    std::set<std::string> seen;
    for (const Control* c : controls) {
        const std::string text = form->WhatsThis.TextFor(*c);
        EXPECT_FALSE(text.empty()) << c->Name();
        EXPECT_NE(text, form->WhatsThis.TextFor(*c->Parent()))
            << c->Name() << " has only its bar's";
        EXPECT_TRUE(seen.insert(text).second) << c->Name() << " repeats another's text";
    }
}

TEST_F(WhatsThisTest, ExplainsADisabledButtonWithoutRunningAnyCommand) {
    Start();
    ASSERT_FALSE(form->EditAlarmButton.Enabled()) << "an empty list";
    headless::RightClick(form->EditAlarmButton, 200, 120);
    ASSERT_EQ(headless::PopupLog(), std::vector<std::string>{"at 200,120"});
    form->WhatsThis.WhatsThisItem.Click();
    ASSERT_TRUE(HelpPopup::Shown());
    EXPECT_NE(HelpPopup::Text().find("Opens the selected reminder"), std::string::npos)
        << HelpPopup::Text();

    // The click that closes the pop-up does not press "&New" (no editor is scripted: one
    // opening would fail the test).
    headless::MouseClick(form->AddAlarmButton);
    EXPECT_FALSE(HelpPopup::Shown());
    EXPECT_TRUE(headless::ModalLog().empty());
    EXPECT_TRUE(form->Timer1.Enabled()) << "the clock runs on";
}

TEST_F(WhatsThisTest, TheToolbarAndBottomBarButtonsCarryPictures) {
    Start();
    for (const Button* b : {&form->AddAlarmButton, &form->EditAlarmButton, &form->DeleteAlarmButton,
                            &form->CloneButton, &form->Minimizebutton, &form->Exitbutton}) {
        EXPECT_NE(b->GetGlyph(), Glyph::None) << b->Name();
    }
    EXPECT_EQ(form->AdjustTimeButton.GetGlyph(), Glyph::None) << "it drops down a menu instead";
    EXPECT_EQ(form->Exitbutton.GetGlyphLayout(), GlyphLayout::RightCaptionRight);
    EXPECT_EQ(form->Minimizebutton.GetGlyphLayout(), GlyphLayout::LeftCaptionLeft);
}

}  // namespace
}  // namespace pellino::testing
