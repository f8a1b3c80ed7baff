#pragma once

#include <exception>
#include <string>
#include <utility>

namespace pellino {

// Root of every error the program raises on purpose. The message is the exact text the user sees
// in the standard error box; the event dispatch catches these at the top and shows that text.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }

private:
    std::string message_;
};

// The platform refused a resource, for instance a window timer ("Not enough timers available").
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

}  // namespace pellino
