// The status item as a desktop's status area sees it: what it registers, what its properties
// say as the real countdown moves, and which signals it sends while idle.
#include "platform/qt/linux/SniStatusItem.h"
#include "QtPrinters.h"
#include "TimerOnBus.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/linux/StatusNotifierItemAdaptor.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <algorithm>

namespace quillmere::testing {
namespace {

using qt::DBusImageList;

template <typename T> T unpack(const QVariant& value) {
    T result{};
    value.value<QDBusArgument>() >> result;
    return result;
}

// How far apart the colour channels of the most colourful opaque pixel are: the logo's orange
// quill is far, the grey icon is not.
int colourfulness(const QImage& image) {
    int most = image.isNull() ? -1 : 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 200) {
                most = std::max(most, std::max({c.red(), c.green(), c.blue()}) -
                                          std::min({c.red(), c.green(), c.blue()}));
            }
        }
    }
    return most;
}

// The 44-pixel picture the item publishes, and the one its icon name stands for.
QImage publishedPixmap(FakeStatusArea& area) {
    const auto pixmaps = unpack<DBusImageList>(area.property("IconPixmap"));
    return pixmaps.size() == 2 ? qt::SniStatusItem::fromDBusImage(pixmaps[1]) : QImage();
}
QImage namedIcon(FakeStatusArea& area) {
    return QImage(QDir(area.property("IconThemePath").toString())
                      .filePath(area.property("IconName").toString() + ".png"))
        .convertToFormat(QImage::Format_ARGB32);
}

QString argument(const QDBusMessage& signal) {
    return signal.arguments().value(0).toString();
}

class SniStatusItemTest : public TimerOnBus {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus.isRunning());
        ASSERT_TRUE(area.own());
        storeSettings();
    }
};

TEST_F(SniStatusItemTest, RegistersUnderItsOwnNameAndServesEveryDeclaredProperty) {
    launch();
    ASSERT_TRUE(area.waitForRegistrations(1));
    const QString service = area.item();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^org\\.kde\\.StatusNotifierItem-%1-\\d+$")
                                       .arg(QCoreApplication::applicationPid()))
                    .match(service)
                    .hasMatch())
        << service.toStdString();
    EXPECT_EQ(hostBus.interface()->serviceOwner(service).value(), itemBus.baseService());

    // Hosts on Qt's D-Bus see only declared properties: declared and served agree.
    QSet<QString> declared;
    for (const auto& match : QRegularExpression(QStringLiteral("<property name=\"(\\w+)\""))
                                 .globalMatch(area.introspect("/StatusNotifierItem"))) {
        declared.insert(match.captured(1));
    }
    const QVariantMap served = area.allProperties();
    EXPECT_EQ(declared, QSet<QString>(served.keyBegin(), served.keyEnd()));

    const QVariantMap expected{{"Id", "quillmere-timer"},
                               {"Category", "ApplicationStatus"},
                               {"Title", "Quillmere Timer"},
                               {"Status", "Active"},
                               {"IconName", "org.quillmere.Timer"},
                               {"ItemIsMenu", true},
                               {"XAyatanaLabel", "11m"},
                               {"XAyatanaLabelGuide", "+>24h"}};
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        EXPECT_EQ(served.value(it.key()), it.value()) << it.key().toStdString();
    }
    EXPECT_EQ(served.value("Menu").value<QDBusObjectPath>().path(), "/MenuBar");
    const auto toolTip = unpack<qt::DBusToolTip>(area.property("ToolTip"));
    EXPECT_EQ(toolTip.title, "Quillmere Timer");
    EXPECT_EQ(toolTip.description, "11m left");
    const auto pixmaps = unpack<DBusImageList>(area.property("IconPixmap"));
    ASSERT_EQ(pixmaps.size(), 2);
    EXPECT_EQ(pixmaps[0].width, 22);
    EXPECT_EQ(pixmaps[0].argb.size(), 22 * 22 * 4);
    EXPECT_EQ(pixmaps[1].height, 44);
    // Hosts that load icons by name only find the logo in the item's own folder, installed or not.
    EXPECT_GT(colourfulness(publishedPixmap(area)), 80);
    EXPECT_EQ(namedIcon(area), publishedPixmap(area));

    // Quitting takes the item off the bus, which is how hosts learn it is gone.
    controller.reset();
    EXPECT_TRUE(waitUntil([&] { return !hostBus.interface()->isServiceRegistered(service); }));
}

