#include "platform/qt/QtTranslator.h"

#include "platform/qt/OsIntegration.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

namespace quillmere::qt {

namespace {
constexpr const char* CatalogueName = "quillmere-timer";
} // namespace

QtTranslator::QtTranslator(const QLocale& locale, const QStringList& folders) {
    // The user's languages in their order; QTranslator tries each one's shorter forms too
    // ("de-AT", then "de"), never a sibling ("zh-TW" does not get "zh_CN").
    for (const QString& name : locale.uiLanguages()) {
        const QLocale wanted(name);
        if (wanted.language() == QLocale::English || wanted.language() == QLocale::C) {
            return; // the source texts are English
        }
        for (const QString& folder : folders) {
            if (own_.load(wanted, QString::fromLatin1(CatalogueName), QStringLiteral("_"),
                          folder)) {
                language_ = own_.language();
                // Missing for a language Qt has no catalogue of: its buttons stay English.
                static_cast<void>(qt_.load(wanted, QStringLiteral("qtbase"), QStringLiteral("_"),
                                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
                return;
            }
        }
    }
}

QStringList QtTranslator::standardFolders() {
    const QString executableDir = executableFolder();
    QStringList folders{
        QDir::cleanPath(executableDir + QStringLiteral("/translations")),
        QDir::cleanPath(QStringLiteral(QUILLMERE_DATA_DIR "/translations")),
        QDir::cleanPath(executableDir + QStringLiteral("/../share/quillmere-timer/translations")),
    };
    folders.removeDuplicates();
    return folders;
}

void QtTranslator::install() {
    if (language_.isEmpty()) {
        return;
    }
    QCoreApplication::installTranslator(&own_);
    QCoreApplication::installTranslator(&qt_);
}

std::string QtTranslator::translate(const char* context, const char* source) const {
    const QString found = own_.translate(context, source);
    return found.isEmpty() ? std::string(source) : found.toStdString();
}

} // namespace quillmere::qt
