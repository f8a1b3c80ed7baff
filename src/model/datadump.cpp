#include "model/datadump.h"

#include <array>
#include <charconv>
#include <limits>
#include <system_error>
#include <variant>

#include "model/stream.h"
#include "runtime/errors.h"

namespace pellino {

namespace {

// ---- The twelve values of a record, in file order ----

using FieldMember =
    std::variant<std::uint8_t TReminder::*, std::int32_t TReminder::*, TDateTime TReminder::*,
                 bool TReminder::*, std::string TReminder::*>;

struct RecordField {
    std::string_view name;
    FieldMember member;
};

const std::array<RecordField, 12> kRecordFields = {{
    {"Kind", &TReminder::Kind},
    {"NotifyMode", &TReminder::NotifyMode},
    {"DueDateTime", &TReminder::DueDateTime},
    {"FirstTime", &TReminder::FirstTime},
    {"StopTime", &TReminder::StopTime},
    {"HasUntil", &TReminder::HasUntil},
    {"Description", &TReminder::Description},
    {"SoundFile", &TReminder::SoundFile},
    {"DaySet", &TReminder::DaySet},
    {"IntervalMinutes", &TReminder::IntervalMinutes},
    {"Status", &TReminder::Status},
    {"ReservedFlag", &TReminder::ReservedFlag},
}};

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
// Spelled out for compilers that do not deduce an aggregate's arguments yet.
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

constexpr std::string_view kOneTimeName = "one-time";
constexpr std::string_view kRepeatingName = "repeating";

// ---- Writing the text form ----

void appendFloat(std::string& out, double value) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 17);
    out.append(text, result.ptr);
}

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        switch (ch) {
            case '"':
                out += "\\\"";
                continue;
            case '\\':
                out += "\\\\";
                continue;
            case '\n':
                out += "\\n";
                continue;
            case '\r':
                out += "\\r";
                continue;
            case '\t':
                out += "\\t";
                continue;
            default:
                break;
        }
        if (byte < 32 || byte > 126) {
            // Three octal digits always, so the escape never runs into a digit that follows.
            out += '\\';
            out += static_cast<char>('0' + (byte >> 6));
            out += static_cast<char>('0' + ((byte >> 3) & 7));
            out += static_cast<char>('0' + (byte & 7));
        } else {
            out += ch;
        }
    }
    out += '"';
}

void appendRecord(std::string& out, const TReminder& reminder) {
    out += "record";
    for (const RecordField& field : kRecordFields) {
        out += ' ';
        out += field.name;
        out += '=';
        std::visit(Overloaded{
                       [&](std::uint8_t TReminder::*m) { out += std::to_string(reminder.*m); },
                       [&](std::int32_t TReminder::*m) { out += std::to_string(reminder.*m); },
                       [&](TDateTime TReminder::*m) { appendFloat(out, reminder.*m); },
                       [&](bool TReminder::*m) { out += reminder.*m ? "true" : "false"; },
                       [&](std::string TReminder::*m) { appendQuoted(out, reminder.*m); },
                   },
                   field.member);
    }
    out += '\n';
}

void appendList(std::string& out, const DataFileReading& reading, bool repeating) {
    const std::vector<TReminder>& list =
        repeating ? reading.contents.repeating : reading.contents.oneTime;
    out += "list ";
    out += repeating ? kRepeatingName : kOneTimeName;
    out += '\n';
    for (std::size_t i = 0; i < list.size(); ++i) {
        appendRecord(out, list[i]);
        for (const DamagedRecord& damaged : reading.damaged) {
            if (damaged.repeating == repeating && damaged.index == i) {
                out += "# this record stopped at byte " + std::to_string(damaged.stop.offset) +
                       ": " + damaged.stop.message + "\n";
            }
        }
    }
    const DataFileStage done =
        repeating ? DataFileStage::RepeatingDone : DataFileStage::OneTimeDone;
    if (reading.stage >= done) out += "end\n";
}

// ---- Reading the text form ----

// One line of the text form, taken apart from left to right.
class LineCursor {
public:
    LineCursor(std::string_view text, int lineNumber) : rest_(text), lineNumber_(lineNumber) {}

    [[noreturn]] void fail(const std::string& what) const {
        throw DumpSyntaxError("line " + std::to_string(lineNumber_) + ": " + what);
    }

    bool atEnd() {
        skipBlanks();
        return rest_.empty();
    }

    // A word ends at a blank or at '='.
    std::string_view word() {
        skipBlanks();
        std::size_t n = 0;
        while (n < rest_.size() && rest_[n] != ' ' && rest_[n] != '\t' && rest_[n] != '=') ++n;
        const std::string_view w = rest_.substr(0, n);
        rest_.remove_prefix(n);
        return w;
    }