TEST_F(SniStatusItemTest, CountdownSendsOneLabelChangeAMinuteAndAReminderAsksForAttention) {
    launch();
    ASSERT_TRUE(area.waitForRegistrations(1));
    advance(1);
    area.clearHeard();
    const auto& item = dynamic_cast<qt::SniStatusItem&>(platform.item()->current());
    const int renders = item.pixmapRenders();

    // Two minutes of ticks, each setting the same icon (a new image object with the same
    // picture, as a plain loader gives) and mostly the same title.
    advance(120);
    EXPECT_EQ(item.pixmapRenders(), renders);
    EXPECT_EQ(area.heard(),
              (QStringList{"NewToolTip", "XAyatanaNewLabel", "NewToolTip", "XAyatanaNewLabel"}));
    EXPECT_EQ(argument(area.heard("XAyatanaNewLabel").value(1)), "8m");
    EXPECT_EQ(area.heard("XAyatanaNewLabel").value(1).arguments().value(1), "+>24h");
    EXPECT_EQ(unpack<qt::DBusToolTip>(area.property("ToolTip")).description, "8m left");

    // At the deadline the reminder starts with the grey icon while the title still reads "0",
    // red like every last second; only the red count-up after it asks for attention.
    advance(478);
    area.clearHeard();
    advance(1);
    EXPECT_EQ(controller->state(), AppState::Reminding);
    EXPECT_EQ(area.heard(), (QStringList{"NewToolTip", "XAyatanaNewLabel", "NewIcon"}));
    EXPECT_EQ(argument(area.heard("XAyatanaNewLabel").value(0)), "0");
    EXPECT_EQ(area.property("Status"), "Active");
    area.clearHeard();
    advance(1);
    EXPECT_EQ(area.heard(), (QStringList{"NewToolTip", "XAyatanaNewLabel", "NewStatus"}));
    EXPECT_EQ(argument(area.heard("NewStatus").value(0)), "NeedsAttention");
    EXPECT_EQ(area.property("Status"), "NeedsAttention");
    // The grey icon, as pixels and by a name of its own (the app's name would load the logo).
    EXPECT_LT(colourfulness(publishedPixmap(area)), 10);
    EXPECT_NE(area.property("IconName"), "org.quillmere.Timer");
    EXPECT_EQ(namedIcon(area), publishedPixmap(area));

    // While the reminder waits the count-up moves each second; icon and status stay.
    area.clearHeard();
    advance(30);
    EXPECT_EQ(area.heard("XAyatanaNewLabel").size(), 30);
    EXPECT_EQ(area.heard().size(), 60);
}

TEST_F(SniStatusItemTest, InTestModeTheTitleIsDrawnAsTheIconUnderANewName) {
    controller = std::make_unique<App>(true, platform);
    platform.app().run([this] { controller->applicationDidFinishLaunching(); });
    ASSERT_TRUE(area.waitForRegistrations(1));
    advance(1);
    const QVariant firstName = area.property("IconName");
    const QImage first = publishedPixmap(area);
    area.clearHeard();

    for (int second = 0; second < 21; ++second) {
        advance(1); // to 8 seconds of the 30 left: each new title is a new icon
    }
    EXPECT_GE(area.heard("NewIcon").size(), area.heard("XAyatanaNewLabel").size());
    EXPECT_NE(publishedPixmap(area), first);
    EXPECT_NE(area.property("IconName"), firstName);
    EXPECT_EQ(namedIcon(area), publishedPixmap(area));
    // Old pictures don't pile up: the current one and the one before it.
    EXPECT_EQ(
        QDir(area.property("IconThemePath").toString()).entryList({"*.png"}, QDir::Files).size(),
        2);
}

TEST_F(SniStatusItemTest, OnPlasmaTheIconCarriesTheTimeAndChangesOnlyWithIt) {
    qputenv("XDG_CURRENT_DESKTOP", "KDE");
    launch();
    qunsetenv("XDG_CURRENT_DESKTOP");
    ASSERT_TRUE(area.waitForRegistrations(1));
    advance(1);
    // A picture of its own (the logo with "10" and a ring), by pixels and by name.
    EXPECT_NE(area.property("IconName"), "org.quillmere.Timer");
    EXPECT_EQ(namedIcon(area), publishedPixmap(area));
    area.clearHeard();
    for (int second = 0; second < 110; ++second) {
        advance(1);
    }
    // The minute turns once (near 60 s), the ring's 24th steps four times (every 25 s); the
    // window ends 10 s clear of the next change, as the interval starts a moment after launch.
    EXPECT_EQ(area.heard("NewIcon").size(), 5);

    // Switched off in Settings: the plain logo again, under the application's name.
    controller->cfg().set(Cfg::Parameter::showTimeInIcon(false), true);
    advance(0);
    EXPECT_EQ(area.property("IconName"), "org.quillmere.Timer");
}

