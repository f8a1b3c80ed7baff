#include "records.h"

#include <bit>
#include <cstdint>
#include <cstdio>

#include "mainwindow/mainform.h"

namespace pellino::fuzz {

namespace {

std::string bitsText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g (bits %016llx)", value,
                  static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(value)));
    return text;
}

}  // namespace

std::string RecordDifference(const TReminder& a, const TReminder& b) {
    const auto number = [](const char* name, long long x, long long y) {
        return x == y ? std::string()
                      : std::string(name) + " " + std::to_string(x) + " / " + std::to_string(y);
    };
    const auto real = [](const char* name, double x, double y) {
        return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y)
                   ? std::string()
                   : std::string(name) + " " + bitsText(x) + " / " + bitsText(y);
    };
    const auto text = [](const char* name, const std::string& x, const std::string& y) {
        return x == y ? std::string()
                      : std::string(name) + " of " + std::to_string(x.size()) + " / " +
                            std::to_string(y.size()) + " bytes differ";
    };
    for (const std::string& difference : {
             number("Kind", a.Kind, b.Kind),
             number("NotifyMode", a.NotifyMode, b.NotifyMode),
             real("DueDateTime", a.DueDateTime, b.DueDateTime),
             real("FirstTime", a.FirstTime, b.FirstTime),
             real("StopTime", a.StopTime, b.StopTime),
             number("HasUntil", a.HasUntil, b.HasUntil),
             text("Description", a.Description, b.Description),
             text("SoundFile", a.SoundFile, b.SoundFile),
             text("DaySet", a.DaySet, b.DaySet),
             number("IntervalMinutes", a.IntervalMinutes, b.IntervalMinutes),
             number("Status", a.Status, b.Status),
             number("ReservedFlag", a.ReservedFlag, b.ReservedFlag),
         }) {
        if (!difference.empty()) return difference;
    }
    return {};
}

std::string ListDifference(const std::vector<TReminder>& a, const std::vector<TReminder>& b) {
    if (a.size() != b.size()) {
        return std::to_string(a.size()) + " records / " + std::to_string(b.size());
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const std::string difference = RecordDifference(a[i], b[i]);
        if (!difference.empty()) return "record " + std::to_string(i) + ": " + difference;
    }
    return {};
}

std::vector<TReminder> RecordsOf(const TClickableStringGrid& grid) {
    std::vector<TReminder> records;
    for (int row = 1; row < grid.RowCount(); ++row) {
        if (const TReminder* reminder = TMainForm::ReminderAt(grid, row)) {
            records.push_back(*reminder);
        }
    }
    return records;
}

}  // namespace pellino::fuzz
