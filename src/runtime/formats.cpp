// The two locale sets: the user's regional settings as kept at start-up, and the fixed five values
// that the program reads and writes its own texts with.

#include "runtime/formats.h"

#include <string>
#include <string_view>

#include "platform/regional.h"

namespace pellino {

namespace {

// The five values that are switched between the two sets.
struct SwitchedFive {
    std::string shortDateFormat;
    char dateSeparator = '/';
    char timeSeparator = ':';
    std::string timeAMString;
    std::string timePMString;
};

SwitchedFive fixedFive() {
    return {"mm/dd/yyyy", '/', ':', "AM", "PM"};
}

struct LocaleState {
    FormatSettings current;           // the set in force
    SwitchedFive user = fixedFive();  // the user's five; the fixed ones until they are saved
    bool userInForce = false;
};

LocaleState& state() {
    static LocaleState instance;
    return instance;
}

void install(const SwitchedFive& five) {
    FormatSettings& s = state().current;
    s.shortDateFormat = five.shortDateFormat;
    s.dateSeparator = five.dateSeparator;
    s.timeSeparator = five.timeSeparator;
    s.timeAMString = five.timeAMString;
    s.timePMString = five.timePMString;
}

// The platform gives separators as texts; the formatter and the parsers use one character, the
// first, as the platform itself does. An empty text keeps the usual character.
char separatorOf(const std::string& text, char fallback) {
    return text.empty() ? fallback : text[0];
}

// Writes literal text so that the formatter copies it unchanged: in double quotes, with any double
// quote of its own written in single quotes.
void appendLiteral(std::string& out, std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t quote = text.find('"', start);
        const std::string_view run = text.substr(start, quote - start);
        if (!run.empty()) out.append("\"").append(run).append("\"");
        if (quote == std::string_view::npos) break;
        out.append("'\"'");
        start = quote + 1;
    }
}

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Turns a picture of the platform's notation into a formatter pattern. The platform's letters are
// case-sensitive ("M" month, "m" minutes, "H" 24-hour, "tt" the AM/PM designator) while the
// formatter's are not, so each element is spelled out in the formatter's own letters; every other
// letter is literal on the platform and is quoted so the formatter does not read it as an element.
std::string patternFromPicture(std::string_view picture) {
    std::string out;
    std::size_t i = 0;
    while (i < picture.size()) {
        const char c = picture[i];
        if (c == '\'') {
            // Quoted text, in which two single quotes stand for one.
            std::string literal;
            ++i;
            while (i < picture.size()) {
                if (picture[i] == '\'') {
                    if (i + 1 < picture.size() && picture[i + 1] == '\'') {
                        literal += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                literal += picture[i++];
            }
            appendLiteral(out, literal);
            continue;
        }
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c) ++run;
        switch (c) {
            case 'd':
            case 'y':
                out.append(run, c);
                break;
            case 'M':
                out.append(run, 'm');
                break;
            case 'h':
            case 'H':
                out.append(run, 'h');
                break;
            case 'm':
                // Minutes are written with the formatter's own minute letter, so they never depend
                // on standing right after an hour.
                out.append(run, 'n');
                break;
            case 's':
                out.append(run, 's');
                break;
            case 't':
                out.append("AMPM");
                break;
            case 'g':
                // The era ("A.D.") is not shown by the formatter; the Gregorian calendar needs
                // none.
                break;
            case '"':
                appendLiteral(out, picture.substr(i, run));
                break;
            default:
                if (isAsciiLetter(c)) {
                    appendLiteral(out, picture.substr(i, run));
                } else {
                    out.append(run, c);
                }
                break;
        }
        i += run;
    }
    return out;
}

// The time formats are built from the hour settings rather than copied, so that they always use
// the time separator and the AM and PM texts of the set in force.
std::string timeFormat(const RegionalSettings& regional, bool withSeconds) {
    std::string format = regional.hourLeadingZero ? "hh" : "h";
    format += withSeconds ? ":mm:ss" : ":mm";
    if (!regional.clock24) format += " AMPM";
    return format;
}

}  // namespace

const FormatSettings& CurrentFormats() {
    return state().current;
}

void SaveUserFormats() {
    const RegionalSettings regional = ReadRegionalSettings();
    LocaleState& s = state();
    s.user = {patternFromPicture(regional.shortDateFormat),
              separatorOf(regional.dateSeparator, '/'), separatorOf(regional.timeSeparator, ':'),
              regional.amText, regional.pmText};
    FormatSettings& f = s.current;
    f.longDateFormat = patternFromPicture(regional.longDateFormat);
    f.shortTimeFormat = timeFormat(regional, false);
    f.longTimeFormat = timeFormat(regional, true);
    f.shortMonthNames = regional.shortMonthNames;
    f.longMonthNames = regional.longMonthNames;
    f.shortDayNames = regional.shortDayNames;
    f.longDayNames = regional.longDayNames;
    // Whichever set is in force stays in force; if it is the user's, it takes the new values.
    install(s.userInForce ? s.user : fixedFive());
}

void UseFixedFormats() {
    install(fixedFive());
    state().userInForce = false;
}

void UseUserFormats() {
    install(state().user);
    state().userInForce = true;
}

}  // namespace pellino
