// Reading time and date texts back under the locale set in force.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "runtime/datetime.h"
#include "runtime/errors.h"
#include "runtime/formats.h"
#include "runtime/strings.h"

namespace pellino {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Reads the elements of a text from left to right. Every element may be preceded by blanks.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    void blanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    }

    // Digits are taken while the value so far is below 1000, so the value always fits and an
    // overlong number leaves digits behind that make the text fail.
    bool number(int& value, int& digitCount) {
        blanks();
        std::size_t end = pos_;
        int n = 0;
        while (end < text_.size() && text_[end] >= '0' && text_[end] <= '9' && n < 1000) {
            n = n * 10 + (text_[end] - '0');
            ++end;
        }
        if (end == pos_) return false;
        digitCount = static_cast<int>(end - pos_);
        pos_ = end;
        value = n;
        return true;
    }

    bool character(char c) {
        blanks();
        if (c == '\0' || pos_ >= text_.size() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }

    // An empty word never matches: a 24-hour locale may have no AM and PM texts.
    bool word(std::string_view w) {
        if (w.empty()) return false;
        blanks();
        if (text_.size() - pos_ < w.size()) return false;
        for (std::size_t i = 0; i < w.size(); ++i) {
            if (upperAscii(text_[pos_ + i]) != upperAscii(w[i])) return false;
        }
        pos_ += w.size();
        return true;
    }

    bool atEnd() const { return pos_ >= text_.size(); }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

struct ParsedTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

bool scanTime(std::string_view text, const FormatSettings& settings, ParsedTime& out) {
    Scanner scan(text);
    ParsedTime t;
    int digits = 0;
    if (!scan.number(t.hour, digits)) return false;
    if (scan.character(settings.timeSeparator) && !scan.number(t.minute, digits)) return false;
    if (scan.character(settings.timeSeparator) && !scan.number(t.second, digits)) return false;
    int base = -1;
    if (scan.word(settings.timeAMString) || scan.word("AM")) {
        base = 0;
    } else if (scan.word(settings.timePMString) || scan.word("PM")) {
        base = 12;
    }
    if (base >= 0) {
        // With a designator the hour is on the 12-hour clock, where 12 is the first hour.
        if (t.hour < 1 || t.hour > 12) return false;
        t.hour = (t.hour == 12 ? 0 : t.hour) + base;
    }
    scan.blanks();
    if (!scan.atEnd()) return false;
    out = t;
    return true;
}

enum class DateOrder { kMonthDayYear, kDayMonthYear, kYearMonthDay };

// The order of the numbers is the order of the first day, month or year letter of the short date
// format.
DateOrder dateOrderOf(std::string_view format) {
    for (const char c : format) {
        switch (upperAscii(c)) {
            case 'Y':
                return DateOrder::kYearMonthDay;
            case 'M':
                return DateOrder::kMonthDayYear;
            case 'D':
                return DateOrder::kDayMonthYear;
            default:
                break;
        }
    }
    return DateOrder::kMonthDayYear;
}

bool scanDate(std::string_view text, const FormatSettings& settings, DateFields& out) {
    Scanner scan(text);
    const DateOrder order = dateOrderOf(settings.shortDateFormat);
    const char separator = settings.dateSeparator;
    int n1 = 0, n2 = 0, n3 = 0, len1 = 0, len2 = 0, len3 = 0;
    if (!(scan.number(n1, len1) && scan.character(separator) && scan.number(n2, len2))) {
        return false;
    }
    DateFields date;
    const int currentYear = NowLocal().year;
    if (scan.character(separator)) {
        if (!scan.number(n3, len3)) return false;
        int yearLength = len3;
        switch (order) {
            case DateOrder::kMonthDayYear:
                date = {n3, n1, n2};
                break;
            case DateOrder::kDayMonthYear:
                date = {n3, n2, n1};
                break;
            case DateOrder::kYearMonthDay:
                date = {n1, n2, n3};
                yearLength = len1;
                break;
        }
        // A year of one or two digits is in the current century.
        if (yearLength <= 2) date.year += currentYear / 100 * 100;
    } else {
        // Without a year the date is in the current year; day and month keep their order.
        date.year = currentYear;
        if (order == DateOrder::kDayMonthYear) {
            date.day = n1;
            date.month = n2;
        } else {
            date.month = n1;
            date.day = n2;
        }
    }
    // One separator may close the date ("4.3.1998."), as some regional forms write it.
    scan.character(separator);
    scan.blanks();
    if (!scan.atEnd()) return false;
    out = date;
    return true;
}

}  // namespace

bool TryStrToTime(std::string_view text, TDateTime& result) {
    ParsedTime t;
    if (!scanTime(UpperCase(text), CurrentFormats(), t)) return false;
    return TryEncodeTime(t.hour, t.minute, t.second, 0, result);
}

bool IsValidTime(std::string_view text) {
    TDateTime ignored = 0;
    return TryStrToTime(text, ignored);
}

TDateTime StrToTime(std::string_view text) {
    TDateTime result = 0;
    if (!TryStrToTime(text, result)) {
        throw EConvertError("'" + std::string(text) + "' is not a valid time");
    }
    return result;
}

bool TryStrToDate(std::string_view text, TDateTime& result) {
    DateFields date;
    if (!scanDate(text, CurrentFormats(), date)) return false;
    return TryEncodeDate(date.year, date.month, date.day, result);
}

bool IsValidDate(std::string_view text) {
    TDateTime ignored = 0;
    return TryStrToDate(text, ignored);
}

TDateTime StrToDate(std::string_view text) {
    TDateTime result = 0;
    if (!TryStrToDate(text, result)) {
        throw EConvertError("'" + std::string(text) + "' is not a valid date");
    }
    return result;
}

std::optional<std::uint32_t> TryHexToBits(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0 || value > 0x0FFFFFFFu) return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
}

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::uint32_t magnitude = 0;
    if (!text.empty() && text.front() == '$') {
        const auto bits = TryHexToBits(text.substr(1));
        if (!bits) return std::nullopt;
        magnitude = *bits;
    } else {
        if (text.empty()) return std::nullopt;
        // [0, 2147483648]: one past the largest int, which only a minus sign makes valid.
        std::int64_t value = 0;
        for (char c : text) {
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + (c - '0');
            if (value > 2147483648LL) return std::nullopt;
        }
        if (value == 2147483648LL && !negative) return std::nullopt;
        magnitude = static_cast<std::uint32_t>(value);
    }
    // Hexadecimal values wrap to the int of the same bits, as the runtime's reader does.
    if (negative) magnitude = 0u - magnitude;
    return static_cast<std::int32_t>(magnitude);
}

}  // namespace pellino
