#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/controls.h"

namespace pellino {

// A month calendar: seven columns, Sunday to Saturday, headed by the short day names of the
// user's regional settings, and six week rows showing the month of the selected date. Days outside
// that month are left blank and cannot be chosen. Dates are whole-day values, days since
// 30 December 1899.
//
// The mouse chooses a day; with the focus, the arrow keys move by a day or a week, Page Up and Page
// Down by a month (with Ctrl by a year), Home and End to the first and last day of the month.
class MonthCalendar : public CustomControl {
public:
    explicit MonthCalendar(Control* parent);

    std::int32_t Date() const { return date_; }
    // Selects a date, held inside the range; runs OnChange when the selection really changed.
    void SetDate(std::int32_t date);
    // The dates that can be selected, both ends included.
    void SetRange(std::int32_t first, std::int32_t last);
    std::int32_t FirstDate() const { return first_; }
    std::int32_t LastDate() const { return last_; }

    // The same day of the previous or next month, or the month's last day when it is shorter.
    void PrevMonth() { StepMonths(-1); }
    void NextMonth() { StepMonths(1); }
    // The same day a year before or after; 29 February becomes 28 February.
    void PrevYear() { StepMonths(-12); }
    void NextYear() { StepMonths(12); }

    const std::array<std::string, 7>& DayNames() const { return dayNames_; }

    // Where the grid shows a date of the month shown, and the day under a point; false for the
    // header and the blank days.
    Rect DayRect(std::int32_t date) const;
    bool DayAt(int x, int y, std::int32_t& date) const;

    void Paint(Canvas& canvas) override;
    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void KeyDown(int& key, ShiftState shift) override;

    std::function<void()> OnChange;

private:
    void StepMonths(int months);
    // The date shown in the grid's first cell (a Sunday, on or before the 1st of the month).
    std::int32_t FirstCellDate() const;
    Rect CellRect(int col, int row) const;

    std::int32_t date_;
    std::int32_t first_;
    std::int32_t last_;
    std::array<std::string, 7> dayNames_;
};

}  // namespace pellino
