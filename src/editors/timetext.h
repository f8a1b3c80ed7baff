#pragma once

#include <string>

#include "platform/controls.h"
#include "runtime/datetime.h"

namespace pellino {

// The time fields of the editors show and take times in the user's regional form ('2:30 PM' or
// '14:30'). Every conversion runs under the user's locale set and returns to the fixed set
// afterwards, also when it fails.

// A time of day in the user's short time format.
std::string UserTimeText(TDateTime time);
// The value of a time text read under the user's set; false leaves `value` untouched.
bool TryUserTime(const std::string& text, TDateTime& value);

// Validates a time field by the time text rule. An accepted text is written back normalised in
// the user's short time format (seconds go when the format has none); for a refused one the user
// is told the format with the current time as example, and the field keeps what was typed, to be
// corrected rather than typed again.
bool CheckValidTime(Edit& field);
// The message of a refused time, with the current time as example.
std::string InvalidTimeMessage(const std::string& prefix);

}  // namespace pellino
