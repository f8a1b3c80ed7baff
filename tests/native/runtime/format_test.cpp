#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "runtime/datetime.h"
#include "runtime/formats.h"
#include "runtime/runtime_fixture.h"

namespace pellino {
namespace {

using testing::at;
using testing::on;

class FormatTest : public testing::RuntimeTest {};

struct FormatCase {
    const char* pattern;
    TDateTime value;
    const char* expected;
};

void expectFormats(const FormatCase* begin, const FormatCase* end) {
    for (const FormatCase* c = begin; c != end; ++c) {
        EXPECT_EQ(FormatDateTime(c->pattern, c->value), c->expected)
            << "pattern \"" << c->pattern << "\"";
    }
}

TEST_F(FormatTest, PatternsOfTheProgramUnderTheFixedSet) {
    const TDateTime monday = on(2026, 1, 5);
    const FormatCase cases[] = {
        // The clock panel: 12-hour clock, midnight hour as 12, lower-case designator.
        {"hh:mm:ssam/pm", at(0, 30, 15), "12:30:15am"},
        {"hh:mm:ssam/pm", at(12, 5, 0), "12:05:00pm"},
        {"hh:mm:ssam/pm", at(13, 7, 9), "01:07:09pm"},
        // Due texts of the lists.
        {"h:mmam/pm", at(9, 5), "9:05am"},
        {"mmm dd, yyyy h:mmam/pm", on(1998, 3, 4) + at(14, 30), "Mar 04, 1998 2:30pm"},
        // The time picker's caption.
        {"hh:mm am/pm", at(14, 37), "02:37 pm"},
        {"hh:mm am/pm", at(0, 5), "12:05 am"},
        {"hh:mm am/pm", at(12, 0), "12:00 pm"},
        // The time picker reads the 24-hour hour and the minutes back from these.
        {"hh", at(0, 5), "00"},
        {"hh", at(13, 5), "13"},
        {"nn", at(13, 5), "05"},
        // The designator copies the pattern's own case, letter by letter.
        {"h:mm AM/PM", at(15, 0), "3:00 PM"},
        {"h:mm Am/pM", at(15, 0), "3:00 pM"},
        {"h a/p", at(15, 0), "3 p"},
        {"h A/P", at(3, 0), "3 A"},
        {"h:mm AMPM", at(15, 0), "3:00 PM"},
        // "m" is minutes only directly after an hour element; a letter in between ends that.
        {"h mm", at(9, 7), "9 07"},
        {"h d mm", monday + at(9, 7), "9 5 01"},
        {"m/d/yy", monday, "1/5/26"},
        {"mmmm dddd ddd", monday, "January Monday Mon"},
        {"yyyy yy", on(5, 7, 8), "0005 05"},
        {"YYYY-MM-DD HH:NN:SS.ZZZ", monday + at(9, 7, 3, 45), "2026-01-05 09:07:03.045"},
        // The formats in force, nested.
        {"ddddd", monday, "01/05/2026"},
        {"dddddd", monday, "Monday, January 5, 2026"},
        {"t", at(14, 30), "2:30 PM"},
        {"tt", at(14, 30, 5), "2:30:05 PM"},
        {"c", monday + at(9, 5, 3), "01/05/2026 9:05:03 AM"},
        {"", monday, "01/05/2026"},
        // Literal text: quoted, or any character that is no element.
        {"'h at' h", at(9, 0), "h at 9"},
        {"\"mm\" mm", monday, "mm 01"},
        {"[h]'unclosed", at(9, 0), "[9]unclosed"},
        {"x-h#", at(9, 0), "x-9#"},
    };
    expectFormats(std::begin(cases), std::end(cases));
}

RegionalSettings twentyFourHour(bool leadingZero) {
    RegionalSettings regional;
    regional.clock24 = true;
    regional.hourLeadingZero = leadingZero;
    regional.amText = "";
    regional.pmText = "";
    return regional;
}

// The short time format is the user's at all times; only its separator and designator texts
// follow the set in force.
TEST_F(FormatTest, ShortTimeFormatIsBuiltFromTheUsersHourSettings) {
    EXPECT_EQ(FormatDateTime("t", at(9, 5)), "9:05 AM");

    SaveRegional(twentyFourHour(true));
    EXPECT_EQ(FormatDateTime("t", at(9, 5)), "09:05");
    EXPECT_EQ(FormatDateTime("t", at(14, 30)), "14:30");

    SaveRegional(twentyFourHour(false));
    EXPECT_EQ(FormatDateTime("t", at(9, 5)), "9:05");

    RegionalSettings twelve;
    twelve.hourLeadingZero = true;
    twelve.timeSeparator = ".";
    twelve.pmText = "p.m.";
    SaveRegional(twelve);
    EXPECT_EQ(FormatDateTime("t", at(14, 30)), "02:30 PM");
    {
        UserFormatsScope user;
        EXPECT_EQ(FormatDateTime("t", at(14, 30)), "02.30 p.m.");
        EXPECT_EQ(FormatDateTime("tt", at(0, 30, 5)), "12.30.05 AM");
    }
    EXPECT_EQ(FormatDateTime("t", at(14, 30)), "02:30 PM");
}

RegionalSettings german() {
    RegionalSettings regional = twentyFourHour(true);
    regional.shortDateFormat = "dd.MM.yyyy";
    regional.longDateFormat = "dddd, d. MMMM yyyy";
    regional.dateSeparator = ".";
    regional.timeSeparator = ":";
    regional.longMonthNames[0] = "Januar";
    regional.longDayNames[1] = "Montag";
    regional.shortMonthNames[2] = "Mrz";
    return regional;
}

// The fixed set replaces five values; the long date format and the names stay the user's.
TEST_F(FormatTest, FixedSetKeepsEverythingElseTheUsers) {
    SaveRegional(german());
    const TDateTime monday = on(2026, 1, 5);
    const FormatCase fixed[] = {
        {"ddddd", monday, "01/05/2026"},
        {"dddddd", monday, "Montag, 5. Januar 2026"},
        {"dd/mm", monday, "05/01"},
        {"mmm", on(2026, 3, 1), "Mrz"},
    };
    expectFormats(std::begin(fixed), std::end(fixed));

    UseUserFormats();
    const FormatCase user[] = {
        {"ddddd", monday, "05.01.2026"},
        {"dd/mm", monday, "05.01"},
        {"t", at(14, 30), "14:30"},
    };
    expectFormats(std::begin(user), std::end(user));
}

// The platform's pictures are case-sensitive and quote their literal text; the converted patterns
// must neither read quoted letters as elements nor confuse months with minutes.
TEST_F(FormatTest, RegionalPicturesBecomeFormatterPatterns) {
    const struct {
        const char* picture;
        const char* expected;
    } cases[] = {
        {"d' de 'MMMM' de 'yyyy", "5 de January de 2026"},
        {"dddd, MMMM d, yyyy", "Monday, January 5, 2026"},
        {"yyyy-MM-dd 'week' d", "2026-01-05 week 5"},
        {"d 'o''clock' M", "5 o'clock 1"},
        {"MMM d \"on\" yyyy", "Jan 5 \"on\" 2026"},
        {"gg yyyy", " 2026"},
    };
    for (const auto& c : cases) {
        RegionalSettings regional;
        regional.longDateFormat = c.picture;
        SaveRegional(regional);
        EXPECT_EQ(FormatDateTime("dddddd", on(2026, 1, 5) + at(9, 7)), c.expected)
            << "picture \"" << c.picture << "\"";
    }
}

TEST_F(FormatTest, UserSetScopeReturnsToTheFixedSetOnAnError) {
    SaveRegional(german());
    try {
        UserFormatsScope user;
        EXPECT_EQ(FormatDateTime("ddddd", on(2026, 1, 5)), "05.01.2026");
        throw std::runtime_error("failed inside the scope");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(CurrentFormats().shortDateFormat, "mm/dd/yyyy");
    EXPECT_EQ(FormatDateTime("ddddd", on(2026, 1, 5)), "01/05/2026");
}

}  // namespace
}  // namespace pellino
