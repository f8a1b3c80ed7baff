#include "platform/instance.h"

namespace pellino {

std::string InstanceMutexName(const std::string& programPath) {
    const std::size_t cut = programPath.find_last_of("\\:");
    return cut == std::string::npos ? programPath : programPath.substr(cut + 1);
}

}  // namespace pellino
