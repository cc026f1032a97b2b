#include "platform/qt/QtDefaultsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

namespace quillmere::qt {

namespace {

constexpr const char* Organization = "Quillmere";
constexpr const char* Application = "Quillmere Timer";
// Far beyond any settings file this program writes: a larger one was put there by something
// else, and reading it (and writing it back on every change) would take minutes.
constexpr qint64 LargestSettingsFile = 1024 * 1024;

QString qKey(const std::string& key) {
    return QString::fromStdString(key);
}

// Where a file that could not be used is kept: the first free name beside it.
QString keptName(const QString& original) {
    QString kept = original + ".unreadable";
    for (int n = 2; QFileInfo::exists(kept) || QFileInfo(kept).isSymLink(); ++n) {
        kept = original + ".unreadable-" + QString::number(n);
    }
    return kept;
}

// QSettings reads its file as it is built. Something other than a plain file there (a FIFO would
// block the start for ever, a device never end) or a file too large to be ours is moved aside
// unopened, and the store starts from the defaults.
const QString& setAsideUnusable(const QString& path) {
    const QFileInfo file(path); // looked at (through a link), never opened
    if (file.exists() && (!file.isFile() || file.size() > LargestSettingsFile)) {
        std::rename(QFile::encodeName(path).constData(),
                    QFile::encodeName(keptName(path)).constData());
    }
    return path;
}

// The user's settings file where the native format is an INI file (as on Linux).
QString userIniPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .absoluteFilePath(QStringLiteral("%1/%2.conf").arg(Organization, Application));
}

} // namespace

QtDefaultsStore::QtDefaultsStore() {
    setAsideUnusable(userIniPath());
    settings_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            Organization, Application);
}

QtDefaultsStore::QtDefaultsStore(const QString& path)
    : settings_(std::make_unique<QSettings>(setAsideUnusable(path), QSettings::IniFormat)) {}

std::optional<StoredValue> QtDefaultsStore::read(const std::string& key) const {
    const QVariant value = settings_->value(qKey(key));
    switch (value.typeId()) {
    case QMetaType::Bool:
        return StoredValue{value.toBool()};
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
        return StoredValue{std::int64_t{value.toLongLong()}};
    case QMetaType::Double:
    case QMetaType::Float:
        return StoredValue{value.toDouble()};
    case QMetaType::QString:
        return StoredValue{value.toString().toStdString()};
    case QMetaType::QByteArray:
        return StoredValue{value.toByteArray().toStdString()};
    case QMetaType::QStringList:
        // An INI value with a comma comes back as a list: it is still the text that was written.
        return StoredValue{value.toStringList().join(", ").toStdString()};
    default:
        return std::nullopt;
    }
}

bool QtDefaultsStore::contains(const std::string& key) const {
    return settings_->contains(qKey(key));
}

bool QtDefaultsStore::boolValue(const std::string& key) const {
    const auto value = read(key);
    return value && stored::asBool(*value);
}

std::int64_t QtDefaultsStore::integerValue(const std::string& key) const {
    const auto value = read(key);
    return value ? stored::asInteger(*value) : 0;
}

double QtDefaultsStore::doubleValue(const std::string& key) const {
    const auto value = read(key);
    return value ? stored::asDouble(*value) : 0;
}

std::optional<std::string> QtDefaultsStore::stringValue(const std::string& key) const {
    if (!settings_->contains(qKey(key))) {
        return std::nullopt;
    }
    const auto value = read(key);
    // A value of some other type is still a stored value: an empty string, not none.
    return value ? stored::asString(*value) : std::string();
}

void QtDefaultsStore::write(const std::string& key, const QVariant& value) {
    // QSettings rewrites a file it could not parse from what it understood and drops the rest:
    // keep the file as it was, once, before the first write.
    if (settings_->status() == QSettings::FormatError && !keptUnreadable_) {
        keptUnreadable_ = true;
        QFile::copy(settings_->fileName(), keptName(settings_->fileName()));
    }
    // The same value again (the version recorded at every start) would cost a rewrite of the
    // file and two waits for the disk.
    const QString storedKey = qKey(key);
    const QVariant stored = settings_->value(storedKey);
    if (settings_->status() == QSettings::NoError &&
        stored.metaType() == QMetaType::fromType<QString>() &&
        stored.toString() == value.toString()) {
        return;
    }
    settings_->setValue(storedKey, value);
    settings_->sync();
}

void QtDefaultsStore::setBool(const std::string& key, bool value) {
    write(key, value);
}
void QtDefaultsStore::setDouble(const std::string& key, double value) {
    write(key, value);
}
void QtDefaultsStore::setString(const std::string& key, const std::string& value) {
    write(key, QString::fromStdString(value));
}

} // namespace quillmere::qt