    // name=value; the value is quoted text or runs to the next blank.
    std::pair<std::string_view, std::string> pair() {
        const std::string_view name = word();
        if (name.empty() || rest_.empty() || rest_.front() != '=') fail("expected name=value");
        rest_.remove_prefix(1);
        if (!rest_.empty() && rest_.front() == '"') return {name, quoted()};
        std::size_t n = 0;
        while (n < rest_.size() && rest_[n] != ' ' && rest_[n] != '\t') ++n;
        std::string value(rest_.substr(0, n));
        rest_.remove_prefix(n);
        return {name, value};
    }

    std::int64_t integer(std::string_view name, const std::string& text, std::int64_t low,
                         std::int64_t high) const {
        std::int64_t value = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        if (result.ec != std::errc() || result.ptr != text.data() + text.size() || value < low ||
            value > high) {
            fail(std::string(name) + " must be a whole number from " + std::to_string(low) +
                 " to " + std::to_string(high));
        }
        return value;
    }

    double real(std::string_view name, const std::string& text) const {
        double value = 0;
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        // A number too large or too small for a double is refused rather than rounded.
        if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
            fail(std::string(name) + " must be a number");
        }
        return value;
    }

    bool boolean(std::string_view name, const std::string& text) const {
        if (text == "true") return true;
        if (text == "false") return false;
        fail(std::string(name) + " must be true or false");
    }

private:
    void skipBlanks() {
        while (!rest_.empty() && (rest_.front() == ' ' || rest_.front() == '\t')) {
            rest_.remove_prefix(1);
        }
    }

    static int digitValue(char ch, int base) {
        int v = -1;
        if (ch >= '0' && ch <= '9') v = ch - '0';
        if (ch >= 'a' && ch <= 'f') v = ch - 'a' + 10;
        if (ch >= 'A' && ch <= 'F') v = ch - 'A' + 10;
        return v < base ? v : -1;
    }

    // The C escapes: the named ones, up to three octal digits, "\x" and up to two hex digits.
    std::string quoted() {
        rest_.remove_prefix(1);
        std::string text;
        while (true) {
            if (rest_.empty()) fail("text without its closing quote");
            const char ch = rest_.front();
            rest_.remove_prefix(1);
            if (ch == '"') return text;
            if (ch != '\\') {
                text += ch;
                continue;
            }
            if (rest_.empty()) fail("text without its closing quote");
            const char e = rest_.front();
            rest_.remove_prefix(1);
            switch (e) {
                case 'a':
                    text += '\a';
                    continue;
                case 'b':
                    text += '\b';
                    continue;
                case 'f':
                    text += '\f';
                    continue;
                case 'n':
                    text += '\n';
                    continue;
                case 'r':
                    text += '\r';
                    continue;
                case 't':
                    text += '\t';
                    continue;
                case 'v':
                    text += '\v';
                    continue;
                case '\\':
                case '"':
                case '\'':
                case '?':
                    text += e;
                    continue;
                default:
                    break;
            }
            int value = 0;
            int digits = 0;
            if (e == 'x') {
                while (digits < 2 && !rest_.empty() && digitValue(rest_.front(), 16) >= 0) {
                    value = value * 16 + digitValue(rest_.front(), 16);
                    rest_.remove_prefix(1);
                    ++digits;
                }
            } else if (digitValue(e, 8) >= 0) {
                value = digitValue(e, 8);
                digits = 1;
                while (digits < 3 && !rest_.empty() && digitValue(rest_.front(), 8) >= 0) {
                    value = value * 8 + digitValue(rest_.front(), 8);
                    rest_.remove_prefix(1);
                    ++digits;
                }
            }
            if (digits == 0 || value > 255) fail(std::string("unknown escape \\") + e);
            text += static_cast<char>(value);
        }
    }

    std::string_view rest_;
    int lineNumber_;
};

TReminder parseRecord(LineCursor& cursor) {
    TReminder reminder;
    std::array<bool, kRecordFields.size()> seen{};
    while (!cursor.atEnd()) {
        // Named variables rather than a structured binding: not every compiler lets a lambda
        // capture one yet.
        const auto pair = cursor.pair();
        const std::string_view name = pair.first;
        const std::string& text = pair.second;
        std::size_t i = 0;
        while (i < kRecordFields.size() && kRecordFields[i].name != name) ++i;
        if (i == kRecordFields.size()) cursor.fail("unknown value " + std::string(name));
        if (seen[i]) cursor.fail(std::string(name) + " given twice");
        seen[i] = true;
        std::visit(Overloaded{
                       [&](std::uint8_t TReminder::*m) {
                           reminder.*m =
                               static_cast<std::uint8_t>(cursor.integer(name, text, 0, 255));
                       },
                       [&](std::int32_t TReminder::*m) {
                           reminder.*m = static_cast<std::int32_t>(
                               cursor.integer(name, text, std::numeric_limits<std::int32_t>::min(),
                                              std::numeric_limits<std::int32_t>::max()));
                       },
                       [&](TDateTime TReminder::*m) { reminder.*m = cursor.real(name, text); },
                       [&](bool TReminder::*m) { reminder.*m = cursor.boolean(name, text); },
                       [&](std::string TReminder::*m) { reminder.*m = text; },
                   },
                   kRecordFields[i].member);
    }
    return reminder;
}

