#pragma once

// The locale sets the runtime's texts are fuzzed under: the program's fixed set, and three sets a
// user's regional settings can give.

#include <cstdint>
#include <string>

namespace pellino::fuzz {

enum class FormatSet : std::uint8_t {
    Fixed,         // "mm/dd/yyyy", "/", ":", "AM", "PM"
    User12Hour,    // United States: M/d/yyyy, h:mm AM
    User24Hour,    // Germany: dd.MM.yyyy, HH:mm, no designators
    UserNoMarker,  // a 12-hour clock whose AM and PM texts are empty
};

// The set chosen by an input byte.
FormatSet FormatSetOf(std::uint8_t choice);
const char* FormatSetName(FormatSet set);

// Keeps the set's regional settings as the user's (as the start-up does) and installs the fixed
// set; the caller enters the user's set with a UserFormatsScope where the set asks for it.
void PrepareFormatSet(FormatSet set);

}  // namespace pellino::fuzz
