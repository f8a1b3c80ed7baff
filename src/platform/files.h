#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/stream.h"

namespace pellino {

// Files are named by the program's own (Windows) paths, such as "C:\PELLINO\Pellino.dat". The
// win32 backend hands them to the system unchanged; the headless backend maps them into a
// temporary folder, so portable code and its messages are the same in both.

// Creates the file anew (an existing one is truncated) for reading and writing, shared with nobody.
// Null when the system refuses.
std::unique_ptr<Stream> CreateFileExclusive(const std::string& path);

// Creates a file that does not exist yet, for reading and writing, shared with nobody. Null when a
// file of that name exists already (made by anyone, up to the last moment) or the system refuses:
// nothing is ever written over.
std::unique_ptr<Stream> CreateNewFileExclusive(const std::string& path);

// Opens an existing file for reading, shared with nobody. Null when it does not exist or the system
// refuses (for instance another program holds it open).
std::unique_ptr<Stream> OpenFileExclusiveRead(const std::string& path);
// The same, giving the platform's error code when the file cannot be opened (one of those below,
// or another), and 0 when it is open.
std::unique_ptr<Stream> OpenFileExclusiveRead(const std::string& path, int& error);

// The platform's error codes that tell why a file could not be opened.
namespace fileerror {
constexpr int kNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kAccessDenied = 5;
// Another program holds the file open and shares it with nobody, or has locked a part of it.
constexpr int kSharingViolation = 32;
constexpr int kLockViolation = 33;
}  // namespace fileerror

bool FileExists(const std::string& path);

enum class ReplaceResult : std::uint8_t { Replaced, Failed, Unsupported };

// Replaces `target` by `source` in one step (the target's old content survives whole if this
// fails). On a platform that cannot move a file onto another (the Windows 95 family) it touches
// nothing and says so.
ReplaceResult ReplaceFileAtomically(const std::string& source, const std::string& target);

// Gives a file another name; fails when a file of that name exists already.
bool RenameFile(const std::string& source, const std::string& target);

bool DeleteFileIfExists(const std::string& path);

// The lines of a text file without their line ends (a line feed ends a line, a carriage return
// before it is dropped). Returns 0, or the platform's error code when the file cannot be opened
// (32: another program holds it) or read; `lines` then holds the lines read before the failure.
int ReadTextLines(const std::string& path, std::vector<std::string>& lines);

// Full path of the running program's executable, for instance "C:\PELLINO\PELLINO.EXE", however
// long. Raises an Exception with the message for the user when the platform cannot give it.
std::string ProgramExePath();

}  // namespace pellino
