#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/datetime.h"
#include "runtime/zonetime.h"

namespace pellino {

class TReader;
class TWriter;

// Kind: the list that holds a record decides how it is treated; the kind is only stored.
inline constexpr std::uint8_t kKindOneTime = 0;
inline constexpr std::uint8_t kKindRepeating = 1;

// NotifyMode: what happens when a reminder falls due.
inline constexpr std::uint8_t kNotifyMessageAndSound = 0;
inline constexpr std::uint8_t kNotifyMessageOnly = 1;
inline constexpr std::uint8_t kNotifySoundOnly = 2;
inline constexpr std::uint8_t kNotifyNothing = 3;

// Status codes. kStatusRemove only marks rows the clock deletes at the end of its pass.
inline constexpr std::uint8_t kStatusPending = 0;
inline constexpr std::uint8_t kStatusDone = 1;
inline constexpr std::uint8_t kStatusExpired = 2;
inline constexpr std::uint8_t kStatusNotToday = 3;
inline constexpr std::uint8_t kStatusInactive = 4;

// How long after its moment a reminder that was not notified in time is still notified, rather
// than given up as expired or missed.
inline constexpr int kGraceMinutes = 10;
inline constexpr std::uint8_t kStatusRemove = 5;

// Days from 1 January of year 1 to 30 December 1899: old files counted due dates from year 1.
inline constexpr double kYearOneDateOffset = 693594.0;
// A stored due value above this is taken to be counted from year 1. In that count every date from
// 1900 on lies above it (1 January 1900 is 693596), so each file an old version wrote is still
// corrected; in our own count it is 28 December 3798, a date the program never lets a reminder
// reach (kLastDueDate), so nothing the program writes is ever taken for an old value.
inline constexpr double kYearOneDateThreshold = kYearOneDateOffset;
// Values above this are not corrected either: counted from year 1 they would lie after the
// threshold still, a date no old version wrote and no correction could bring into our range.
// Left as they are, they read back as themselves after every write.
inline constexpr double kYearOneDateCeiling = kYearOneDateThreshold + kYearOneDateOffset;

// The dates a one-time reminder may be due on, inclusive, as whole-day values: 1 January 1900
// and 31 December 3797; the editors' calendar stays between them. Below, a due value is 0 or
// negative, which the lists show as no date; above, it would come near the year-one threshold.
// The year left between the last date and the threshold is room for the time adjustment's steps.
inline constexpr TDateTime kFirstDueDate = 2.0;
inline constexpr TDateTime kLastDueDate = 693232.0;

// The due value a stored one is read as: a value above kYearOneDateThreshold, up to
// kYearOneDateCeiling, was counted from year 1 and is brought to the count from 30 December 1899;
// any other is kept as it is. Reading a value twice gives what reading it once gave, so a file
// the program wrote always reads back as what it held.
double DueDateTimeAsRead(double stored);

// The status a stored code is read as: the low eight bits of a code from 0 to 4 (Pending, Done,
// Expired, Not Today, Inactive). Any other code comes only from a damaged or foreign file; it is
// read as Not Today, which the status rules replace, and never as the clock's removal mark, which
// the next write would take for a row to drop.
std::uint8_t StatusAsRead(std::int32_t stored);

// The failure of a record whose values were all read, but one of whose booleans was stored as
// another kind of value: the record is whole, only that flag may be wrong.
inline constexpr const char* kMisreadBooleanFailure = "A boolean stored as another value";

// One reminder, one-time or repeating. The list row that shows it owns it. The small fields lie
// together, so that a list of many reminders takes no more memory than its values need.
class TReminder {
public:
    std::uint8_t Kind = kKindOneTime;
    std::uint8_t NotifyMode = kNotifyMessageAndSound;
    // Repeating with an interval: the occurrences stop at StopTime, else at the end of the day.
    bool HasUntil = false;
    // One-time: when it is due. Repeating: the next occurrence today, 0 when none was computed.
    TDateTime DueDateTime = 0;
    // Repeating: the first (or only) time of day.
    TDateTime FirstTime = 0;
    TDateTime StopTime = 0;
    std::string Description;
    std::string SoundFile;
    // Repeating: the weekday digits, "0" = Sunday to "6" = Saturday, ascending.
    std::string DaySet;
    // Repeating: minutes between occurrences; 0 = once a day at FirstTime.
    std::int32_t IntervalMinutes = 0;
    std::uint8_t Status = kStatusPending;
    // Kept as read and stored back; nothing in the program sets or tests it.
    bool ReservedFlag = false;

    static std::unique_ptr<TReminder> Create();
    static std::unique_ptr<TReminder> CreateOneTime(TDateTime dueDateTime, std::string description,
                                                    std::string soundFile, std::uint8_t notifyMode);
    static std::unique_ptr<TReminder> CreateRepeating(TDateTime firstTime, bool hasUntil,
                                                      TDateTime stopTime, std::string daySet,
                                                      std::int32_t intervalMinutes,
                                                      std::string description,
                                                      std::string soundFile,
                                                      std::uint8_t notifyMode);
    std::unique_ptr<TReminder> Clone() const;

    // Writes the twelve values. A write error stops it silently: the error comes back when the
    // writer's buffer is handed over again at the end of the file.
    void SaveToWriter(TWriter& writer) const;
    // Reads the twelve values, stopping silently at the first failure; the fields read so far
    // keep their new values. Returns whether all twelve were read as what they were stored as;
    // `failure`, when given, receives the error's text. A boolean takes any tag without an
    // error, so a value of another kind in a boolean's place reads on to the end of the record,
    // and the record counts as misread all the same.
    bool LoadFromReader(TReader& reader, std::string* failure = nullptr);

    TDateTime DueDate() const;
    TDateTime DueTime() const;

    // The status rule of one-time reminders, by the clock now or by a reading of it.
    void RefreshStatus();
    void RefreshStatus(const ClockReading& clock);
    // The next-occurrence rule of repeating reminders, by the clock now or by a reading of it.
    // The steps of an interval count real time: on the day the clock changes, the occurrence
    // after the change comes the interval after the one before it, not an hour more or less.
    void ScheduleNext();
    void ScheduleNext(const ClockReading& clock);

    // Sets DueDateTime to a moment counted in real time (a snooze, an interval's step), which
    // may be the second showing of a local time that the change back from daylight saving
    // repeats.
    void SetDueMoment(const LocalMoment& moment);
    // Whether DueDateTime, though the wall clock shows it already, is still to come: it was set
    // as the second showing of a repeated time, and the clock is in the first. The due checks
    // wait for it. Only while DueDateTime keeps the value SetDueMoment gave it.
    bool WaitsForLaterPass() const;

    // The texts of the list columns. A value no calendar can show (a damaged file may hold one)
    // gives an empty text rather than an error on every repaint.
    std::string DueText() const;
    std::string FirstTimeText() const;
    std::string RepeatText() const;
    std::string DaySetText() const;
    std::string StatusText() const;

private:
    // What SetDueMoment was last given (not stored in the data file).
    bool laterPass_ = false;
    TDateTime laterPassValue_ = 0;
};

// "0: 5", "0:30", "2:00", "1:30": hours and minutes of an interval.
std::string IntervalText(std::int32_t minutes);

}  // namespace pellino
