// FormatDateTime with any pattern and any double: NaN, infinities, huge and denormal values, and
// every set of locale values. A value on the calendar always gives a text; anything else gives
// EConvertError and nothing worse.

#include <cmath>
#include <optional>

#include "formatsets.h"
#include "fuzz_target.h"
#include "runtime/datetime.h"
#include "runtime/errors.h"
#include "runtime/formats.h"

using namespace pellino;

FUZZ_TARGET(format_datetime) {
    fuzz::InputReader input(data, size);
    const fuzz::FormatSet set = fuzz::FormatSetOf(input.Byte());
    const double value = input.DoubleBits();
    const std::string_view pattern = input.Rest();

    fuzz::PrepareFormatSet(set);
    std::optional<UserFormatsScope> user;
    if (set != fuzz::FormatSet::Fixed) user.emplace();

    // Every value from the first day of year 1 to the last whole day of year 9999 lies on the
    // calendar (a time of that last day may round up into year 10000).
    const bool onCalendar =
        std::isfinite(value) && value >= kMinDateTime && value <= kMaxDateTime - 1;
    try {
        const std::string text = FormatDateTime(pattern, value);
        // A time of the day before the first or the last whole day is on the calendar too.
        FUZZ_CHECK(std::isfinite(value) && value > kMinDateTime - 1 && value < kMaxDateTime,
                   "a value off the calendar gave a text: " + text);
    } catch (const EConvertError& e) {
        FUZZ_CHECK(!onCalendar, "a value on the calendar was refused: " + e.Message());
    }
}
