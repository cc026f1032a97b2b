#pragma once

#include <exception>
#include <string>

namespace quillmere {

// The system's one error type: a message. Raised inside a component and caught by that component.
class Err : public std::exception {
public:
    explicit Err(std::string msg)
        : msg_(std::move(msg)) {}

    // The message, unchanged.
    const std::string& description() const noexcept { return msg_; }
    const char* what() const noexcept override { return msg_.c_str(); }

private:
    std::string msg_;
};

} // namespace quillmere
