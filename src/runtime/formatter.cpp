// FormatDateTime: the runtime formatter's patterns under the locale set in force.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/civil.h"
#include "runtime/datetime.h"
#include "runtime/formats.h"

namespace pellino {

namespace {

// The short and long formats may themselves use "ddddd", "t" and the like; one level of such
// nesting is followed and no more, so a format that names itself cannot recurse without end.
constexpr int kMaxNesting = 2;

char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool startsWithNoCase(std::string_view text, std::size_t pos, std::string_view word) {
    if (pos > text.size() || text.size() - pos < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (upperAscii(text[pos + i]) != word[i]) return false;
    }
    return true;
}

void appendNumber(std::string& out, int number, std::size_t minDigits) {
    const std::string digits = std::to_string(number);
    if (digits.size() < minDigits) out.append(minDigits - digits.size(), '0');
    out += digits;
}

// Whether an hour element switches to the 12-hour clock: it does when the next letter "a" outside
// quotes, before any further hour element, starts an AM/PM element.
bool twelveHourAhead(std::string_view pattern, std::size_t pos) {
    bool quoted = false;
    for (std::size_t p = pos; p < pattern.size(); ++p) {
        const char c = pattern[p];
        if ((c == 'a' || c == 'A') && !quoted) {
            return startsWithNoCase(pattern, p, "AM/PM") || startsWithNoCase(pattern, p, "A/P") ||
                   startsWithNoCase(pattern, p, "AMPM");
        }
        if (c == 'h' || c == 'H') return false;
        if (c == '\'' || c == '"') quoted = !quoted;
    }
    return false;
}

class Formatter {
public:
    Formatter(const FormatSettings& settings, const DateFields& date, const TimeFields& time)
        : settings_(settings), date_(date), time_(time) {
        const std::int64_t days = civil::DaysFromCivil(date.year, static_cast<unsigned>(date.month),
                                                       static_cast<unsigned>(date.day));
        weekday_ = static_cast<int>(civil::WeekdayFromDays(days));
    }

    void append(std::string_view pattern, int level);
    std::string& text() { return out_; }

private:
    // Counts the run of the same character that starts just before pos and moves pos past it.
    static std::size_t takeRun(std::string_view pattern, std::size_t& pos, char starter) {
        std::size_t count = 1;
        while (pos < pattern.size() && pattern[pos] == starter) {
            ++pos;
            ++count;
        }
        return count;
    }

    void appendAmPm(std::string_view pattern, std::size_t& pos, char starter, bool& use12Hour);

