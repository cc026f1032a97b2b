#pragma once

#include "platform/NonCopyable.h"

#include <string>

namespace quillmere {

// The desktop's system log (journal, syslog, unified log).
class SystemLog : NonCopyable {
public:
    virtual ~SystemLog() = default;
    // Whether messages of the error level are recorded.
    virtual bool isErrorEnabled() const = 0;
    // Records `message` unredacted at the error level.
    virtual void error(const std::string& subsystem, const std::string& category,
                       const std::string& message) = 0;
};

} // namespace quillmere
