// The month calendar on its own: what it paints for a month, and its keys.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/calendar.h"
#include "platform/civil.h"
#include "platform/form.h"
#include "platform/headless/recording_canvas.h"
#include "platform/headless/testing.h"
#include "platform/regional.h"

namespace pellino {
namespace {

std::int32_t DateOf(int year, unsigned month, unsigned day) {
    return static_cast<std::int32_t>(civil::DaysFromCivil(year, month, day) -
                                     civil::kDateTimeEpoch);
}

class CalendarForm : public Form {
public:
    CalendarForm() : Form("TCalendarForm") { calendar.SetBounds(0, 0, 280, 210); }
    MonthCalendar calendar{this};
};

TEST(MonthCalendar, PaintsTheLocalesDayNamesSundayFirstAndOnlyTheDaysOfItsMonth) {
    headless::ResetAll();
    RegionalSettings german;
    german.shortDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    headless::SetRegionalSettings(german);
    CalendarForm form;
    form.calendar.SetDate(DateOf(2026, 2, 11));  // February 2026 starts on a Sunday
    headless::RecordingCanvas canvas;
    form.calendar.Paint(canvas);
    std::vector<std::string> texts;
    for (const auto& op : canvas.Texts()) texts.push_back(op.text);
    ASSERT_EQ(texts.size(), 7u + 28u) << "seven headings and the month's 28 days, nothing else";
    EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 7),
              (std::vector<std::string>{"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"}));
    EXPECT_EQ(texts[7], "1");
    EXPECT_EQ(texts.back(), "28");
    EXPECT_EQ(canvas.Texts()[7].rect.left, 0) << "the 1st in the Sunday column";
    bool selectedOnNavy = false;
    const Rect selected = form.calendar.DayRect(DateOf(2026, 2, 11));
    for (const auto& op : canvas.Fills()) {
        selectedOnNavy |=
            op.color == 0x800000 && op.rect.left > selected.left && op.rect.right < selected.right;
    }
    EXPECT_TRUE(selectedOnNavy) << "the selected day on navy";
}

TEST(MonthCalendar, KeysMoveTheSelectionAndTheRangeHoldsIt) {
    headless::ResetAll();
    CalendarForm form;
    int changes = 0;
    form.calendar.OnChange = [&] { ++changes; };
    form.calendar.SetRange(DateOf(2026, 1, 1), DateOf(2026, 12, 31));
    form.calendar.SetDate(DateOf(2026, 1, 31));
    const struct {
        int key;
        bool ctrl;
        std::int32_t expected;
    } steps[] = {
        {keys::kNext, false, DateOf(2026, 2, 28)},  // a shorter month keeps its last day
        {keys::kLeft, false, DateOf(2026, 2, 27)},
        {keys::kDown, false, DateOf(2026, 3, 6)},
        {keys::kHome, false, DateOf(2026, 3, 1)},
        {keys::kEnd, false, DateOf(2026, 3, 31)},
        {keys::kUp, false, DateOf(2026, 3, 24)},
        {keys::kNext, true, DateOf(2026, 12, 31)},  // a year on is past the range: its last day
        {keys::kPrior, true, DateOf(2026, 1, 1)},   // a year back is before it: its first
    };
    for (const auto& step : steps) {
        int key = step.key;
        ShiftState shift;
        shift.ctrl = step.ctrl;
        form.calendar.KeyDown(key, shift);
        EXPECT_EQ(form.calendar.Date(), step.expected) << "key " << step.key;
        EXPECT_EQ(key, 0) << "the calendar takes the key";
    }
    EXPECT_EQ(changes, 1 + 8) << "a change event for every change of the date";
}

}  // namespace
}  // namespace pellino
