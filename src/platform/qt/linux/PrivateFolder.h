#pragma once

#include <QString>

namespace quillmere::qt {

// A folder at a fixed path that only this user can enter: made 0700 when missing, trusted only
// when it is a real folder (not a link) owned by this user with no access for anyone else.
class PrivateFolder {
public:
    // Makes or checks the folder at `path` and removes everything in it; false when it can't be
    // trusted or emptied.
    static bool prepareEmpty(const QString& path);
};

} // namespace quillmere::qt
