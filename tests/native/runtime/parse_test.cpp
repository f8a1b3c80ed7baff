#include <gtest/gtest.h>

#include "runtime/datetime.h"
#include "runtime/errors.h"
#include "runtime/formats.h"
#include "runtime/runtime_fixture.h"

namespace pellino {
namespace {

using testing::at;
using testing::on;

class ParseTest : public testing::RuntimeTest {};

constexpr TDateTime kUntouched = 42.5;

struct TextCase {
    const char* text;
    bool accepted;
    TDateTime expected;  // when accepted
};

void expectTimes(const TextCase* begin, const TextCase* end) {
    for (const TextCase* c = begin; c != end; ++c) {
        TDateTime result = kUntouched;
        EXPECT_EQ(TryStrToTime(c->text, result), c->accepted) << "'" << c->text << "'";
        EXPECT_EQ(IsValidTime(c->text), c->accepted) << "'" << c->text << "'";
        EXPECT_EQ(result, c->accepted ? c->expected : kUntouched) << "'" << c->text << "'";
    }
}

// The editors read time texts with the user's set in force; en-US here.
TEST_F(ParseTest, TimeTextRule) {
    UserFormatsScope user;
    const TextCase cases[] = {
        {"14:30", true, at(14, 30)},
        {"2:5pm", true, at(14, 5)},     // one minute digit, designator right after
        {"2:30 pm", true, at(14, 30)},  // any case
        {"12 AM", true, at(0, 0)},      // midnight
        {"12 PM", true, at(12, 0)},     // noon
        {"12:59:59 am", true, at(0, 59, 59)},
        {"7", true, at(7, 0)},                        // minutes and seconds may be left out
        {"  9 : 05 : 07  PM  ", true, at(21, 5, 7)},  // blanks before every element and at the end
        {"0009:05", true, at(9, 5)},                  // leading zeros
        {"23:59:59", true, at(23, 59, 59)},
        {"0:00", true, at(0, 0)},
        {"13 PM", false, 0},  // a designator needs an hour of 1 to 12
        {"0 AM", false, 0},
        {"24:00", false, 0},
        {"12:60", false, 0},
        {"12:00:60", false, 0},
        {"12:", false, 0},  // a separator needs digits after it
        {"12:30:", false, 0},
        {":30", false, 0},     // the hour is required
        {"12:30x", false, 0},  // nothing may follow
        {"12:30 PM x", false, 0},
        {"12:30:15:10", false, 0},
        {"12.30", false, 0},  // not the separator in force
        {"12345", false, 0},  // digits stop at 1234; the 5 is left over
        {"-1:00", false, 0},
        {"", false, 0},
        {"   ", false, 0},
    };
    expectTimes(std::begin(cases), std::end(cases));
}

// The designators are the user's texts first and then the plain "AM" and "PM"; the separator is
// the one in force.
TEST_F(ParseTest, TimeTextRuleFollowsTheSetInForce) {
    RegionalSettings regional;
    regional.timeSeparator = ".";
    regional.amText = "vorm.";
    regional.pmText = "nachm.";
    SaveRegional(regional);
    {
        UserFormatsScope user;
        const TextCase cases[] = {
            {"14.30", true, at(14, 30)},       {"2.30 nachm.", true, at(14, 30)},
            {"2.30 NACHM.", true, at(14, 30)}, {"2.30 vorm.", true, at(2, 30)},
            {"2.30 PM", true, at(14, 30)},     {"14:30", false, 0},
            {"2.30 nachm", false, 0},
        };
        expectTimes(std::begin(cases), std::end(cases));
    }
    const TextCase fixed[] = {
        {"14:30", true, at(14, 30)},
        {"14.30", false, 0},
        {"2:30 nachm.", false, 0},
    };
    expectTimes(std::begin(fixed), std::end(fixed));

    // A 24-hour locale without designator texts still takes the plain ones.
    regional.amText = "";
    regional.pmText = "";
    SaveRegional(regional);
    UserFormatsScope user;
    const TextCase empty[] = {
        {"14.30", true, at(14, 30)},
        {"2.30 PM", true, at(14, 30)},
    };
    expectTimes(std::begin(empty), std::end(empty));
}

TEST_F(ParseTest, StrToTimeNamesTheTextInItsError) {
    EXPECT_EQ(StrToTime("9:05 pm"), at(21, 5));
    try {
        StrToTime("25:00 pm");
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'25:00 pm' is not a valid time");
    }
}

void expectDates(const TextCase* begin, const TextCase* end) {
    for (const TextCase* c = begin; c != end; ++c) {
        TDateTime result = kUntouched;
        EXPECT_EQ(TryStrToDate(c->text, result), c->accepted) << "'" << c->text << "'";
        EXPECT_EQ(IsValidDate(c->text), c->accepted) << "'" << c->text << "'";
        EXPECT_EQ(result, c->accepted ? c->expected : kUntouched) << "'" << c->text << "'";
    }
}

// The fake clock stands in 2026, so short years fall in 2000 to 2099.
TEST_F(ParseTest, DatesInTheOrderOfTheShortDateFormat) {
    const TextCase fixed[] = {
        {"3/4/1998", true, on(1998, 3, 4)},
        {" 03 / 04 / 1998 ", true, on(1998, 3, 4)},
        {"1/5/26", true, on(2026, 1, 5)},
        {"3/4/98", true, on(2098, 3, 4)},     // the current century, not a window
        {"3/4/0098", true, on(98, 3, 4)},     // four digits are taken as they are
        {"3/4", true, on(2026, 3, 4)},        // the current year
        {"3/4/1998/", true, on(1998, 3, 4)},  // a closing separator
        {"3/4/", false, 0},                   // a second separator needs the year
        {"2/29/2024", true, on(2024, 2, 29)},
        {"2/29/2023", false, 0},
        {"13/1/2024", false, 0},
        {"3-4-1998", false, 0},
        {"3/4/1998x", false, 0},
        {"3/4/1998/5", false, 0},
        {"3", false, 0},
        {"3/", false, 0},
        {"", false, 0},
    };
    expectDates(std::begin(fixed), std::end(fixed));

    RegionalSettings regional;
    regional.shortDateFormat = "dd.MM.yyyy";
    regional.dateSeparator = ".";
    SaveRegional(regional);
    {
        UserFormatsScope user;
        const TextCase dayFirst[] = {
            {"4.3.1998", true, on(1998, 3, 4)},
            {"4.3", true, on(2026, 3, 4)},
            {"4.3.1998.", true, on(1998, 3, 4)},
            {"4/3/1998", false, 0},
        };
        expectDates(std::begin(dayFirst), std::end(dayFirst));
    }

    regional.shortDateFormat = "yyyy-MM-dd";
    regional.dateSeparator = "-";
    SaveRegional(regional);
    UserFormatsScope user;
    const TextCase yearFirst[] = {
        {"1998-3-4", true, on(1998, 3, 4)},
        {"98-3-4", true, on(2098, 3, 4)},
    };
    expectDates(std::begin(yearFirst), std::end(yearFirst));
}

TEST_F(ParseTest, StrToDateNamesTheTextInItsError) {
    EXPECT_EQ(StrToDate("01/05/2026"), on(2026, 1, 5));
    try {
        StrToDate("31/12/2026");
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'31/12/2026' is not a valid date");
    }
}

}  // namespace
}  // namespace pellino
