#pragma once

#include "platform/Autostart.h"

namespace quillmere::sim {

// Start at login as the test sets it; the desktop's record can be made to refuse changes.
class SimAutostart : public Autostart {
public:
    bool isEnabled() const override { return enabled_; }
    bool setEnabled(bool enabled) override {
        ++writes_;
        if (!writable_) {
            return false;
        }
        enabled_ = enabled;
        return true;
    }

    // The record changed outside the program.
    void setRecord(bool enabled) { enabled_ = enabled; }
    void setWritable(bool writable) { writable_ = writable; }
    int writes() const { return writes_; }

private:
    bool enabled_ = false;
    bool writable_ = true;
    int writes_ = 0;
};

} // namespace quillmere::sim
