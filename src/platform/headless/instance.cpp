#include "platform/instance.h"

#include <map>
#include <set>
#include <vector>

#include "platform/application.h"
#include "platform/backend.h"
#include "platform/form.h"
#include "platform/headless/testing.h"

namespace pellino {

namespace {

// The mutex names held now, by this program's copies and by the ones a test says are running.
std::set<std::string>& Held() {
    static std::set<std::string> names;
    return names;
}

std::vector<std::string>& Requests() {
    static std::vector<std::string> requests;
    return requests;
}

}  // namespace

unsigned ComeForwardMessage(const std::string& mutexName) {
    // The platform hands out such numbers from 0xC000 up, one for each name.
    static std::map<std::string, unsigned> numbers;
    const auto next = 0xC000u + static_cast<unsigned>(numbers.size());
    return numbers.try_emplace(mutexName, next).first->second;
}

bool PostToRunningCopy(const std::string& className, const std::string& caption, unsigned message) {
    Requests().push_back(className + "|" + caption + "|" + std::to_string(message));
    // In a test process the running copy is the program whose main form is there.
    Form* main = Application::MainForm();
    if (!main || main->ClassName() != className || main->Caption() != caption) return false;
    backend::PostFormMessage(*main, message);
    return true;
}

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

const std::vector<std::string>& RunningCopyRequests() {
    return Requests();
}

void ResetInstances() {
    Held().clear();
    Requests().clear();
}

}  // namespace headless

}  // namespace pellino
