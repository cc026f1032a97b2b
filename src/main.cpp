// The process entry: decides test mode, builds the Qt platform and the controller, runs.
#include "core/App.h"
#include "core/AppIcon.h"
#include "core/Cfg.h"
#include "platform/qt/OsIntegration.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/SingleInstance.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    // Decided on the arguments as given, before Qt takes out the ones it knows.
    const bool isTest = quillmere::App::isTestInvocation(argc, argv);
    // Qt ends the process through exit() when the display connection breaks: the controller must
    // not then be destroyed after Qt's own globals are gone.
    std::atexit([] { static_cast<void>(quillmere::app.release()); });

    if (const auto missing = quillmere::qt::missingGraphicalSession(argc, argv)) {
        std::fprintf(stderr, "%s needs a graphical session: %s\n", quillmere::Cfg::Name,
                     missing->c_str());
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setOrganizationName("Quillmere");
    QApplication::setApplicationName(quillmere::Cfg::Name);
    QApplication::setApplicationVersion(QUILLMERE_VERSION);
    // Shells match the windows to the desktop entry by this name (the Wayland app id).
    QApplication::setDesktopFileName("org.quillmere.Timer");
    // The program lives in the tray: closing its last window must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    quillmere::qt::SingleInstance instance(quillmere::qt::SingleInstance::runtimeFolder(),
                                           "quillmere-timer");
    if (!instance.acquire()) {
        std::puts("Quillmere Timer is already running");
        return 0;
    }

    quillmere::qt::QtPlatform platform;
    // The logo stands for the program: in its windows, and in the reminder, which has no icon of
    // its own. Test mode loads no images.
    if (!isTest) {
        if (const auto logo = std::dynamic_pointer_cast<const quillmere::qt::QtImage>(
                platform.resources().image(quillmere::AppIcon::ImageName))) {
            QApplication::setWindowIcon(QIcon(QPixmap::fromImage(logo->image())));
        }
    }
    const int status = quillmere::App::main(platform, isTest);
    // The controller refers to the platform: end it while the platform still exists.
    quillmere::app.reset();
    return status;
}
