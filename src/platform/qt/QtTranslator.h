#pragma once

#include "platform/Translator.h"

#include <QLocale>
#include <QStringList>
#include <QTranslator>

namespace quillmere::qt {

// The user's language from Qt's catalogues: ours (quillmere-timer_<language>.qm) and Qt's own
// (qtbase_<language>.qm, for the standard buttons of message boxes), for the first of the user's
// languages that we ship; English, the texts' own language, where none is or English comes first.
// It works before the application object exists, so that the first messages are translated too.
class QtTranslator : public Translator {
public:
    // Our catalogue is taken from the first of `folders` that has one for the language.
    QtTranslator(const QLocale& locale, const QStringList& folders);

    // Beside the executable in the build tree, the installed data folder, and the data folder
    // relative to the executable (an install moved elsewhere).
    static QStringList standardFolders();

    // Hands the catalogues to the application, for texts Qt shows itself; once, after it is
    // made. They leave it when this ends.
    void install();
    // The language chosen ("de", "pt_BR"), or empty for English.
    const QString& language() const { return language_; }

    std::string translate(const char* context, const char* source) const override;

private:
    QTranslator own_;
    QTranslator qt_;
    QString language_;
};

} // namespace quillmere::qt
