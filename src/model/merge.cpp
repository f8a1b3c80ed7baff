#include "model/merge.h"

#include <bit>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <tuple>

#include "model/reminder.h"

namespace pellino {

namespace {

// Date-time values are compared by their bits: a value read from a file and written back is the
// same double, and a stray NaN still compares as itself.
using Identity = std::tuple<std::uint8_t, std::uint8_t, std::uint64_t, std::uint64_t, std::uint64_t,
                            bool, std::string, std::string, std::string, std::int32_t>;

Identity identityOf(const TReminder& r, bool repeating) {
    // A repeating reminder's stored occurrence is the one it had when it was written; every load
    // works it out again, so it tells nothing about which reminder it is.
    const double due = repeating ? 0.0 : r.DueDateTime;
    return {r.Kind,
            r.NotifyMode,
            std::bit_cast<std::uint64_t>(due),
            std::bit_cast<std::uint64_t>(r.FirstTime),
            std::bit_cast<std::uint64_t>(r.StopTime),
            r.HasUntil,
            r.Description,
            r.SoundFile,
            r.DaySet,
            r.IntervalMinutes};
}

}  // namespace

std::vector<std::size_t> MergeReminders(const std::vector<const TReminder*>& ours,
                                        const std::vector<const TReminder*>& theirs,
                                        bool repeating) {
    // Each identity of ours with the records that still have no partner, first ones first.
    std::map<Identity, std::deque<std::size_t>> unpaired;
    for (std::size_t i = 0; i < ours.size(); ++i)
        unpaired[identityOf(*ours[i], repeating)].push_back(i);
    std::vector<std::size_t> partner(theirs.size(), kNotInOurs);
    for (std::size_t i = 0; i < theirs.size(); ++i) {
        const auto found = unpaired.find(identityOf(*theirs[i], repeating));
        if (found == unpaired.end() || found->second.empty()) continue;
        partner[i] = found->second.front();
        found->second.pop_front();
    }
    return partner;
}

}  // namespace pellino
