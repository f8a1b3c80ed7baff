#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/reminder.h"

namespace pellino {

class Stream;
class TWriter;

// ---- Where the files are ----

// The folder of an executable's path: everything up to and including its last "\" or ":", with a
// "\" appended when that does not end in one ("C:PELLINO.EXE" gives "C:\").
std::string ProgramFolderOf(const std::string& exePath);
// The folder of the running program, where its data, settings and help files lie.
std::string ProgramFolder();
// "Pellino.dat" in the program's folder.
std::string DataFilePath();
// Where a data file that could not be read whole is kept before it is first written over.
std::string BackupFilePath();
// The new data file is written here first and takes the data file's place only once complete.
std::string TemporaryDataFilePath();

// ---- Reading ----

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
// applied), before any status is recomputed for the day. Records handed to a sink are not kept
// in `contents`.
struct DataFileReading {
    DataFileContents contents;
    DataFileStage stage = DataFileStage::Nothing;
    // Records whose reading stopped early; the program keeps them and reads on after them.
    std::vector<DamagedRecord> damaged;
    // Why reading ended before the third list was closed.
    std::optional<ReadStop> stop;
    std::int64_t endOffset = 0;  // where reading ended
    std::int64_t size = 0;       // bytes in the file

    // Every value read as written and nothing after the last list. Anything less means the
    // program would lose part of the file by writing back what it read.
    bool complete() const { return !stop && damaged.empty() && endOffset == size; }
};

// Where the records of a file go as they are read: the program's lists, or plain vectors.
class DataFileSink {
public:
    virtual ~DataFileSink() = default;
    // A new, empty record for the list, which the reading fills. It must stay valid until the
    // next call.
    virtual TReminder& BeginRecord(bool repeating) = 0;
    // The record has been read, whole or (when its reading stopped early) in part.
    virtual void EndRecord(bool /*repeating*/, TReminder& /*record*/) {}
};

// Reads a data file from the stream's position the way the program's loader does: a record that
// fails is kept and reading goes on with the next byte; a failed list marker or the end of the
// data ends reading. Read errors end up in the result, never raised.
DataFileReading readDataFile(Stream& stream, DataFileSink& sink);
// The same, keeping the records in the result's `contents`.
DataFileReading readDataFile(Stream& stream);

// ---- Writing ----

// Writes the three lists as the program saves them. The caller hands over the writer's buffer.
void writeDataFile(TWriter& writer, const DataFileContents& contents);
// The header list and the framing of the two lists, with the records written by the callbacks.
void writeDataFile(TWriter& writer, std::int32_t headerInteger, double headerFloat,
                   const std::function<void(TWriter&)>& writeOneTime,
                   const std::function<void(TWriter&)>& writeRepeating);

// Writes a new data file at `path` without ever leaving a partial one there: the values go to
// the temporary file beside it, which is flushed to the disk and only then takes the data file's
// place in one step. On any failure the data file is exactly as it was, the temporary file is
// removed, and an error is raised: EFCreateError "Cannot create file <path>" when a file cannot be
// created or replaced, EWriteError "Stream write error" when the disk takes fewer bytes.
//
// When `backupPath` is given and the data file exists, it is first copied there (replacing an
// older copy); a copy that fails raises the same EFCreateError and touches nothing else.
void saveDataFileSafely(const std::string& path, const std::string& temporaryPath,
                        const std::optional<std::string>& backupPath,
                        const std::function<void(TWriter&)>& write);

}  // namespace pellino
