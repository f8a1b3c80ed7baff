#include "platform/calendar.h"

#include <algorithm>
#include <string>

#include "platform/civil.h"
#include "platform/clock.h"
#include "platform/regional.h"

namespace pellino {

namespace {

constexpr int kColumns = 7;
constexpr int kWeekRows = 6;
constexpr Color kHeaderColor = colors::kSilver;
constexpr Color kSelectedColor = 0x800000;  // navy
constexpr Color kTodayFrame = colors::kRed;

constexpr auto kFirstCalendarDate = static_cast<std::int32_t>(civil::kFirstCalendarDay);
constexpr auto kLastCalendarDate = static_cast<std::int32_t>(civil::kLastCalendarDay);

civil::YearMonthDay ToCivil(std::int32_t date) {
    return civil::CivilFromDays(date + civil::kDateTimeEpoch);
}

std::int32_t FromCivil(std::int64_t year, unsigned month, unsigned day) {
    return static_cast<std::int32_t>(civil::DaysFromCivil(year, month, day) -
                                     civil::kDateTimeEpoch);
}

unsigned DaysIn(std::int64_t year, unsigned month) {
    return civil::DaysInMonth(year, month);
}

std::int32_t TodayDate() {
    const LocalTime now = NowLocal();
    return FromCivil(now.year, static_cast<unsigned>(now.month), static_cast<unsigned>(now.day));
}

}  // namespace

MonthCalendar::MonthCalendar(Control* parent)
    : CustomControl(parent),
      date_(TodayDate()),
      first_(kFirstCalendarDate),
      last_(kLastCalendarDate),
      dayNames_(ReadRegionalSettings().shortDayNames) {
    SetColor(colors::kWhite);
}

void MonthCalendar::SetDate(std::int32_t date) {
    date = std::clamp(date, first_, last_);
    if (date == date_) return;
    date_ = date;
    Invalidate();
    if (OnChange) OnChange();
}

void MonthCalendar::SetRange(std::int32_t first, std::int32_t last) {
    first_ = std::max(first, kFirstCalendarDate);
    last_ = std::max(first_, std::min(last, kLastCalendarDate));
    // The days outside the range are drawn differently, even when the date stays.
    Invalidate();
    SetDate(date_);
}

void MonthCalendar::StepMonths(int months) {
    const civil::YearMonthDay ymd = ToCivil(date_);
    const std::int64_t index = ymd.year * 12 + (ymd.month - 1) + months;
    const std::int64_t year = index >= 0 ? index / 12 : (index - 11) / 12;
    const auto month = static_cast<unsigned>(index - year * 12 + 1);  // [1, 12]
    SetDate(FromCivil(year, month, std::min(ymd.day, DaysIn(year, month))));
}

std::int32_t MonthCalendar::FirstCellDate() const {
    const civil::YearMonthDay ymd = ToCivil(date_);
    const std::int32_t firstOfMonth = FromCivil(ymd.year, ymd.month, 1);
    return firstOfMonth -
           static_cast<std::int32_t>(civil::WeekdayFromDays(firstOfMonth + civil::kDateTimeEpoch));
}

// Row 0 is the header of day names; rows 1 to 6 are the weeks.
Rect MonthCalendar::CellRect(int col, int row) const {
    const Rect area = ClientRect();
    const int w = area.Width(), h = area.Height();
    return Rect{col * w / kColumns, row * h / (kWeekRows + 1), (col + 1) * w / kColumns,
                (row + 1) * h / (kWeekRows + 1)};
}

Rect MonthCalendar::DayRect(std::int32_t date) const {
    const civil::YearMonthDay shown = ToCivil(date_);
    const civil::YearMonthDay ymd = ToCivil(date);
    if (ymd.year != shown.year || ymd.month != shown.month) return Rect{};
    const int index = date - FirstCellDate();  // [0, 41]
    return CellRect(index % kColumns, 1 + index / kColumns);
}

bool MonthCalendar::DayAt(int x, int y, std::int32_t& date) const {
    for (int row = 1; row <= kWeekRows; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            const Rect r = CellRect(col, row);
            if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) continue;
            const std::int32_t candidate = FirstCellDate() + (row - 1) * kColumns + col;
            if (DayRect(candidate) == Rect{}) return false;
            date = candidate;
            return true;
        }
    }
    return false;
}

