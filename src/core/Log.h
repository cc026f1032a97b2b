#pragma once

#include <string>

namespace quillmere {

class SystemLog;

// The one logging call: an error line to standard output and to the system log.
class Log {
public:
    Log() = delete;

    // The system log's category for every line.
    static constexpr const char* Category = "QuillmereLog";

    // Writes `msg` and a newline to standard output, then to the system log at the error level.
    static void error(const std::string& msg);
    // Sets the system log the lines go to; without one only standard output gets them.
    static void setLogger(SystemLog* logger);
};

} // namespace quillmere
