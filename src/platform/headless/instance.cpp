#include "platform/instance.h"

#include <set>

#include "platform/headless/testing.h"

namespace pellino {

namespace {

// The mutex names held now, by this program's copies and by the ones a test says are running.
std::set<std::string>& Held() {
    static std::set<std::string> names;
    return names;
}

}  // namespace

InstanceMutex::InstanceMutex(const std::string& name) : name_(name) {
    if (!Held().insert(name).second) {
        anotherCopy_ = true;
        return;
    }
    handle_ = this;
}

InstanceMutex::~InstanceMutex() {
    if (handle_) Held().erase(name_);
}

namespace headless {

void SetOtherCopyRunning(const std::string& mutexName, bool running) {
    if (running) {
        Held().insert(mutexName);
    } else {
        Held().erase(mutexName);
    }
}

void ResetInstances() {
    Held().clear();
}

}  // namespace headless

}  // namespace pellino
