#include "platform/qt/QtApplication.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace quillmere::qt {

int QtApplication::run(std::function<void()> didFinishLaunching) {
    // Launching has finished once the event loop runs.
    QTimer::singleShot(0, qApp, std::move(didFinishLaunching));
    return QApplication::exec();
}

void QtApplication::terminate() {
    QCoreApplication::exit(0);
}

void QtApplication::activateIgnoringOtherApps() {
    // Qt activates windows, not applications: bring forward whatever the program shows.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            window->raise();
            window->activateWindow();
        }
    }
}

} // namespace quillmere::qt
