#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/reminder.h"
#include "platform/files.h"

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
// Where a data file that could not be read whole is kept before it is first written over; when
// that holds another file already, the first free of "Pellino2.bak", "Pellino3.bak" and so on.
std::string BackupFilePath(int number = 1);
// The new data file is written here first and takes the data file's place only once complete.
std::string TemporaryDataFilePath();
// Where the old data file waits while the new one takes its place, on a platform that cannot
// move one file onto another.
std::string AsideDataFilePath();
// Where changes that could not be written to the data file as the session ended wait for the
// next start, in the data file's own format: "Pellino.unsaved.dat" beside it. The next start adds
// its reminders to the lists, saves them to the data file and removes it.
std::string UnsavedChangesFilePath();

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
    // The record has been read: all its values (`allValuesRead`), or, when its reading stopped
    // early, only those before the failure.
    virtual void EndRecord(bool /*repeating*/, TReminder& /*record*/, bool /*allValuesRead*/) {}
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

// The file operations of a safe save, so that the same steps serve the program's own files and
// the paths the data file inspector is given.
struct SaveFileOps {
    // Creates a file anew for writing; null when that fails.
    std::function<std::unique_ptr<Stream>(const std::string&)> create;
    std::function<ReplaceResult(const std::string& source, const std::string& target)> replace;
    // Fails when the target exists.
    std::function<bool(const std::string& source, const std::string& target)> rename;
    std::function<bool(const std::string&)> exists;
    std::function<bool(const std::string&)> remove;
};
// The program's own files, through the platform.
SaveFileOps ProgramFileOps();

// Writes a new data file at `path` without ever leaving a partial one there: the values go to
// the temporary file beside it, which is flushed to the disk and only then takes the data file's
// place in one step. Where the platform has no such step, the old file first moves to
// `asidePath`, the new one takes its place, and the old one goes last, so that at every moment a
// whole copy is on the disk. On any failure the data file is as it was, the temporary file is
// removed (unless it is the only whole copy left), and an error is raised: EFCreateError "Cannot
// create file <path>" when a file cannot be created or replaced, EWriteError "Stream write error"
// when the disk takes fewer bytes.
void saveDataFileSafely(const SaveFileOps& files, const std::string& path,
                        const std::string& temporaryPath, const std::string& asidePath,
                        const std::function<void(TWriter&)>& write);
// The same for the program's data file, with the program's own files.
void saveDataFileSafely(const std::function<void(TWriter&)>& write);
// The same for the file of unsaved changes.
void saveUnsavedChangesSafely(const std::function<void(TWriter&)>& write);

// Keeps a copy of the data file, before a save writes over a file that the program did not read
// whole: in the first backup that holds the same bytes already, else in the first free one. No
// backup is ever written over. Returns the backup's path; raises EFCreateError "Cannot create file
// <data file>" when no copy can be made (most often because another program holds the file).
std::string KeepDataFileBackup();

}  // namespace pellino
