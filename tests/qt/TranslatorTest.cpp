// The user's language from the catalogues the build made, and Qt's own for its standard buttons.
#include "ModalDriver.h"

#include "platform/qt/QtAlert.h"
#include "platform/qt/QtRunLoop.h"
#include "platform/qt/QtTranslator.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace quillmere::testing {
namespace {

using qt::QtTranslator;

const QStringList BuiltCatalogues{QStringLiteral(QUILLMERE_TEST_TRANSLATIONS)};

TEST(QtTranslatorTest, TakesTheShippedLanguageOrItsParentAndNeverASibling) {
    const QtTranslator austrian(QLocale(QStringLiteral("de_AT")), BuiltCatalogues);
    EXPECT_EQ(austrian.translate("UXMenu", "Quit"), "Beenden");
    EXPECT_EQ(austrian.translate("UXMenu", "not one of ours"), "not one of ours");
    EXPECT_EQ(
        QtTranslator(QLocale(QStringLiteral("pt_BR")), BuiltCatalogues).translate("UXMenu", "Quit"),
        "Sair");
    // Traditional Chinese must not read Simplified, nor Portugal's Portuguese Brazil's.
    for (const char* name : {"zh_TW", "pt_PT", "en_GB", "C"}) {
        const QtTranslator other(QLocale(QString::fromLatin1(name)), BuiltCatalogues);
        EXPECT_TRUE(other.language().isEmpty()) << name;
        EXPECT_EQ(other.translate("UXMenu", "Quit"), "Quit") << name;
    }
}

TEST(QtTranslatorTest, QtsOwnButtonsFollowOnceInstalled) {
    QtTranslator chinese(QLocale(QStringLiteral("zh_CN")), BuiltCatalogues);
    chinese.install();
    qt::QtRunLoop runLoop;
    ModalWatchdog watchdog{runLoop};
    qt::QtAlert alert(runLoop);
    alert.setInformativeText(chinese.translate("SettingsView", "Invalid interval"));
    whenModal<QMessageBox>([](QMessageBox* box) {
        EXPECT_EQ(box->informativeText(), QStringLiteral("间隔无效"));
        EXPECT_EQ(box->buttons().front()->text(), QStringLiteral("确定"));
        box->buttons().front()->click();
    });
    EXPECT_EQ(alert.runModal(), Alert::FirstButtonReturn);
}

} // namespace
} // namespace quillmere::testing