void parseHeader(LineCursor& cursor, DataFileContents& contents) {
    while (!cursor.atEnd()) {
        // Named variables rather than a structured binding: not every compiler lets a lambda
        // capture one yet.
        const auto pair = cursor.pair();
        const std::string_view name = pair.first;
        const std::string& text = pair.second;
        if (name == "integer") {
            contents.headerInteger = static_cast<std::int32_t>(
                cursor.integer(name, text, std::numeric_limits<std::int32_t>::min(),
                               std::numeric_limits<std::int32_t>::max()));
        } else if (name == "float") {
            contents.headerFloat = cursor.real(name, text);
        } else {
            cursor.fail("unknown header value " + std::string(name));
        }
    }
}

}  // namespace

std::string formatReadOutcome(const DataFileReading& reading) {
    if (reading.stop) {
        return "# stopped at byte " + std::to_string(reading.stop->offset) + ": " +
               reading.stop->message;
    }
    std::string line;
    if (reading.endOffset != reading.size) {
        line = "# the lists end at byte " + std::to_string(reading.endOffset) + ", " +
               std::to_string(reading.size - reading.endOffset) +
               " bytes before the end of the file";
    } else {
        line = "# read to the end (" + std::to_string(reading.size) + " bytes)";
    }
    if (!reading.damaged.empty()) {
        line += ", " + std::to_string(reading.damaged.size()) +
                (reading.damaged.size() == 1 ? " damaged record" : " damaged records");
    }
    return line;
}

std::string formatDump(const DataFileReading& reading) {
    std::string out;
    const DataFileContents& contents = reading.contents;
    if (reading.stage >= DataFileStage::HeaderBegun) {
        out += "header";
        if (reading.stage >= DataFileStage::HeaderInteger) {
            out += " integer=" + std::to_string(contents.headerInteger);
        }
        if (reading.stage >= DataFileStage::HeaderFloat) {
            out += " float=";
            appendFloat(out, contents.headerFloat);
        }
        out += '\n';
    }
    if (reading.stage >= DataFileStage::OneTimeBegun) appendList(out, reading, false);
    if (reading.stage >= DataFileStage::RepeatingBegun) appendList(out, reading, true);
    out += formatReadOutcome(reading);
    out += '\n';
    return out;
}

DataFileContents parseDump(std::string_view text) {
    enum class Place { Start, AfterHeader, InOneTime, AfterOneTime, InRepeating, Done };
    DataFileContents contents;
    Place place = Place::Start;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t lineEnd = text.find('\n');
        std::string_view line = text.substr(0, lineEnd);
        text.remove_prefix(lineEnd == std::string_view::npos ? text.size() : lineEnd + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        LineCursor cursor(line, lineNumber);
        if (cursor.atEnd()) continue;
        const std::string_view keyword = cursor.word();
        if (keyword.empty()) cursor.fail("a line must start with a word, not '='");
        if (keyword.starts_with('#')) continue;

        if (keyword == "header") {
            if (place != Place::Start) cursor.fail("the header must come first");
            parseHeader(cursor, contents);
            place = Place::AfterHeader;
        } else if (keyword == "list") {
            const std::string_view name = cursor.word();
            if (name == kOneTimeName && place <= Place::AfterHeader) {
                place = Place::InOneTime;
            } else if (name == kRepeatingName && place <= Place::AfterOneTime &&
                       place != Place::InOneTime) {
                place = Place::InRepeating;
            } else {
                cursor.fail("list " + std::string(name) +
                            " out of place: the one-time list comes first, then the repeating one");
            }
        } else if (keyword == "end") {
            if (place == Place::InOneTime) {
                place = Place::AfterOneTime;
            } else if (place == Place::InRepeating) {
                place = Place::Done;
            } else {
                cursor.fail("end outside a list");
            }
        } else if (keyword == "record") {
            if (place == Place::InOneTime) {
                contents.oneTime.push_back(parseRecord(cursor));
            } else if (place == Place::InRepeating) {
                contents.repeating.push_back(parseRecord(cursor));
            } else {
                cursor.fail("record outside a list");
            }
        } else {
            cursor.fail("unknown line " + std::string(keyword));
        }
        if (!cursor.atEnd()) cursor.fail("unexpected text after " + std::string(keyword));
    }
    return contents;
}

}  // namespace pellino
