#pragma once

#include "platform/SystemLog.h"

#include <string>

namespace quillmere::qt {

// Error lines to the systemd journal through its native socket, with the category in a field of
// its own; to syslog(3) where there is no journal. Never blocks: a busy journal drops the line.
class QtSystemLog : public SystemLog {
public:
    static constexpr const char* JournalSocket = "/run/systemd/journal/socket";
    // The journal field that carries the category.
    static constexpr const char* CategoryField = "QUILLMERE_CATEGORY";

    explicit QtSystemLog(std::string journalSocket = JournalSocket);
    ~QtSystemLog() override;

    bool isErrorEnabled() const override { return true; }
    void error(const std::string& subsystem, const std::string& category,
               const std::string& message) override;

private:
    enum class Sent { Yes, Dropped, NoJournal };

    Sent sendToJournal(const std::string& subsystem, const std::string& category,
                       const std::string& message);

    std::string journalSocket_;
    int fd_ = -1;
};

} // namespace quillmere::qt
