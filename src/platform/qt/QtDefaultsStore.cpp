#include "platform/qt/QtDefaultsStore.h"

#include <QFile>

namespace quillmere::qt {

namespace {
QString qKey(const std::string& key) {
    return QString::fromStdString(key);
}
} // namespace

QtDefaultsStore::QtDefaultsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            "Quillmere", "Quillmere Timer")) {}

QtDefaultsStore::QtDefaultsStore(const QString& path)
    : settings_(std::make_unique<QSettings>(path, QSettings::IniFormat)) {}

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
        const QString original = settings_->fileName();
        QString copy = original + ".unreadable";
        for (int n = 2; QFile::exists(copy); ++n) {
            copy = original + ".unreadable-" + QString::number(n);
        }
        QFile::copy(original, copy);
    }
    settings_->setValue(qKey(key), value);
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
