#include "schedule/dueindex.h"

#include <algorithm>
#include <cmath>

#include "model/reminder.h"
#include "platform/stringgrid.h"

namespace pellino {

bool DueIndex::AnyDue(const StringGrid& grid, TDateTime day, TDateTime today, TDateTime timeOfDay) {
    if (!built_ || revision_ != grid.ContentRevision()) rebuild(grid);
    const auto found = earliestByDate_.find(day);
    if (found == earliestByDate_.end()) return false;
    return day < today || (day == today && timeOfDay >= found->second);
}

void DueIndex::rebuild(const StringGrid& grid) {
    earliestByDate_.clear();
    for (int row = 0; row < grid.RowCount(); ++row) {
        const TReminder* reminder = grid.ObjectOf<TReminder>(0, row);
        if (!reminder || reminder->Status != kStatusPending) continue;
        const TDateTime date = reminder->DueDate();
        // A moment that is no number (from a damaged file) is of no date, so it is never due.
        if (!std::isfinite(date)) continue;
        const TDateTime time = reminder->DueTime();
        const auto [slot, added] = earliestByDate_.try_emplace(date, time);
        if (!added) slot->second = std::min(slot->second, time);
    }
    revision_ = grid.ContentRevision();
    built_ = true;
}

}  // namespace pellino
