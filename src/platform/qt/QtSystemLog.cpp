#include "platform/qt/QtSystemLog.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <syslog.h>
#include <unistd.h>

namespace quillmere::qt {

namespace {

constexpr const char* errorPriority = "3"; // LOG_ERR

// One field of the journal's native protocol: "KEY=value\n", or, for a value the text form can't
// carry (a line break, a NUL), "KEY\n", the length as 64-bit little endian, the bytes and "\n".
void appendField(std::string& datagram, std::string_view key, std::string_view value) {
    datagram.append(key);
    if (value.find_first_of(std::string_view("\n\0", 2)) == std::string_view::npos) {
        datagram += '=';
    } else {
        datagram += '\n';
        const std::uint64_t size = value.size();
        for (int byte = 0; byte < 8; ++byte) {
            datagram += static_cast<char>((size >> (8 * byte)) & 0xff);
        }
    }
    datagram.append(value);
    datagram += '\n';
}

} // namespace

QtSystemLog::QtSystemLog(std::string journalSocket)
    : journalSocket_(std::move(journalSocket)) {}

QtSystemLog::~QtSystemLog() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void QtSystemLog::error(const std::string& subsystem, const std::string& category,
                        const std::string& message) {
    if (sendToJournal(subsystem, category, message) != Sent::NoJournal) {
        return;
    }
    // syslog keeps the ident pointer until closelog(): open and close around the one line.
    ::openlog(subsystem.c_str(), LOG_PID, LOG_USER);
    ::syslog(LOG_ERR, "%s: %s", category.c_str(), message.c_str());
    ::closelog();
}

QtSystemLog::Sent QtSystemLog::sendToJournal(const std::string& subsystem,
                                             const std::string& category,
                                             const std::string& message) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (journalSocket_.empty() || journalSocket_.size() >= sizeof(address.sun_path)) {
        return Sent::NoJournal;
    }
    std::memcpy(address.sun_path, journalSocket_.data(), journalSocket_.size());
    if (fd_ < 0) {
        fd_ = ::socket(AF_UNIX, SOCK_DGRAM, 0);
        if (fd_ < 0) {
            return Sent::NoJournal;
        }
        // Non-blocking: a journal that can't keep up must not stall the main thread.
        ::fcntl(fd_, F_SETFD, FD_CLOEXEC);
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
    }

    std::string datagram;
    appendField(datagram, "MESSAGE", message);
    appendField(datagram, "PRIORITY", errorPriority);
    appendField(datagram, "SYSLOG_IDENTIFIER", subsystem);
    appendField(datagram, CategoryField, category);

    ssize_t sent = -1;
    do {
        sent = ::sendto(fd_, datagram.data(), datagram.size(), 0,
                        reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    } while (sent < 0 && errno == EINTR);
    if (sent >= 0) {
        return Sent::Yes;
    }
    // A full queue means the journal is there but busy; syslog would end in the same journal.
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
        return Sent::Dropped;
    }
    return Sent::NoJournal;
}

} // namespace quillmere::qt