TEST_F(SniStatusItemTest, AClientFloodingItWithReadsIsCutShortAndHostsStillGetAnswers) {
    launch();
    ASSERT_TRUE(area.waitForRegistrations(1));
    // Reads as fast as answers come, a hundred at a time (the bus refuses more in flight).
    QDBusConnection flood = bus.connect("flood");
    constexpr int Reads = 3000;
    int sent = 0, answered = 0, refused = 0;
    std::function<void()> read = [&] {
        QDBusMessage getAll = QDBusMessage::createMethodCall(
            area.item(), "/StatusNotifierItem", "org.freedesktop.DBus.Properties", "GetAll");
        getAll << QStringLiteral("org.kde.StatusNotifierItem");
        ++sent;
        auto* call = new QDBusPendingCallWatcher(flood.asyncCall(getAll));
        QObject::connect(
            call, &QDBusPendingCallWatcher::finished, [&](QDBusPendingCallWatcher* done) {
                done->deleteLater();
                ++(done->isError() ? refused : answered);
                EXPECT_TRUE(!done->isError() || done->error().type() == QDBusError::LimitsExceeded);
                if (sent < Reads) {
                    read();
                }
            });
    };
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 100; ++i) {
        read();
    }
    ASSERT_TRUE(waitUntil([&] { return answered + refused == Reads; }, std::chrono::seconds(60)));
    const qint64 seconds = clock.elapsed() / 1000 + 1;
    EXPECT_GT(answered, 0);
    EXPECT_LE(answered, qt::StatusNotifierItemAdaptor::ReadsPerSecond * (seconds + 1));
    // A host on a connection of its own reads as before.
    EXPECT_EQ(area.allProperties().value("XAyatanaLabel"), "11m");
}

TEST_F(SniStatusItemTest, IconsGoToOneFolderPerUserEmptiedAtStartAndOnlyIfPrivate) {
    const QTemporaryDir runtime;
    const QString path = runtime.filePath("quillmere-timer-icons");
    const auto logo = std::make_shared<qt::QtImage>(
        "Quillmere.png", QImage(QStringLiteral(QUILLMERE_TEST_RESOURCES "/Quillmere.png")));
    // What a killed run left behind: its folder, with icons in it.
    ASSERT_TRUE(QDir().mkpath(path + "/hicolor/22x22/apps"));
    ::chmod(QFile::encodeName(path).constData(), 0700);
    QFile(path + "/hicolor/22x22/apps/quillmere-timer-old.png").open(QIODevice::WriteOnly);
    QFile(path + "/quillmere-timer-old.png").open(QIODevice::WriteOnly);
    {
        qt::SniStatusItem item(itemBus, path);
        item.setImage(logo);
        QCoreApplication::processEvents();
        EXPECT_EQ(item.iconThemePath(), path);
        EXPECT_FALSE(QFile::exists(path + "/quillmere-timer-old.png"));
        EXPECT_FALSE(QFile::exists(path + "/hicolor/22x22/apps/quillmere-timer-old.png"));
        EXPECT_TRUE(QFile::exists(path + "/org.quillmere.Timer.png"));
    }
    // The next run takes the same folder: one per user, however many runs ended.
    { qt::SniStatusItem item(itemBus, path); }
    EXPECT_EQ(QDir(runtime.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"quillmere-timer-icons"});

    // A link someone planted (even to a private folder), or a folder others may enter, is
    // never used or emptied.
    QFile(path + "/kept.png").open(QIODevice::WriteOnly);
    const QString link = runtime.filePath("planted");
    ASSERT_TRUE(QFile::link(path, link));
    EXPECT_EQ(qt::SniStatusItem(itemBus, link).iconThemePath(), QString());
    ::chmod(QFile::encodeName(path).constData(), 0755);
    EXPECT_EQ(qt::SniStatusItem(itemBus, path).iconThemePath(), QString());
    EXPECT_TRUE(QFile::exists(path + "/kept.png"));
}

} // namespace
} // namespace quillmere::testing
