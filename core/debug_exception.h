#pragma once
// The engine's one exception type. Every fatal condition is thrown as one and
// shown by the entry point's crash message; the texts are fixed English messages.
#include <exception>
#include <string>

namespace debug {

class exception : public std::exception {
public:
    explicit exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

}  // namespace debug
