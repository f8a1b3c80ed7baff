// Lines of the first version's "ALARMS.DAT" read as one-time reminders.

#include "model/version1.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/headless/testing.h"
#include "runtime/datetime.h"
#include "runtime/formats.h"

namespace pellino {
namespace {

class Version1Line : public ::testing::Test {
protected:
    void SetUp() override {
        headless::ResetAll();
        // 5 January 2026, 10:00; the program reads these files under its fixed formats.
        headless::SetClock(LocalTime{2026, 1, 5, 10, 0, 0, 0});
        UseFixedFormats();
    }
};

TEST_F(Version1Line, TakesTheFieldsOfAFutureReminderOfKindThree) {
    const auto r = ReminderFromVersion1Line("9:30^Dentist^x^3^12/31/2030^^1");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Kind, kKindOneTime);
    EXPECT_DOUBLE_EQ(r->DueDateTime, EncodeDate(2030, 12, 31) + EncodeTime(9, 30, 0, 0));
    EXPECT_EQ(r->Description, "Dentist");
    EXPECT_EQ(r->SoundFile, "");
    EXPECT_EQ(r->NotifyMode, 1);

    // The dates after 8 April 2064, up to the last a reminder may be due on, are taken.
    for (const auto& [line, date] : {std::pair{"9:30^x^^3^04/09/2064", EncodeDate(2064, 4, 9)},
                                     std::pair{"9:30^x^^3^12/31/3797", EncodeDate(3797, 12, 31)}}) {
        const auto late = ReminderFromVersion1Line(line);
        ASSERT_NE(late, nullptr) << line;
        EXPECT_DOUBLE_EQ(late->DueDateTime, date + EncodeTime(9, 30, 0, 0)) << line;
    }
    EXPECT_EQ(EncodeDate(3797, 12, 31), kLastDueDate);

    const auto full = ReminderFromVersion1Line(
        "2:15:30 PM^Call the bank^1234567^ 3^01/06/2026^C:\\WINDOWS\\MEDIA\\chimes.wav^2^extra");
    ASSERT_NE(full, nullptr);
    EXPECT_DOUBLE_EQ(full->DueDateTime, EncodeDate(2026, 1, 6) + EncodeTime(14, 15, 30, 0));
    EXPECT_EQ(full->SoundFile, "C:\\WINDOWS\\MEDIA\\chimes.wav");
    EXPECT_EQ(full->NotifyMode, 2);
}

TEST_F(Version1Line, LinesThatGiveNoReminder) {
    const char* const skipped[] = {
        "9:30^Dentist^x^2^12/31/2030^^1",   // another kind
        "9:30^Dentist^x^^12/31/2030^^1",    // no kind code
        "9:30^Dentist^x^3a^12/31/2030^^1",  // not an integer
        "9:30^Dentist^x^3^01/04/2026^^1",   // yesterday
        "half past nine^Dentist^x^3^12/31/2030^^1",
        "25:00^Dentist^x^3^12/31/2030^^1",
        "",
        "^^^3",
        // After the last date a reminder may be due on: it could not be stored as itself.
        "9:30^Too far^x^3^01/01/3798^^1",
        "23:59^Too far^x^3^12/31/9999^^1",
    };
    for (const char* line : skipped) EXPECT_EQ(ReminderFromVersion1Line(line), nullptr) << line;
}

TEST_F(Version1Line, FillsWhatTheLineLeavesOut) {
    const struct {
        const char* line;
        TDateTime due;
        std::uint8_t mode;
    } cases[] = {
        // Today at an hour that has passed: taken all the same.
        {"9:00^Earlier today^x^3^01/05/2026^^0", EncodeDate(2026, 1, 5) + EncodeTime(9, 0, 0, 0),
         0},
        // A date that does not read is today's.
        {"18:00^No date^x^3^31/12/2030^^1", EncodeDate(2026, 1, 5) + EncodeTime(18, 0, 0, 0), 1},
        // Fewer than seven fields: the missing ones are empty, the mode 0.
        {"18:00^Short^x^3^02/01/26", EncodeDate(2026, 2, 1) + EncodeTime(18, 0, 0, 0), 0},
        // A mode field that begins with another character.
        {"18:00^Odd mode^x^3^02/01/2026^^9", EncodeDate(2026, 2, 1) + EncodeTime(18, 0, 0, 0), 0},
    };
    for (const auto& c : cases) {
        const auto r = ReminderFromVersion1Line(c.line);
        ASSERT_NE(r, nullptr) << c.line;
        EXPECT_DOUBLE_EQ(r->DueDateTime, c.due) << c.line;
        EXPECT_EQ(r->NotifyMode, c.mode) << c.line;
    }
    const std::string longText(150, 'x');
    const auto cut = ReminderFromVersion1Line("18:00^" + longText + "^x^3^02/01/2026");
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->Description, std::string(100, 'x'));
}

}  // namespace
}  // namespace pellino
