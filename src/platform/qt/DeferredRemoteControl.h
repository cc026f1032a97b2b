#pragma once

#include "platform/RemoteControl.h"

#include <functional>
#include <memory>
#include <optional>

namespace quillmere::qt {

// A way in made later than it is asked for: going on the session bus is start-up work that can
// wait until the status item shows. Commands are taken from open() on; what is published before
// is not kept (followers read the status when they come).
class DeferredRemoteControl : public RemoteControl {
public:
    using Factory = std::function<std::unique_ptr<RemoteControl>()>;

    explicit DeferredRemoteControl(Factory make);
    ~DeferredRemoteControl() override;

    // Makes the real one, started when start() came first; later calls do nothing.
    void open();

    void start(Handlers handlers) override;
    void stop() override;
    void publish(const RemoteStatus& status, Changes changes) override;

private:
    Factory make_;
    std::unique_ptr<RemoteControl> control_;
    std::optional<Handlers> handlers_;
};

} // namespace quillmere::qt
