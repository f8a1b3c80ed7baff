#pragma once

#include <string>

namespace pellino {

// The platform's file-open dialog, made by the command that needs it for one use. The filter is a
// list of "description|pattern" pairs separated by "|" ("WAV Files|*.WAV"). Execute shows the
// dialog modally; when the user picks a file it returns true and FileName holds the file's full
// path; when the user cancels it returns false and FileName keeps its value.
class OpenDialog {
public:
    const std::string& Filter() const { return filter_; }
    void SetFilter(std::string filter) { filter_ = std::move(filter); }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string name) { fileName_ = std::move(name); }
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(std::string folder) { initialDir_ = std::move(folder); }
    // Added to a typed name without an extension ("dat", without the dot).
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(std::string extension) { defaultExt_ = std::move(extension); }

    bool Execute();

private:
    std::string filter_;
    std::string fileName_;
    std::string initialDir_;
    std::string defaultExt_;
};

}  // namespace pellino
