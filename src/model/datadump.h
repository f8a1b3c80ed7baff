#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/datafile.h"
#include "model/reminder.h"
#include "platform/exception.h"

namespace pellino {

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
