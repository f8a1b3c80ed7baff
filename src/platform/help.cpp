#include "platform/help.h"

namespace pellino {

namespace {

constexpr int kWindows95Family = 1;
// Windows Vista is the first version without the WinHelp engine.
constexpr int kFirstWithoutWinHelp = 6;

// The help file's name with its extension, if any, replaced by ".CHM".
std::string CompiledHtmlFile(const std::string& helpFile) {
    const std::size_t nameStart = helpFile.find_last_of("\\/:") + 1;  // npos + 1 is 0
    const std::size_t dot = helpFile.rfind('.');
    const std::size_t stem = dot == std::string::npos || dot < nameStart ? helpFile.size() : dot;
    return helpFile.substr(0, stem) + ".CHM";
}

}  // namespace

HelpEngine HelpEngineFor(const PlatformVersion& version) {
    if (version.platformId == kWindows95Family) return HelpEngine::WinHelp;
    return version.major < kFirstWithoutWinHelp ? HelpEngine::WinHelp : HelpEngine::HtmlHelp;
}

HelpRequest HelpRequestFor(const PlatformVersion& version, const std::string& helpFile,
                           int context) {
    HelpRequest request;
    request.engine = HelpEngineFor(version);
    request.context = context;
    if (request.engine == HelpEngine::WinHelp) {
        request.file = helpFile;
    } else {
        request.file = CompiledHtmlFile(helpFile);
        request.topic = request.file + "::/ctx" + std::to_string(context) + ".html";
    }
    return request;
}

}  // namespace pellino
