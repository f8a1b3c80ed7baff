#pragma once

#include <string>

namespace pellino {

// Private profile (INI) files, one key at a time and without a cache: every read sees the file as
// it is on the disk now. Files are named by the program's own paths, as in files.h.

// The text of a key, trimmed of blanks and of one pair of surrounding quotes; `fallback` when the
// file, the section or the key is missing. Section and key names are compared without regard to
// case.
std::string ReadProfileKey(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& fallback);

// Writes a key, creating the file, the section and the key as needed. False when the platform
// refuses (for instance a read-only file); the file is then as it was.
bool WriteProfileKey(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value);

}  // namespace pellino
