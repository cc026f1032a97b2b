// Acting as the user inside a modal loop: the step is posted before the loop starts and runs from
// inside it, once the expected window is the one in front.
#pragma once

#include "platform/qt/QtRunLoop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMessageBox>
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

// Fails the test and ends the modal run in front every 5 s, so that a modal run that never ends
// fails the test instead of hanging it.
class ModalWatchdog {
public:
    explicit ModalWatchdog(qt::QtRunLoop& runLoop) {
        QObject::connect(&timer_, &QTimer::timeout, [&runLoop] {
            ADD_FAILURE() << "a modal run did not end";
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            dialog != nullptr ? dialog->reject() : runLoop.stopModal();
        });
        timer_.start(5000);
    }

private:
    QTimer timer_;
};

// The button of `box` showing `title`.
inline QAbstractButton* buttonTitled(QMessageBox* box, const QString& title) {
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == title) {
            return button;
        }
    }
    ADD_FAILURE() << "no button " << title.toStdString();
    return box->buttons().front();
}

inline void sendKey(QWidget* target, int key, const QString& text = {},
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, modifiers, text);
        QApplication::sendEvent(target, &event);
    }
}

// Types ASCII digits and signs, key by key.
inline void typeText(QWidget* target, const QString& text) {
    for (QChar c : text) {
        sendKey(target, c.unicode(), QString(c));
    }
}

} // namespace quillmere::testing
