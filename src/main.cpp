// The process entry: decides test mode, builds the Qt platform and the controller, runs.
#include "core/App.h"
#include "core/AppIcon.h"
#include "core/Cfg.h"
#include "platform/qt/OsIntegration.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtTranslator.h"
#include "platform/qt/SingleInstance.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char** argv) {
    // Decided on the arguments as given, before Qt takes out the ones it knows.
    const bool isTest = quillmere::App::isTestInvocation(argc, argv);
    // Qt ends the process through exit() when the display connection breaks: the controller must
    // not then be destroyed after Qt's own globals are gone.
    std::atexit([] { static_cast<void>(quillmere::app.release()); });

    // The user's language, for the first message on.
    auto translator = std::make_unique<quillmere::qt::QtTranslator>(
        QLocale::system(), quillmere::qt::QtTranslator::standardFolders());
    if (const auto missing = quillmere::qt::missingGraphicalSession(argc, argv)) {
        //: %1 is the program's name, %2 what is missing
        const QString line = QString::fromStdString(
            (*translator)(quillmere::translatable("main", "%1 needs a graphical session: %2")));
        std::fprintf(stderr, "%s\n",
                     qUtf8Printable(line.arg(quillmere::Cfg::Name,
                                             QString::fromStdString((*translator)(*missing)))));
        return 1;
    }
    QApplication application(argc, argv);
    translator->install();
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
        //: %1 is the program's name
        std::puts((*translator)(quillmere::translatable("main", "%1 is already running"),
                                quillmere::Cfg::Name)
                      .c_str());
        return 0;
    }

    quillmere::qt::QtPlatform platform(std::move(translator));
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
