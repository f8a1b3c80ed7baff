#include "platform/graphics.h"

namespace pellino {

std::string WithoutAccelerators(const std::string& caption, int* underlined) {
    std::string shown;
    shown.reserve(caption.size());
    int marked = -1;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            shown += caption[i];
            continue;
        }
        // A doubled '&' is the character itself; a single one marks the next character, and
        // the first letter so marked is the accelerator.
        if (i + 1 < caption.size() && caption[i + 1] == '&') {
            shown += '&';
            ++i;
        } else if (i + 1 < caption.size() && marked < 0) {
            marked = static_cast<int>(shown.size());
        }
    }
    if (underlined) *underlined = marked;
    return shown;
}

}  // namespace pellino
