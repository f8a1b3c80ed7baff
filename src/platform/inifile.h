#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellino {

// A private profile file held in memory, read and written in the platform's own text format, for
// the places where the platform's private-profile operations are not available. It follows the
// platform's rules: blank lines are dropped, lines, section names and key names are trimmed, a
// key's text is trimmed and loses one pair of surrounding quotes, names are compared without
// regard to case, the first section of a name is the one that counts (the lines before the first
// header make the section with the empty name), and new sections and keys go to the end. Lines
// that are neither a section header nor a key (comments) are kept as they are.
class IniDocument {
public:
    // Reads the bytes of a file; any bytes make a document.
    static IniDocument Parse(std::string_view bytes);
    // The file's bytes: "[section]" headers and "key=value" lines, each ended by CR LF.
    std::string Serialize() const;

    // The file at a host path; an empty document when it is missing or cannot be read.
    static IniDocument Load(const std::string& hostPath);
    // Writes the whole file at a host path, creating it when missing. False when it cannot be
    // written.
    bool SaveTo(const std::string& hostPath) const;

    // The key's text as a reader sees it, or nothing when the section or the key is missing.
    std::optional<std::string> Read(std::string_view section, std::string_view key) const;
    // Sets the key's value (blanks at its start dropped). False when nothing changed.
    bool Write(std::string_view section, std::string_view key, std::string_view value);

private:
    struct Entry {
        std::string name;
        std::optional<std::string> value;  // none: a line without "=" such as a comment
    };
    struct Section {
        std::string name;  // empty for the lines before the first section header
        std::vector<Entry> entries;
    };

    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;

    std::vector<Section> sections_;
};

}  // namespace pellino
