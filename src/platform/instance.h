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

}  // namespace pellino
