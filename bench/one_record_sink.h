#pragma once

// Takes every record of a data file into the same one, so that a reading measures the file and
// the codec and nothing of the lists.

#include "model/datafile.h"
#include "model/reminder.h"

namespace pellino {

class OneRecordSink final : public DataFileSink {
public:
    TReminder& BeginRecord(bool) override {
        ++count;
        return record;
    }
    TReminder record;
    int count = 0;
};

}  // namespace pellino
