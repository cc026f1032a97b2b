#include "platform/qt/linux/XcbConnection.h"

#include <QSocketNotifier>
#include <QTimer>

namespace quillmere::qt {

std::unique_ptr<XcbConnection> XcbConnection::open() {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection) != 0) {
        xcb_disconnect(connection); // frees the error object xcb returns in place of a connection
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) {
        xcb_screen_next(&screens);
    }
    if (screens.rem == 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::unique_ptr<XcbConnection>(new XcbConnection(connection, screens.data->root));
}

XcbConnection::XcbConnection(xcb_connection_t* connection, xcb_window_t root)
    : connection_(connection)
    , root_(root) {}

XcbConnection::~XcbConnection() {
    notifier_.reset();
    xcb_disconnect(connection_);
}

void XcbConnection::startReading(EventHandler handler) {
    handler_ = std::move(handler);
    if (!notifier_) {
        notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_),
                                                      QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                         [this] { dispatch(); });
    }
    notifier_->setEnabled(xcb_connection_has_error(connection_) == 0);
    flush();
}

void XcbConnection::stopReading() {
    handler_ = nullptr;
    if (notifier_) {
        notifier_->setEnabled(false);
    }
    xcb_flush(connection_);
}

void XcbConnection::flush() {
    xcb_flush(connection_);
    if (notifier_ && notifier_->isEnabled()) {
        QTimer::singleShot(0, notifier_.get(), [this] { dispatch(); });
    }
}

void XcbConnection::dispatch() {
    const std::weak_ptr<bool> alive = alive_;
    while (handler_) {
        XcbPointer<xcb_generic_event_t> event(xcb_poll_for_event(connection_));
        if (!event) {
            break;
        }
        // A copy: the handler may stop or restart reading, which replaces the member.
        const EventHandler handler = handler_;
        handler(*event);
        if (alive.expired()) {
            return;
        }
    }
    // A lost server leaves the socket readable for ever: stop listening instead of spinning.
    if (xcb_connection_has_error(connection_) != 0 && notifier_) {
        notifier_->setEnabled(false);
    }
}

} // namespace quillmere::qt
