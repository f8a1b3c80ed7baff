#pragma once

#include <cstddef>
#include <vector>

namespace pellino {

class TReminder;

// The reminders of two versions of a list, put together by identity. The data file holds no
// number for a reminder, so a reminder is known by what the user gave it: its kind, message,
// sound, notification mode and schedule (for a one-time reminder its due moment; for a repeating
// one its days, times and interval). What the clock changes by itself does not count: the status,
// and the occurrence of a repeating reminder, which every load works out afresh.
//
// The result is the union: every record of `ours`, and each record of `theirs` that `ours` lacks.
// A record of `ours` stands for one record of `theirs` at most, so a reminder the user keeps twice
// is kept twice, not once and not three times. Returns, for each record of `theirs` in its order,
// the index in `ours` of the record that stands for it, or kNotInOurs when it is to be added.
inline constexpr std::size_t kNotInOurs = static_cast<std::size_t>(-1);
std::vector<std::size_t> MergeReminders(const std::vector<const TReminder*>& ours,
                                        const std::vector<const TReminder*>& theirs,
                                        bool repeating);

}  // namespace pellino
