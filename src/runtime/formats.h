#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/datetime.h"

namespace pellino {

// The settings the formatter and the parsers use. Five of them (short date format, the two
// separators, the AM and PM texts) are switched between the fixed set and the user's set; the
// rest always come from the user's regional settings.
struct FormatSettings {
    std::string shortDateFormat = "mm/dd/yyyy";
    std::string longDateFormat = "dddd, mmmm d, yyyy";
    std::string shortTimeFormat = "h:mm AMPM";
    std::string longTimeFormat = "h:mm:ss AMPM";
    char dateSeparator = '/';
    char timeSeparator = ':';
    std::string timeAMString = "AM";
    std::string timePMString = "PM";
    std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 12> longMonthNames{"January",   "February", "March",    "April",
                                               "May",       "June",     "July",     "August",
                                               "September", "October",  "November", "December"};
    std::array<std::string, 7> shortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::array<std::string, 7> longDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                            "Thursday", "Friday", "Saturday"};
};

// The set in force.
const FormatSettings& CurrentFormats();

// Keeps the user's regional settings (read from the platform) as the user's set, once at start-up.
void SaveUserFormats();
// Installs the fixed five: "mm/dd/yyyy", '/', ':', "AM", "PM".
void UseFixedFormats();
// Installs the kept user five.
void UseUserFormats();

// Enters the user's set for its lifetime and always returns to the fixed one, also on an error.
class UserFormatsScope {
public:
    UserFormatsScope() { UseUserFormats(); }
    ~UserFormatsScope() { UseFixedFormats(); }
    UserFormatsScope(const UserFormatsScope&) = delete;
    UserFormatsScope& operator=(const UserFormatsScope&) = delete;
};

// Formats with the patterns of the runtime formatter under the set in force. A value outside the
// calendar (or NaN, or infinite) raises EConvertError.
std::string FormatDateTime(std::string_view pattern, TDateTime value);

// The time text rule: blanks, hour, optional minutes and seconds, optional AM/PM designator,
// nothing trailing; the text is upper-cased first. The output is written only on success.
bool TryStrToTime(std::string_view text, TDateTime& result);
bool IsValidTime(std::string_view text);
TDateTime StrToTime(std::string_view text);  // EConvertError "'%s' is not a valid time"

// Dates in the order of the short date format in force, with its separator; a two-digit year is in
// the current century.
bool TryStrToDate(std::string_view text, TDateTime& result);
bool IsValidDate(std::string_view text);
TDateTime StrToDate(std::string_view text);  // EConvertError "'%s' is not a valid date"

// The runtime's integer reader: leading blanks, a sign, then "$" and hexadecimal digits or decimal
// digits, and nothing after them. Hexadecimal values wrap to the int of the same bits; a decimal
// value outside the int range is refused.
std::optional<std::int32_t> TryStrToInt(std::string_view text);
// One to eight hexadecimal digits as the bits of a 32-bit value; anything else is refused.
std::optional<std::uint32_t> TryHexToBits(std::string_view digits);

}  // namespace pellino
