#pragma once

#include "platform/WakeNotifier.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quillmere::qt {

// A wake source made later than it is asked for: connecting to the system bus is start-up work
// that can wait until the status item shows. Observers added before start() are handed to the
// source when it is made; until then no wake is reported (none can be missed: the interval
// was set a moment ago).
class DeferredWakeNotifier : public WakeNotifier {
public:
    using Factory = std::function<std::unique_ptr<WakeNotifier>()>;

    explicit DeferredWakeNotifier(Factory make);
    ~DeferredWakeNotifier() override;

    // Makes the source; later calls do nothing.
    void start();
    bool isStarted() const { return source_ != nullptr; }

    void addWakeObserver(std::string name, std::function<void()> observer) override;
    void removeWakeObserver(const std::string& name) override;

private:
    Factory make_;
    std::unique_ptr<WakeNotifier> source_;
    std::vector<std::pair<std::string, std::function<void()>>> waiting_;
};

} // namespace quillmere::qt
