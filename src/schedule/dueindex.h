#pragma once

#include <cstdint>
#include <map>

#include "runtime/datetime.h"

namespace pellino {

class StringGrid;

// What a due check needs to know about a list to tell, without testing its rows, that none of
// them is due: for each date, the earliest time of day of a Pending reminder of that date. The
// list's order is not relied on (a one-time list read from a file written elsewhere need not be
// in due order), and the index follows every change of the list by the grid's content revision:
// a row added, removed, moved or replaced, or a record handed out for change, makes the next
// question rebuild it from the rows.
class DueIndex {
public:
    // Whether a pass for the reminders of `day`, with the clock at `today` and `timeOfDay`, would
    // find at least one of the list's rows due: Pending, of `day`, and either `day` is over or
    // its time has come.
    bool AnyDue(const StringGrid& grid, TDateTime day, TDateTime today, TDateTime timeOfDay);

private:
    void rebuild(const StringGrid& grid);

    bool built_ = false;
    std::uint64_t revision_ = 0;  // the grid's content revision the index was built from
    std::map<TDateTime, TDateTime> earliestByDate_;
};

}  // namespace pellino
