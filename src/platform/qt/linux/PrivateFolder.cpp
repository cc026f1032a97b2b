#include "platform/qt/linux/PrivateFolder.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmere::qt {

namespace {

// Removes every entry of the open folder `fd`, sub-folders with what they hold. Works through
// the descriptor: links are removed, never followed.
bool emptyFolder(int fd) {
    const int listing = ::dup(fd);
    DIR* dir = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (dir == nullptr) {
        if (listing >= 0) {
            ::close(listing);
        }
        return false;
    }
    bool emptied = true;
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0 ||
            ::unlinkat(fd, name, 0) == 0) {
            continue;
        }
        const int sub = errno == EISDIR
                            ? ::openat(fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)
                            : -1;
        emptied = sub >= 0 && emptyFolder(sub) && emptied;
        if (sub >= 0) {
            ::close(sub);
        }
        emptied = ::unlinkat(fd, name, AT_REMOVEDIR) == 0 && emptied;
    }
    ::closedir(dir);
    return emptied;
}

} // namespace

bool PrivateFolder::prepareEmpty(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    if (native.isEmpty() || (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)) {
        return false;
    }
    // O_NOFOLLOW: a link planted at the path is refused, not followed.
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat status {};
    const bool trusted = ::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode) &&
                         status.st_uid == ::geteuid() && (status.st_mode & 077) == 0;
    const bool prepared = trusted && emptyFolder(fd);
    ::close(fd);
    return prepared;
}

} // namespace quillmere::qt
