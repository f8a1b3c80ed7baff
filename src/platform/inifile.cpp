#include "platform/inifile.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace pellino {

namespace {

// The platform counts the end-of-file mark (Ctrl+Z) of old text files as a blank too.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// A value that starts and ends with the same quote character is read without the pair.
std::string Unquoted(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument doc;
    doc.sections_.push_back(Section{});
    std::size_t start = 0;
    while (start < bytes.size()) {
        // A file without line feeds may still break its lines with carriage returns.
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.find('\r', start);
        end = end == std::string_view::npos ? bytes.size() : end + 1;
        const std::string_view line = Trim(bytes.substr(start, end - start));
        start = end;
        if (line.empty()) continue;
        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                doc.sections_.push_back(Section{std::string(Trim(line.substr(1, close - 1))), {}});
                continue;
            }
            // A header without its "]" is kept as a line of the section before it.
        }
        Entry entry;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            entry.name = std::string(line);
        } else {
            entry.name = std::string(Trim(line.substr(0, equals)));
            entry.value = std::string(Trim(line.substr(equals + 1)));
        }
        doc.sections_.back().entries.push_back(std::move(entry));
    }
    return doc;
}

std::string IniDocument::Serialize() const {
    std::string out;
    for (const Section& section : sections_) {
        if (!section.name.empty()) out += "[" + section.name + "]\r\n";
        for (const Entry& entry : section.entries) {
            out += entry.name;
            if (entry.value) out += "=" + *entry.value;
            out += "\r\n";
        }
    }
    return out;
}

IniDocument IniDocument::Load(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) return Parse({});
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return Parse(bytes);
}

bool IniDocument::SaveTo(const std::string& hostPath) const {
    std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const std::string bytes = Serialize();
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

// The lines before the first header make the section with the empty name.
IniDocument::Section* IniDocument::FindSection(std::string_view name) {
    const std::string_view wanted = Trim(name);
    for (Section& section : sections_) {
        if (SameName(section.name, wanted)) return &section;
    }
    return nullptr;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    return const_cast<IniDocument*>(this)->FindSection(name);
}

std::optional<std::string> IniDocument::Read(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    if (!found) return std::nullopt;
    const std::string_view wanted = Trim(key);
    for (const Entry& entry : found->entries) {
        if (!SameName(entry.name, wanted)) continue;
        if (!entry.value) return std::nullopt;
        return Unquoted(*entry.value);
    }
    return std::nullopt;
}

bool IniDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
    while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
    Section* target = FindSection(section);
    if (!target) {
        if (sections_.empty()) sections_.push_back(Section{});
        sections_.push_back(Section{std::string(Trim(section)), {}});
        target = &sections_.back();
    }
    const std::string_view wanted = Trim(key);
    for (Entry& entry : target->entries) {
        if (!SameName(entry.name, wanted)) continue;
        if (entry.value && *entry.value == value) return false;
        entry.value = std::string(value);
        return true;
    }
    target->entries.push_back(Entry{std::string(wanted), std::string(value)});
    return true;
}

}  // namespace pellino
