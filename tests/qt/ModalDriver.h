// Acting as the user inside a modal loop: the step is posted before the loop starts and runs from
// inside it, once the expected window is the one in front.
#pragma once

#include "platform/qt/QtRunLoop.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace quillmere::testing {

// Runs `act` with the modal window of type `W` once it is in front; gives up after about 2 s.
template <typename W> void whenModal(std::function<void(W*)> act, int triesLeft = 200) {
    QTimer::singleShot(triesLeft == 200 ? 0 : 10, [act = std::move(act), triesLeft]() mutable {
        auto* modal = qobject_cast<W*>(QApplication::activeModalWidget());
        if (modal != nullptr && modal->isVisible()) {
            act(modal);
        } else if (triesLeft > 0) {
            whenModal<W>(std::move(act), triesLeft - 1);
        } else {
            ADD_FAILURE() << "the expected modal window did not come up";
        }
    });
}

// Fails the test and ends the modal run in front every `seconds`, so that a modal run that never
// ends fails the test instead of hanging it.
class ModalWatchdog {
public:
    explicit ModalWatchdog(qt::QtRunLoop& runLoop, int seconds = 5) {
        timer_.setInterval(seconds * 1000);
        QObject::connect(&timer_, &QTimer::timeout, [&runLoop] {
            ADD_FAILURE() << "a modal run did not end";
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                dialog->reject();
            } else {
                runLoop.stopModal();
            }
        });
        timer_.start();
    }

private:
    QTimer timer_;
};

inline void sendKey(QWidget* target, int key, const QString& text = {},
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

// Types ASCII digits and signs, key by key.
inline void typeText(QWidget* target, const QString& text) {
    for (QChar c : text) {
        sendKey(target, c.unicode(), QString(c));
    }
}

inline void selectAll(QWidget* target) {
    sendKey(target, Qt::Key_A, {}, Qt::ControlModifier);
}

} // namespace quillmere::testing
