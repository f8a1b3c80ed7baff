#include "model/reminder.h"

#include <cmath>
#include <cstdio>

#include "model/stream.h"
#include "platform/clock.h"
#include "runtime/errors.h"
#include "runtime/formats.h"
#include "runtime/zonetime.h"

namespace pellino {

namespace {

constexpr const char* kTimePattern = "h:mmam/pm";
constexpr const char* kDateTimePattern = "mmm dd, yyyy h:mmam/pm";
// 23:59, the last occurrence of a repeating reminder without an until time.
constexpr TDateTime kLastMinuteOfDay = 1439.0 / 1440.0;

std::string formatOrEmpty(const char* pattern, TDateTime value) {
    try {
        return FormatDateTime(pattern, value);
    } catch (const EConvertError&) {
        // Only a damaged file gives a value outside the calendar; its cell stays empty so that
        // the list can still be painted and the record edited or deleted.
        return {};
    }
}

}  // namespace

double DueDateTimeAsRead(double stored) {
    // The difference is exact: the stored value lies within a factor of two of the offset.
    const bool yearOne = stored > kYearOneDateThreshold && stored <= kYearOneDateCeiling;
    return yearOne ? stored - kYearOneDateOffset : stored;
}

std::uint8_t StatusAsRead(std::int32_t stored) {
    // The byte field keeps the low eight bits of whatever integer was stored.
    const auto status = static_cast<std::uint8_t>(stored);
    return status <= kStatusInactive ? status : kStatusNotToday;
}

std::unique_ptr<TReminder> TReminder::Create() {
    return std::make_unique<TReminder>();
}

std::unique_ptr<TReminder> TReminder::CreateOneTime(TDateTime dueDateTime, std::string description,
                                                    std::string soundFile,
                                                    std::uint8_t notifyMode) {
    auto reminder = Create();
    reminder->Kind = kKindOneTime;
    reminder->DueDateTime = dueDateTime;
    reminder->Description = std::move(description);
    reminder->SoundFile = std::move(soundFile);
    reminder->NotifyMode = notifyMode;
    return reminder;
}

std::unique_ptr<TReminder> TReminder::CreateRepeating(TDateTime firstTime, bool hasUntil,
                                                      TDateTime stopTime, std::string daySet,
                                                      std::int32_t intervalMinutes,
                                                      std::string description,
                                                      std::string soundFile,
                                                      std::uint8_t notifyMode) {
    auto reminder = Create();
    reminder->Kind = kKindRepeating;
    reminder->FirstTime = firstTime;
    reminder->HasUntil = hasUntil;
    reminder->StopTime = stopTime;
    reminder->DaySet = std::move(daySet);
    reminder->IntervalMinutes = intervalMinutes;
    reminder->Description = std::move(description);
    reminder->SoundFile = std::move(soundFile);
    reminder->NotifyMode = notifyMode;
    return reminder;
}

std::unique_ptr<TReminder> TReminder::Clone() const {
    return std::make_unique<TReminder>(*this);
}

void TReminder::SaveToWriter(TWriter& writer) const {
    try {
        writer.WriteInteger(Kind);
        writer.WriteInteger(NotifyMode);
        writer.WriteFloat(DueDateTime);
        writer.WriteFloat(FirstTime);
        writer.WriteFloat(StopTime);
        writer.WriteBoolean(HasUntil);
        writer.WriteString(Description);
        writer.WriteString(SoundFile);
        writer.WriteString(DaySet);
        writer.WriteInteger(IntervalMinutes);
        writer.WriteInteger(Status);
        writer.WriteBoolean(ReservedFlag);
    } catch (const EWriteError&) {
        // The writer keeps the buffer that failed; handing it over at the end of the file fails
        // the same way and reaches the user there.
    }
}

bool TReminder::LoadFromReader(TReader& reader, std::string* failure) {
    try {
        // The byte fields keep the low eight bits of whatever integer was stored.
        Kind = static_cast<std::uint8_t>(reader.ReadInteger());
        NotifyMode = static_cast<std::uint8_t>(reader.ReadInteger());
        DueDateTime = DueDateTimeAsRead(reader.ReadFloat());
        FirstTime = reader.ReadFloat();
        StopTime = reader.ReadFloat();
        bool hasUntilStored = false;
        bool reservedFlagStored = false;
        HasUntil = reader.ReadBoolean(&hasUntilStored);
        reader.ReadString(Description);
        reader.ReadString(SoundFile);
        reader.ReadString(DaySet);
        IntervalMinutes = reader.ReadInteger();
        Status = StatusAsRead(reader.ReadInteger());
        ReservedFlag = reader.ReadBoolean(&reservedFlagStored);
        if (!hasUntilStored || !reservedFlagStored) {
            if (failure != nullptr) *failure = kMisreadBooleanFailure;
            return false;
        }
        return true;
    } catch (const EReadError& e) {
        // A damaged record ends here; the data file loader decides what follows.
        if (failure != nullptr) *failure = e.Message();
        return false;
    }
}

TDateTime TReminder::DueDate() const {
    return std::trunc(DueDateTime);
}

TDateTime TReminder::DueTime() const {
    return DueDateTime - DueDate();
}

void TReminder::RefreshStatus() {
    RefreshStatus(ReadClock());
}

void TReminder::RefreshStatus(const ClockReading& clock) {
    if (Status == kStatusInactive || Status == kStatusDone) return;
    const TDateTime today = clock.today;
    const TDateTime dueDate = DueDate();
    if (today > dueDate) {
        Status = kStatusExpired;
    } else if (today < dueDate) {
        Status = kStatusNotToday;
    } else if (WaitsForLaterPass()) {
        // Its moment lies in the second pass of the repeated hour, still to come.
        Status = kStatusPending;
    } else {
        // Ten minutes of grace, which never reach back before midnight.
        const TDateTime limit = AddMinutes(-kGraceMinutes, clock.timeOfDay);
        Status = DueTime() >= limit ? kStatusPending : kStatusExpired;
    }
}

void TReminder::ScheduleNext() {
    ScheduleNext(ReadClock());
}

void TReminder::ScheduleNext(const ClockReading& clock) {
    const TDateTime today = clock.today;
    const char weekday = static_cast<char>('0' + DayOfWeek(today));
    if (DaySet.find(weekday) == std::string::npos) {
        Status = kStatusNotToday;
        return;
    }
    const TDateTime now = clock.timeOfDay;
    // Only a damaged file holds a negative interval; stepping backwards would never pass now.
    if (IntervalMinutes <= 0) {
        if (now > FirstTime) {
            Status = kStatusNotToday;
        } else {
            DueDateTime = today + FirstTime;
            Status = kStatusPending;
        }
        return;
    }
    if (HasUntil && now >= StopTime) {
        Status = kStatusNotToday;
        return;
    }
    const TDateTime limit = HasUntil ? StopTime : kLastMinuteOfDay;
    // One minute past the limit still counts: it absorbs the drift of the minute steps.
    const TDateTime last = AddMinutes(1, limit);
    // Each step adds at least one minute and AddMinutes never returns less than 0, so the loops
    // end within a day's worth of steps whatever the stored first time.
    TDateTime t = FirstTime;
    const ZoneDay zone(today);
    if (zone.OffsetChanges() && FirstTime >= 0 && FirstTime < 1 && last < 2 &&
        IntervalMinutes <= 1440) {
        // The steps are real time from the first occurrence, and each lands on the local time
        // the clock shows then: after the change they fall an hour later or earlier on the wall
        // clock, and the night the clocks go back they run through the repeated hour again.
        const std::int64_t first = zone.RealMs(today + FirstTime);
        const std::int64_t firstLocal = LocalMsOf(today + FirstTime);
        const std::int64_t present = MsFromTime(NowUtc());
        auto realMsOf = [&](TDateTime step) {
            return first + LocalMsOf(today + step) - firstLocal;
        };
        while (present >= realMsOf(t)) t = AddMinutes(IntervalMinutes, t);
        const LocalMoment next = zone.LocalAt(realMsOf(t));
        if (today + last >= next.value) {
            SetDueMoment(next);
            Status = kStatusPending;
        }
        return;
    }
    while (now >= t) t = AddMinutes(IntervalMinutes, t);
    if (last >= t) {
        DueDateTime = today + t;
        Status = kStatusPending;
    }
}

void TReminder::SetDueMoment(const LocalMoment& moment) {
    DueDateTime = moment.value;
    laterPass_ = moment.laterPass;
    laterPassValue_ = moment.value;
}

bool TReminder::WaitsForLaterPass() const {
    return laterPass_ && DueDateTime == laterPassValue_ && !LaterPassReached(DueDateTime);
}

std::string TReminder::DueText() const {
    const TDateTime dueDate = DueDate();
    if (dueDate == 0) return {};
    if (dueDate == Today()) {
        const std::string time = formatOrEmpty(kTimePattern, DueDateTime);
        return time.empty() ? time : "Today at " + time;
    }
    return formatOrEmpty(kDateTimePattern, DueDateTime);
}

std::string TReminder::FirstTimeText() const {
    return formatOrEmpty(kTimePattern, FirstTime);
}

std::string TReminder::RepeatText() const {
    // A negative interval can only come from a damaged file; the schedule treats it as once a day.
    if (IntervalMinutes <= 0) return {};
    std::string text = IntervalText(IntervalMinutes);
    if (HasUntil) {
        const std::string until = formatOrEmpty(kTimePattern, StopTime);
        if (until.empty()) return {};
        text += " until " + until;
    }
    return text;
}

std::string TReminder::DaySetText() const {
    if (DaySet == "0123456") return "All Days";
    if (DaySet == "12345") return "Weekdays";
    if (DaySet == "06") return "Weekends";
    static constexpr const char* kDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::string text;
    for (int day = 0; day < 7; ++day) {
        if (DaySet.find(static_cast<char>('0' + day)) != std::string::npos) text += kDayNames[day];
    }
    return text;
}

std::string TReminder::StatusText() const {
    switch (Status) {
        case kStatusPending:
            return "Pending";
        case kStatusDone:
            return "Done";
        case kStatusExpired:
            return "Expired";
        case kStatusNotToday:
            return "Not Today";
        case kStatusInactive:
            return "Inactive";
        default:
            return {};
    }
}

std::string IntervalText(std::int32_t minutes) {
    char text[32];
    if (minutes < 60) {
        std::snprintf(text, sizeof text, "0:%2d", static_cast<int>(minutes));
    } else if (minutes % 60 == 0) {
        std::snprintf(text, sizeof text, "%d:00", static_cast<int>(minutes / 60));
    } else {
        std::snprintf(text, sizeof text, "%d:%2d", static_cast<int>(minutes / 60),
                      static_cast<int>(minutes % 60));
    }
    return text;
}

}  // namespace pellino