void MonthCalendar::Paint(Canvas& canvas) {
    const Rect area = ClientRect();
    canvas.FillRect(area, GetColor());
    const Font font = GetFont();
    canvas.SetFont(Font{font.name, font.height, true, font.color});
    for (int col = 0; col < kColumns; ++col) {
        const Rect r = CellRect(col, 0);
        canvas.FillRect(r, kHeaderColor);
        canvas.TextRect(r, dayNames_[static_cast<std::size_t>(col)],
                        Canvas::TextOptions{HAlign::Center, VAlign::Middle, 0});
    }
    const civil::YearMonthDay shown = ToCivil(date_);
    const std::int32_t firstOfMonth = FromCivil(shown.year, shown.month, 1);
    const unsigned days = DaysIn(shown.year, shown.month);
    const std::int32_t today = TodayDate();
    for (unsigned day = 1; day <= days; ++day) {
        const std::int32_t date = firstOfMonth + static_cast<std::int32_t>(day) - 1;
        const Rect r = DayRect(date);
        const bool selectable = date >= first_ && date <= last_;
        Color text = selectable ? font.color : colors::kGray;
        if (date == date_) {
            canvas.FillRect(Rect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, kSelectedColor);
            text = colors::kWhite;
        }
        if (date == today) {
            canvas.DrawLine(r.left, r.top, r.right - 1, r.top, kTodayFrame);
            canvas.DrawLine(r.right - 1, r.top, r.right - 1, r.bottom - 1, kTodayFrame);
            canvas.DrawLine(r.right - 1, r.bottom - 1, r.left, r.bottom - 1, kTodayFrame);
            canvas.DrawLine(r.left, r.bottom - 1, r.left, r.top, kTodayFrame);
        }
        canvas.SetFont(Font{font.name, font.height, date == date_, text});
        canvas.TextRect(r, std::to_string(day),
                        Canvas::TextOptions{HAlign::Center, VAlign::Middle, 0});
    }
    if (Focused()) {
        // The keyboard's place: a dotted frame just inside the selected day.
        const Rect r = DayRect(date_);
        for (int x = r.left + 2; x < r.right - 2; x += 2) {
            canvas.DrawLine(x, r.top + 2, x + 1, r.top + 2, colors::kWhite);
            canvas.DrawLine(x, r.bottom - 3, x + 1, r.bottom - 3, colors::kWhite);
        }
    }
}

void MonthCalendar::MouseDown(MouseButton button, ShiftState, int x, int y) {
    SetFocus();
    std::int32_t date = 0;
    if (button == MouseButton::Left && DayAt(x, y, date)) SetDate(date);
}

void MonthCalendar::KeyDown(int& key, ShiftState shift) {
    CustomControl::KeyDown(key, shift);
    const civil::YearMonthDay ymd = ToCivil(date_);
    switch (key) {
        case keys::kLeft:
            SetDate(date_ - 1);
            break;
        case keys::kRight:
            SetDate(date_ + 1);
            break;
        case keys::kUp:
            SetDate(date_ - kColumns);
            break;
        case keys::kDown:
            SetDate(date_ + kColumns);
            break;
        case keys::kPrior:
            StepMonths(shift.ctrl ? -12 : -1);
            break;
        case keys::kNext:
            StepMonths(shift.ctrl ? 12 : 1);
            break;
        case keys::kHome:
            SetDate(FromCivil(ymd.year, ymd.month, 1));
            break;
        case keys::kEnd:
            SetDate(FromCivil(ymd.year, ymd.month, DaysIn(ymd.year, ymd.month)));
            break;
        default:
            return;
    }
    key = 0;
}

}  // namespace pellino
