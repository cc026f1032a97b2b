// The settings file as the program reads it, over any content: reads never fail, a write keeps
// every key that was understood, and a file that could not be parsed is kept byte for byte.
#include "platform/qt/QtDefaultsStore.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const std::vector<std::string> keys{"Version",      "TimerInterval", "AlertSound",
                                    "Mute",         "PopupAlerts",   "AutoRestart",
                                    "ResartOnWake", "ShowCountdown"};

// Names the broken rule before aborting, so a crash report says what was lost.
void check(bool condition, const char* rule) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", rule);
        std::abort();
    }
}

void removeAll(const QString& path) {
    const QFileInfo info(path);
    for (const QString& name : QDir(info.path()).entryList({info.fileName() + "*"})) {
        QFile::remove(info.path() + "/" + name);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString path =
        QDir::tempPath() + "/settings-fuzz-" + QString::number(getpid()) + ".conf";
    removeAll(path);
    const QByteArray original(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile file(path);
        check(file.open(QIODevice::WriteOnly), "the input file is written");
        file.write(original);
    }
    // QSettings keeps a file it parsed and reads it again only when its size or modification
    // time changed: every input gets a time of its own.
    static long run = 0;
    const timespec times[2] = {{0, UTIME_OMIT}, {1'000'000'000 + ++run, 0}};
    utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
    // Parsed from a copy: QSettings caches a file it has parsed, and a second parse of the same
    // path would not report the error again.
    const QString probe = path + ".probe";
    QFile::copy(path, probe);
    utimensat(AT_FDCWD, QFile::encodeName(probe).constData(), times, 0);
    const bool unparsable =
        QSettings(probe, QSettings::IniFormat).status() == QSettings::FormatError;

    std::vector<std::string> present;
    {
        quillmere::qt::QtDefaultsStore store(path);
        for (const std::string& key : keys) {
            if (store.contains(key)) {
                present.push_back(key);
            }
            static_cast<void>(store.boolValue(key));
            static_cast<void>(store.integerValue(key));
            static_cast<void>(store.doubleValue(key));
            static_cast<void>(store.stringValue(key));
        }
        store.setString("AlertSound", "Bowl");
    }

    quillmere::qt::QtDefaultsStore reread(path);
    check(reread.stringValue("AlertSound") == "Bowl", "a written value reads back");
    for (const std::string& key : present) {
        check(reread.contains(key), key.c_str());
    }
    if (unparsable) {
        QFile kept(path + ".unreadable");
        check(kept.open(QIODevice::ReadOnly) && kept.readAll() == original,
              "an unparsable file is kept as it was");
    }
    removeAll(path);
    return 0;
}
