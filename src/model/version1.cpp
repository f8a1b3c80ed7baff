#include "model/version1.h"

#include <array>
#include <cstdint>
#include <string>

#include "runtime/datetime.h"
#include "runtime/formats.h"

namespace pellino {

namespace {

constexpr std::size_t kFieldsUsed = 7;
constexpr std::size_t kDescriptionLimit = 100;
constexpr std::int32_t kImportedKind = 3;

// Field n runs from after the (n-1)-th "^" to the n-th; the last to the end of the line. Fields
// beyond the last are empty.
std::array<std::string_view, kFieldsUsed> SplitFields(std::string_view line) {
    std::array<std::string_view, kFieldsUsed> fields{};
    for (std::size_t i = 0; i < kFieldsUsed; ++i) {
        const std::size_t end = line.find('^');
        fields[i] = line.substr(0, end);
        if (end == std::string_view::npos) break;
        line.remove_prefix(end + 1);
    }
    return fields;
}

std::uint8_t NotifyModeOf(std::string_view field) {
    if (!field.empty() && field.front() >= '0' && field.front() <= '2') {
        return static_cast<std::uint8_t>(field.front() - '0');
    }
    return kNotifyMessageAndSound;
}

}  // namespace

std::unique_ptr<TReminder> ReminderFromVersion1Line(std::string_view line) {
    const auto fields = SplitFields(line);
    TDateTime time = 0;
    if (!TryStrToTime(fields[0], time)) return nullptr;
    const auto kind = TryStrToInt(fields[3]);
    if (!kind || *kind != kImportedKind) return nullptr;
    TDateTime date = 0;
    if (!TryStrToDate(fields[4], date)) date = Today();
    // A reminder of today is taken whatever its time: it shows as Pending or Expired.
    if (date < Today()) return nullptr;
    // A date past the last one a reminder may have could not be stored and read back as itself.
    if (date > kLastDueDate) return nullptr;
    return TReminder::CreateOneTime(date + time,
                                    std::string(fields[1].substr(0, kDescriptionLimit)),
                                    std::string(fields[5]), NotifyModeOf(fields[6]));
}

}  // namespace pellino
