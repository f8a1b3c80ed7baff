#pragma once

// The reminders the benchmarks load and save: half one-time and half repeating, with messages and
// sound paths of the lengths people type, the one-time ones in due order as the program keeps them.

#include <cstdint>
#include <string>
#include <vector>

#include "model/datadump.h"
#include "model/reminder.h"

namespace pellino {

inline DataFileContents SampleReminders(int count) {
    const std::vector<std::string> messages = {
        "Call the dentist to move Thursday's appointment",
        "Team meeting",
        "Take the medicine with water after lunch, not before",
        "Pick up the children from school",
        "Send the monthly report to accounting\rand copy the department head",
        "Stretch",
    };
    const std::vector<std::string> sounds = {"", "C:\\WINDOWS\\MEDIA\\chimes.wav",
                                             "C:\\Program Files\\Sounds\\Gentle bell.wav"};
    const std::vector<std::string> days = {"12345", "0123456", "06", "135"};
    DataFileContents contents;
    for (int i = 0; i < count; ++i) {
        const auto n = static_cast<std::size_t>(i);
        const std::string& message = messages[n % messages.size()];
        const std::string& sound = sounds[n % sounds.size()];
        const auto mode = static_cast<std::uint8_t>(i % 4);
        if (i % 2 == 0) {
            // From a week ago to a year ahead.
            contents.oneTime.push_back(
                *TReminder::CreateOneTime(46020.0 + i * 0.0074, message, sound, mode));
        } else {
            contents.repeating.push_back(*TReminder::CreateRepeating(
                (i % 1440) / 1440.0, i % 5 == 0, 0.75, days[n % days.size()], (i % 3) * 30, message,
                sound, mode));
        }
    }
    return contents;
}

}  // namespace pellino
