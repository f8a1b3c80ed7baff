// What the reminder clock keeps in the settings file across a stop of the program.
#include "schedule/clockmemory.h"

#include <cmath>
#include <cstdio>

#include "model/settings.h"

namespace pellino {

namespace {

// The text keeps milliseconds, rounded.
constexpr double kMatchWithin = 1.0 / kMsPerDay;
constexpr char kSeparator = ';';

}  // namespace

bool ClockMemory::InSecondPass(TDateTime due) const {
    for (const TDateTime moment : secondPass) {
        if (std::fabs(moment - due) < kMatchWithin) return true;
    }
    return false;
}

std::string MomentText(TDateTime moment) {
    DateFields date;
    TimeFields time;
    if (!TryDecodeDateTime(moment, date, time)) return {};
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", date.year, date.month,
                  date.day, time.hour, time.minute, time.second, time.millisecond);
    return text;
}

std::optional<TDateTime> MomentFromText(std::string_view text) {
    // Exactly the form MomentText writes, digit by digit: a hand-edited value in another form
    // counts as none. (Read by hand: the C library's scanning would bring calls into the program
    // that its oldest systems lack.)
    constexpr std::string_view kForm = "0000-00-00 00:00:00.000";
    if (text.size() != kForm.size()) return std::nullopt;
    for (std::size_t i = 0; i < kForm.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kForm[i] == '0' ? !digit : text[i] != kForm[i]) return std::nullopt;
    }
    const auto number = [&](std::size_t at, std::size_t digits) {
        int value = 0;
        for (std::size_t i = at; i < at + digits; ++i) value = value * 10 + (text[i] - '0');
        return value;
    };
    TDateTime date = 0;
    TDateTime time = 0;
    if (!TryEncodeDate(number(0, 4), number(5, 2), number(8, 2), date) ||
        !TryEncodeTime(number(11, 2), number(14, 2), number(17, 2), number(20, 3), time)) {
        return std::nullopt;
    }
    return date + time;
}

std::string MomentsText(const std::vector<TDateTime>& moments) {
    std::string text;
    for (const TDateTime moment : moments) {
        const std::string one = MomentText(moment);
        if (one.empty()) continue;
        if (!text.empty()) text += kSeparator;
        text += one;
    }
    return text;
}

std::vector<TDateTime> MomentsFromText(std::string_view text) {
    std::vector<TDateTime> moments;
    while (!text.empty()) {
        const std::size_t end = text.find(kSeparator);
        if (const auto moment = MomentFromText(text.substr(0, end))) moments.push_back(*moment);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return moments;
}

ClockMemory ReadClockMemory() {
    const SettingsFile ini;
    ClockMemory memory;
    memory.lastLook = MomentFromText(ini.ReadString(settings::kClock, settings::kLastLook, ""));
    memory.secondPass =
        MomentsFromText(ini.ReadString(settings::kClock, settings::kSecondPass, ""));
    return memory;
}

void WriteLastLook(std::optional<TDateTime> moment) {
    const SettingsFile ini;
    ini.WriteString(settings::kClock, settings::kLastLook, moment ? MomentText(*moment) : "");
}

void WriteSecondPass(const std::vector<TDateTime>& moments) {
    const SettingsFile ini;
    ini.WriteString(settings::kClock, settings::kSecondPass, MomentsText(moments));
}

}  // namespace pellino
