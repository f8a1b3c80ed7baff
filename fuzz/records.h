#pragma once

// Comparing reminders as the program stores them: every one of the twelve values, the doubles by
// their bits, so that a round trip that changes a single bit (or a NaN's payload) is seen.

#include <string>
#include <vector>

#include "model/reminder.h"

namespace pellino {
class TClickableStringGrid;
}

namespace pellino::fuzz {

// Empty when the two records hold the same values; otherwise the first value that differs.
std::string RecordDifference(const TReminder& a, const TReminder& b);

// Empty when the two lists hold the same records in the same order.
std::string ListDifference(const std::vector<TReminder>& a, const std::vector<TReminder>& b);

// Copies of the records of a list's rows, in row order.
std::vector<TReminder> RecordsOf(const TClickableStringGrid& grid);

}  // namespace pellino::fuzz
