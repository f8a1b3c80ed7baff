// The what's-this help of the dialogs: every control the user works has a text, F1 shows the
// focused control's, and the key that closes the pop-up does nothing else, while the "&Help"
// button still opens its topic.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/editalarmexact.h"
#include "editors/editalarmrepeating.h"
#include "editors/settimedialog.h"
#include "platform/application.h"
#include "platform/contexthelp.h"
#include "platform/headless/testing.h"
#include "platform/regional.h"
#include "runtime/formats.h"
#include "schedule/alarmoptions.h"

namespace pellino::testing {
namespace {

class DialogHelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::ResetAll();
        Application::Reset();
        headless::SetRegionalSettings(RegionalSettings{});
        SaveUserFormats();
        UseFixedFormats();
    }
    void TearDown() override { EXPECT_EQ(headless::PendingModalScripts(), 0u); }
};

// The controls a user clicks or types into, below `parent`; the editors' out-of-sight default and
// cancel buttons are no such controls.
void CollectWorked(const Control& parent, std::vector<const Control*>& out) {
    for (const Control* c : parent.Children()) {
        switch (c->Kind()) {
            case ControlKind::Button:
            case ControlKind::Edit:
            case ControlKind::CheckBox:
            case ControlKind::RadioButton:
            case ControlKind::SpinEdit:
            case ControlKind::Custom:
                if (c->Name() != "Fake1" && c->Name() != "Fake2") out.push_back(c);
                break;
            case ControlKind::Panel:
                // A panel that answers a click: the picker's hour and minute cells.
                if (c->OnClick) out.push_back(c);
                break;
            default:
                break;
        }
        CollectWorked(*c, out);
    }
}

TEST_F(DialogHelpTest, EveryControlTheUserWorksHasAText) {
    TEditAlarmExact exact;
    TEditAlarmRepeating repeating;
    TSetTimeDialog picker;
    TAlarmOptions options;
    const struct {
        Form& form;
        ContextHelp& help;
        std::size_t least;  // guards against a walk that finds nothing
    } dialogs[] = {
        {exact, exact.WhatsThis, 12},
        {repeating, repeating.WhatsThis, 20},
        {picker, picker.WhatsThis, 80},  // the 24 hour and 60 minute cells among them
        {options, options.WhatsThis, 9},
    };
    for (const auto& d : dialogs) {
        std::vector<const Control*> worked;
        CollectWorked(d.form, worked);
        EXPECT_GE(worked.size(), d.least) << d.form.ClassName();
        for (const Control* c : worked) {
            EXPECT_FALSE(d.help.TextFor(*c).empty()) << d.form.ClassName() << " " << c->Name();
        }
    }
}

TEST_F(DialogHelpTest, F1ExplainsTheFocusedFieldAndTheHelpButtonKeepsItsTopic) {
    Application::SetHelpFile("C:\\PELLINO\\PELLINO.HLP");
    TEditAlarmExact editor;
    std::vector<std::string> seen;
    headless::ScriptModal("TEditAlarmExact", [&](Form& form) {
        editor.TimeEdit.SetFocus();
        headless::PressKey(form, keys::kF1);
        seen.push_back(HelpPopup::Shown() ? HelpPopup::Text() : "<no pop-up>");
        // Escape closes the pop-up, not the editor.
        headless::PressKey(form, keys::kEscape);
        seen.push_back(HelpPopup::Shown() ? "pop-up" : "no pop-up");
        seen.push_back(form.ModalResult() == mr::kNone ? "editor open" : "editor closed");
        editor.Helpbutton.Click();
        headless::PressKey(form, keys::kEscape);
    });
    EXPECT_EQ(editor.ShowModal(), mr::kCancel);
    EXPECT_EQ(seen, (std::vector<std::string>{editor.WhatsThis.TextFor(editor.TimeEdit),
                                              "no pop-up", "editor open"}));
    EXPECT_NE(seen[0].find("time of day"), std::string::npos) << seen[0];
    EXPECT_EQ(headless::HelpLog(), std::vector<std::string>{"C:\\PELLINO\\PELLINO.HLP #1004"});
}

}  // namespace
}  // namespace pellino::testing
