// Time and date texts as the editors and the import read them, under the fixed set and the
// user's sets: a text is either refused with the output untouched, or read as a time of day
// (a fraction of a day) or a whole day on the calendar, and the three ways of asking agree.

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "formatsets.h"
#include "fuzz_target.h"
#include "runtime/datetime.h"
#include "runtime/errors.h"
#include "runtime/formats.h"

using namespace pellino;

namespace {

// A value no parser produces, to see whether a refusal wrote its output.
const double kUntouched = std::bit_cast<double>(std::uint64_t{0x7ff4'0000'dead'beefULL});

bool untouched(double value) {
    return std::bit_cast<std::uint64_t>(value) == std::bit_cast<std::uint64_t>(kUntouched);
}

void checkTime(std::string_view text, fuzz::FormatSet set) {
    double value = kUntouched;
    const bool accepted = TryStrToTime(text, value);
    FUZZ_CHECK(IsValidTime(text) == accepted, "IsValidTime disagrees with TryStrToTime");
    if (!accepted) {
        FUZZ_CHECK(untouched(value), "a refused time text wrote its output");
        bool raised = false;
        try {
            StrToTime(text);
        } catch (const EConvertError&) {
            raised = true;
        }
        FUZZ_CHECK(raised, "StrToTime accepted what TryStrToTime refused");
        return;
    }
    FUZZ_CHECK(value >= 0 && value < 1, "a time text gave no time of day");
    FUZZ_CHECK(StrToTime(text) == value, "StrToTime disagrees with TryStrToTime");
    // The long time format written from the value must read back as the same second, except on a
    // 12-hour clock without designators, where 1:30 in the afternoon is written as 1:30.
    if (set == fuzz::FormatSet::UserNoMarker) return;
    const TimeFields fields = DecodeTime(value);
    TDateTime whole = 0;
    FUZZ_CHECK(TryEncodeTime(fields.hour, fields.minute, fields.second, 0, whole),
               "a time read does not decode");
    const std::string written = FormatDateTime(CurrentFormats().longTimeFormat, whole);
    double back = kUntouched;
    FUZZ_CHECK(TryStrToTime(written, back), "the written time '" + written + "' does not read");
    FUZZ_CHECK(std::fabs(back - whole) < 0.5 / 86400,
               "the written time '" + written + "' reads as another time");
}

void checkDate(std::string_view text) {
    double value = kUntouched;
    const bool accepted = TryStrToDate(text, value);
    FUZZ_CHECK(IsValidDate(text) == accepted, "IsValidDate disagrees with TryStrToDate");
    if (!accepted) {
        FUZZ_CHECK(untouched(value), "a refused date text wrote its output");
        return;
    }
    FUZZ_CHECK(value == std::trunc(value), "a date text gave a time of day as well");
    FUZZ_CHECK(value >= kMinDateTime && value < kMaxDateTime, "a date text left the calendar");
    FUZZ_CHECK(StrToDate(text) == value, "StrToDate disagrees with TryStrToDate");
}

}  // namespace

FUZZ_TARGET(time_date_text) {
    fuzz::InputReader input(data, size);
    const fuzz::FormatSet set = fuzz::FormatSetOf(input.Byte());
    const std::string_view text = input.Rest();
    fuzz::PrepareFormatSet(set);
    std::optional<UserFormatsScope> user;
    if (set != fuzz::FormatSet::Fixed) user.emplace();
    checkTime(text, set);
    checkDate(text);
}
