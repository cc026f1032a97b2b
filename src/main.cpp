// The process entry: decides test mode, builds the Qt platform and the controller, runs.
#include "core/App.h"
#include "core/AppIcon.h"
#include "core/Cfg.h"
#include "core/UXControl.h"
#include "platform/qt/ControlClient.h"
#include "platform/qt/OsIntegration.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtTranslator.h"
#include "platform/qt/SingleInstance.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QLocale>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace {

constexpr const char* Program = "quillmere-timer";

//: The command line's help; command names and options stay as they are
constexpr quillmere::Text Help = quillmere::translatable(
    "main",
    "Usage: quillmere-timer [-test]\n"
    "       quillmere-timer COMMAND\n"
    "\n"
    "A break-reminder timer in the desktop's status area. Without arguments it starts; with\n"
    "-test alone it starts in test mode (30-second intervals).\n"
    "\n"
    "Commands for the running timer:\n"
    "  restart          start a fresh interval (the menu's Restart timer)\n"
    "  pause [MINUTES]  pause for MINUTES, 1 to 1440 (30 without)\n"
    "  resume           end the pause\n"
    "  mute             switch the alert sound off\n"
    "  unmute           switch the alert sound on\n"
    "  status [--json]  print the time left in words, or state, title, seconds_left, muted\n"
    "                   and paused as a JSON object\n"
    "  watch            print the title now and each time it changes, until the timer ends\n"
    "\n"
    "Options:\n"
    "  -h, --help       print this help and exit\n"
    "  --version        print the version and exit\n"
    "\n"
    "Exit status: 0 done; 1 the timer is not running; 2 an unknown command or a bad argument.\n");

//: %1 is what was typed
constexpr quillmere::Text UnknownOption = quillmere::translatable("main", "unknown option %1");
//: Followed by the command line's form
constexpr quillmere::Text UsagePrefix = quillmere::translatable("main", "Usage:");

// A refused command line: why, and how it goes.
void refuse(const std::string& why, const quillmere::Translator& translator) {
    std::fprintf(stderr, "%s: %s\n%s %s %s\n", Program, why.c_str(),
                 translator(UsagePrefix).c_str(), Program, quillmere::UXControl::Usage);
}

// --help, --version and the commands for the running timer, decided by the first argument
// before anything needs a display; none when the arguments start the timer (test mode, Qt's
// own options such as -platform, or none at all).
std::optional<int> runCommandLine(int argc, char** argv, const quillmere::Translator& translator) {
    if (argc < 2) {
        return std::nullopt;
    }
    const std::string first = argv[1];
    if (first == "--help" || first == "-h") {
        std::fputs(translator(Help).c_str(), stdout);
        return 0;
    }
    if (first == "--version") {
        std::printf("%s %s\n", quillmere::Cfg::Name, QUILLMERE_VERSION);
        return 0;
    }
    // Qt's own options have one dash; an option with two that is not ours is a mistake, not a
    // reason to start the timer.
    if (first.starts_with("--")) {
        refuse(translator(UnknownOption, first), translator);
        return 2;
    }
    if (first.starts_with('-')) {
        return std::nullopt;
    }
    const std::vector<std::string> words(argv + 1, argv + argc);
    const auto command = quillmere::UXControl::parse(words);
    if (const auto* why = std::get_if<quillmere::UXControl::Refusal>(&command)) {
        refuse(translator(why->reason, why->argument), translator);
        return 2;
    }
    // No display is needed: the socket is all.
    QCoreApplication application(argc, argv);
    QByteArray request;
    for (const std::string& word : words) {
        request += (request.isEmpty() ? "" : " ") + QString::fromLocal8Bit(word).toUtf8();
    }
    const bool follow =
        std::get<quillmere::UXControl::Command>(command).verb == quillmere::UXControl::Verb::Watch;
    return quillmere::qt::ControlClient::send(
        quillmere::qt::SingleInstance::socketPath(quillmere::qt::SingleInstance::runtimeFolder(),
                                                  Program),
        request, follow, translator);
}

} // namespace

int main(int argc, char** argv) {
    // The user's language, for the first message on.
    auto translator = std::make_unique<quillmere::qt::QtTranslator>(
        QLocale::system(), quillmere::qt::QtTranslator::standardFolders());
    if (const std::optional<int> status = runCommandLine(argc, argv, *translator)) {
        return *status;
    }
    // Decided on the arguments as given, before Qt takes out the ones it knows.
    const bool isTest = quillmere::App::isTestInvocation(argc, argv);
    // Qt ends the process through exit() when the display connection breaks: the controller must
    // not then be destroyed after Qt's own globals are gone.
    std::atexit([] { static_cast<void>(quillmere::app.release()); });

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

    quillmere::qt::SingleInstance instance(quillmere::qt::SingleInstance::runtimeFolder(), Program);
    if (!instance.acquire()) {
        //: %1 is the program's name
        std::puts((*translator)(quillmere::translatable("main", "%1 is already running"),
                                quillmere::Cfg::Name)
                      .c_str());
        return 0;
    }

    quillmere::qt::QtPlatform platform(std::move(translator), instance.server());
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
