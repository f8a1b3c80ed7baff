#pragma once

#include <string>

namespace pellino {

// Asks the platform's help engine to show the topic with this context number of a help file. A
// missing file or topic is the engine's to report; the program shows nothing of its own.
void ShowHelpContext(const std::string& helpFile, int context);

}  // namespace pellino
