#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/reminder.h"
#include "platform/exception.h"

namespace pellino {

class Stream;
class TWriter;

// The values of a data file: the header list, then the one-time and the repeating list.
struct DataFileContents {
    std::int32_t headerInteger = 666;
    double headerFloat = 2.0;
    std::vector<TReminder> oneTime;
    std::vector<TReminder> repeating;
};

// How far reading a data file got, in file order.
enum class DataFileStage {
    Nothing,
    HeaderBegun,
    HeaderInteger,
    HeaderFloat,
    HeaderDone,
    OneTimeBegun,
    OneTimeDone,
    RepeatingBegun,
    RepeatingDone,
};

struct ReadStop {
    std::int64_t offset = 0;  // where the value that could not be read starts
    std::string message;      // the read error's text
};

struct DamagedRecord {
    bool repeating = false;
    std::size_t index = 0;
    ReadStop stop;
};

// What reading a data file the way the program loads it found. The records are as the program
// holds them right after reading (with the year-one date correction and the low-8-bit rule
// applied), before any status is recomputed for the day.
struct DataFileReading {
    DataFileContents contents;
    DataFileStage stage = DataFileStage::Nothing;
    // Records whose reading stopped early; the program keeps them and reads on after them.
    std::vector<DamagedRecord> damaged;
    // Why reading ended before the third list was closed.
    std::optional<ReadStop> stop;
    std::int64_t endOffset = 0;  // where reading ended
    std::int64_t size = 0;       // bytes in the file

    // Every value read as written and nothing after the last list.
    bool complete() const { return !stop && damaged.empty() && endOffset == size; }
};

// Reads a data file from the stream's position the way the program's loader does: a record that
// fails is kept and reading goes on with the next byte; a failed list marker or the end of the
// data ends reading.
DataFileReading readDataFile(Stream& stream);

// Writes the three lists as the program saves them. The caller hands over the writer's buffer.
void writeDataFile(TWriter& writer, const DataFileContents& contents);

// The text form: one line for the header, each list framed by "list NAME" and "end", one line
// per record with its twelve values as name=value, '#' lines for notes, and a last line saying
// whether the file was read to its end or where and why reading stopped.
std::string formatDump(const DataFileReading& reading);
// The last line of formatDump.
std::string formatReadOutcome(const DataFileReading& reading);

// A dump text that cannot be read back; the message names the line.
class DumpSyntaxError : public Exception {
public:
    using Exception::Exception;
};

// Reads the text form back. Notes are skipped; a section the text does not reach is taken as
// the program writes it with nothing in it, and an unclosed list is closed at the end, so the dump
// of a damaged file gives the file the program would save after loading it.
DataFileContents parseDump(std::string_view text);

}  // namespace pellino
