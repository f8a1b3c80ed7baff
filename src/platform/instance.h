#pragma once

#include <memory>
#include <string>

namespace pellino {

// The platform's named mutex that marks a running copy of the program. Made at process start and
// kept until the process ends; a copy that finds the mutex there already is the second one.
class InstanceMutex {
public:
    // Creates (and owns) the mutex of that name, or finds it made by another process.
    explicit InstanceMutex(const std::string& name);
    ~InstanceMutex();
    InstanceMutex(const InstanceMutex&) = delete;
    InstanceMutex& operator=(const InstanceMutex&) = delete;

    // True when another process had made the mutex first; this copy then holds no handle.
    bool AnotherCopyRunning() const { return anotherCopy_; }

private:
    void* handle_ = nullptr;  // owned; the platform's handle while this copy keeps the mutex
    std::string name_;
    bool anotherCopy_ = false;
};

// The message by which a second copy asks the running one to bring its main window forward: the
// same number in every process that names the same mutex, and a number that no other program
// gives a meaning to.
unsigned ComeForwardMessage(const std::string& mutexName);

// Posts the message to every top-level window of the class and caption given, and lets the
// processes that own them take the foreground (the user started this one, so it may hand that
// on). True when a window was found.
bool PostToRunningCopy(const std::string& className, const std::string& caption, unsigned message);

}  // namespace pellino
