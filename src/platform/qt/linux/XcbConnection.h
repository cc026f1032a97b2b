#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace quillmere::qt {

struct XcbFree {
    void operator()(void* pointer) const { std::free(pointer); }
};
// A reply or event from xcb, which the caller frees.
template <typename T> using XcbPointer = std::unique_ptr<T, XcbFree>;

// A connection of our own to the X server, its events read on the Qt event loop. Our own, so that
// the events we select on the root and on other programs' windows never replace the event masks
// Qt selected on its connection (a mask belongs to a connection), so that no X event of Qt's
// passes through our code, and so that it works whatever platform Qt itself draws on.
class XcbConnection {
public:
    using EventHandler = std::function<void(const xcb_generic_event_t&)>;

    // A connection to the display DISPLAY names, or none when no X server answers.
    static std::unique_ptr<XcbConnection> open();
    ~XcbConnection();
    XcbConnection(const XcbConnection&) = delete;
    XcbConnection& operator=(const XcbConnection&) = delete;

    xcb_connection_t* get() const { return connection_; }
    xcb_window_t root() const { return root_; }

    // Hands every event to `handler` until stopReading(); nothing is read or woken up otherwise.
    void startReading(EventHandler handler);
    void stopReading();
    // Sends the requests made so far; events that came in while waiting for a reply are handed
    // over from the event loop (the socket has nothing left to wake us up for them).
    void flush();

private:
    XcbConnection(xcb_connection_t* connection, xcb_window_t root);
    void dispatch();

    xcb_connection_t* connection_;
    xcb_window_t root_;
    std::unique_ptr<QSocketNotifier> notifier_;
    EventHandler handler_;
    // A handler may destroy the owner of this connection; the dispatch loop checks this first.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace quillmere::qt
