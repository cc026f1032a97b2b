#pragma once

#include "platform/NonCopyable.h"

namespace quillmere {

// Whether the desktop starts the program when the user logs in. The desktop's own record is the
// truth: it may be changed behind the program's back, so it is asked afresh each time.
class Autostart : NonCopyable {
public:
    virtual ~Autostart() = default;
    // Whether the program starts at login now.
    virtual bool isEnabled() const = 0;
    // Makes the program start at login or not; false when the desktop's record could not be
    // changed.
    virtual bool setEnabled(bool enabled) = 0;
};

} // namespace quillmere
