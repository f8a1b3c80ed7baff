#pragma once

#include <string>

#include "platform/system.h"

namespace pellino {

// The two help engines the program's platforms have. WinHelp shows the .HLP file; the newer
// systems dropped it (asked for a topic, they answer with a message about a missing feature) and
// have HTML Help instead, which shows the same topics from the compiled .CHM file beside it.
enum class HelpEngine { WinHelp, HtmlHelp };

// WinHelp on the Windows 95 family and on the NT family before version 6; HTML Help from then on.
HelpEngine HelpEngineFor(const PlatformVersion& version);

// What one request for a topic asks of an engine: for WinHelp the help file and the context
// number; for HTML Help the compiled file beside it (the same name, extension .CHM) and the path of
// the topic inside it, "ctx" and the context number, as the help build names its topic pages.
struct HelpRequest {
    HelpEngine engine = HelpEngine::WinHelp;
    std::string file;
    int context = 0;
    std::string topic;  // HTML Help only: "<file>::/ctx<number>.html"
};
HelpRequest HelpRequestFor(const PlatformVersion& version, const std::string& helpFile,
                           int context);

// Asks the platform's help engine to show the topic with this context number of a help file. A
// missing file or topic is the engine's to report; the program shows nothing of its own.
void ShowHelpContext(const std::string& helpFile, int context);

// Closes the help windows that the program opened, as it ends.
void CloseHelp(const std::string& helpFile);

}  // namespace pellino
