#pragma once

#include <string>
#include <string_view>

namespace pellino {

// The runtime's text helpers that the program relies on.

// The text with the ASCII letters a to z turned to capitals; every other byte stays.
std::string UpperCase(std::string_view text);

// The file name part of a path: what follows its last "\" or ":" ("PELLINO.EXE").
std::string ExtractFileName(std::string_view path);
// The folder part of a path, up to and including its last "\" or ":"; empty when there is none.
std::string ExtractFilePath(std::string_view path);

}  // namespace pellino