    const FormatSettings& settings_;
    DateFields date_;
    TimeFields time_;
    int weekday_ = 0;
    std::string out_;
};

void Formatter::append(std::string_view pattern, int level) {
    if (level >= kMaxNesting) return;
    char lastToken = ' ';
    bool use12Hour = false;
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        const char starter = pattern[pos++];
        char token = upperAscii(starter);
        if (token >= 'A' && token <= 'Z') {
            // "m" directly after an hour element means minutes ("h:mm"); the separator between
            // them is not a letter and so does not count.
            if (token == 'M' && lastToken == 'H') token = 'N';
            lastToken = token;
        }
        switch (token) {
            case 'Y': {
                const std::size_t count = takeRun(pattern, pos, starter);
                if (count <= 2) {
                    appendNumber(out_, date_.year % 100, 2);
                } else {
                    appendNumber(out_, date_.year, 4);
                }
                break;
            }
            case 'M': {
                const std::size_t count = takeRun(pattern, pos, starter);
                if (count <= 2) {
                    appendNumber(out_, date_.month, count);
                } else if (count == 3) {
                    out_ += settings_.shortMonthNames[date_.month - 1];
                } else {
                    out_ += settings_.longMonthNames[date_.month - 1];
                }
                break;
            }
            case 'D': {
                const std::size_t count = takeRun(pattern, pos, starter);
                if (count <= 2) {
                    appendNumber(out_, date_.day, count);
                } else if (count == 3) {
                    out_ += settings_.shortDayNames[weekday_];
                } else if (count == 4) {
                    out_ += settings_.longDayNames[weekday_];
                } else if (count == 5) {
                    append(settings_.shortDateFormat, level + 1);
                } else {
                    append(settings_.longDateFormat, level + 1);
                }
                break;
            }
            case 'H': {
                const std::size_t count = takeRun(pattern, pos, starter);
                if (twelveHourAhead(pattern, pos)) use12Hour = true;
                int hour = time_.hour;
                if (use12Hour) {
                    if (hour == 0) {
                        hour = 12;
                    } else if (hour > 12) {
                        hour -= 12;
                    }
                }
                appendNumber(out_, hour, count > 2 ? 2 : count);
                break;
            }
            case 'N': {
                const std::size_t count = takeRun(pattern, pos, starter);
                appendNumber(out_, time_.minute, count > 2 ? 2 : count);
                break;
            }
            case 'S': {
                const std::size_t count = takeRun(pattern, pos, starter);
                appendNumber(out_, time_.second, count > 2 ? 2 : count);
                break;
            }
            case 'Z': {
                const std::size_t count = takeRun(pattern, pos, starter);
                appendNumber(out_, time_.millisecond, count > 3 ? 3 : count);
                break;
            }
            case 'T': {
                const std::size_t count = takeRun(pattern, pos, starter);
                append(count == 1 ? settings_.shortTimeFormat : settings_.longTimeFormat,
                       level + 1);
                break;
            }
            case 'C': {
                takeRun(pattern, pos, starter);
                append(settings_.shortDateFormat, level + 1);
                if (time_.hour != 0 || time_.minute != 0 || time_.second != 0) {
                    out_ += ' ';
                    append(settings_.longTimeFormat, level + 1);
                }
                break;
            }
            case 'A':
                appendAmPm(pattern, pos, starter, use12Hour);
                break;
            case '/':
                if (settings_.dateSeparator != '\0') out_ += settings_.dateSeparator;
                break;
            case ':':
                if (settings_.timeSeparator != '\0') out_ += settings_.timeSeparator;
                break;
            case '\'':
            case '"': {
                // Quoted text is copied up to the matching quote, or to the end when it is
                // missing.
                const std::size_t close = pattern.find(starter, pos);
                const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
                out_.append(pattern.substr(pos, end - pos));
                pos = close == std::string_view::npos ? end : close + 1;
                break;
            }
            default:
                out_ += starter;
                break;
        }
    }
}

// The elements that start with "a". "am/pm" and "a/p" copy their own letters, so the pattern
// chooses the case of the output; "AMPM" writes the texts of the set in force.
void Formatter::appendAmPm(std::string_view pattern, std::size_t& pos, char starter,
                           bool& use12Hour) {
    const std::size_t start = pos - 1;
    const bool afternoon = time_.hour >= 12;
    if (startsWithNoCase(pattern, start, "AM/PM")) {
        out_.append(pattern.substr(start + (afternoon ? 3 : 0), 2));
        pos = start + 5;
        use12Hour = true;
    } else if (startsWithNoCase(pattern, start, "A/P")) {
        out_ += pattern[start + (afternoon ? 2 : 0)];
        pos = start + 3;
        use12Hour = true;
    } else if (startsWithNoCase(pattern, start, "AMPM")) {
        out_ += afternoon ? settings_.timePMString : settings_.timeAMString;
        pos = start + 4;
        use12Hour = true;
    } else if (startsWithNoCase(pattern, start, "AAAA")) {
        out_ += settings_.longDayNames[weekday_];
        pos = start + 4;
    } else if (startsWithNoCase(pattern, start, "AAA")) {
        out_ += settings_.shortDayNames[weekday_];
        pos = start + 3;
    } else {
        out_ += starter;
    }
}

}  // namespace

std::string FormatDateTime(std::string_view pattern, TDateTime value) {
    DateFields date;
    TimeFields time;
    DecodeDateTime(value, date, time);
    Formatter formatter(CurrentFormats(), date, time);
    // An empty pattern shows the date, and the time when it is not midnight.
    formatter.append(pattern.empty() ? std::string_view("c") : pattern, 0);
    return std::move(formatter.text());
}

}  // namespace pellino
