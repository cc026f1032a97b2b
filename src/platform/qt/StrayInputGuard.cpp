#include "platform/qt/StrayInputGuard.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace quillmere::qt {

namespace {

bool isModifier(int key) {
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
        return true;
    default:
        return false;
    }
}

} // namespace

StrayInputGuard::StrayInputGuard(QWidget& window, SteadyClock clock)
    : window_(window)
    , clock_(std::move(clock)) {
    window_.installEventFilter(this);
}

StrayInputGuard::~StrayInputGuard() {
    window_.removeEventFilter(this);
    if (handle_) {
        handle_->removeEventFilter(this);
    }
}

bool StrayInputGuard::holdsKeys(std::chrono::steady_clock::time_point now, bool autoRepeat) const {
    return autoRepeat || !shownAt_ || now - *shownAt_ < KeyDelay ||
           (lastKeyAt_ && now - *lastKeyAt_ < KeyPause);
}

bool StrayInputGuard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_) {
        // The widget hears of its showing; its QWindow exists by then and gets the input.
        if (event->type() == QEvent::Show && !shownAt_) {
            shownAt_ = clock_();
            handle_ = window_.windowHandle();
            if (handle_) {
                handle_->installEventFilter(this);
            }
        }
        return false;
    }
    if (watched != handle_) {
        return false;
    }
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Comes before the key press: a held key is claimed for the window here so that no
        // shortcut (a button's mnemonic) takes it, and is then dropped as a key press.
        auto* key = static_cast<QKeyEvent*>(event);
        if (holdsKeys(clock_(), key->isAutoRepeat())) {
            key->accept();
            return true;
        }
        return false;
    }
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        const auto now = clock_();
        const bool held = holdsKeys(now, key->isAutoRepeat());
        // A modifier is part of the chord that follows it (Alt, then a mnemonic's letter).
        if (!isModifier(key->key())) {
            lastKeyAt_ = now;
        }
        return held;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        // A button acts on release only after its own press, so a held press ends the click.
        return !shownAt_ || clock_() - *shownAt_ < ClickDelay;
    default:
        return false;
    }
}

} // namespace quillmere::qt
