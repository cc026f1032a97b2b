#include "TimerOnBus.h"

#include "core/Cfg.h"
#include "core/UXAudio.h"
#include "platform/qt/QtImage.h"

#include <map>

namespace quillmere::testing {

namespace {

// Files from the folder, images from the packaged resources; a new image object on every
// look-up, as a plain loader gives.
class PackagedImages : public Resources {
public:
    explicit PackagedImages(Resources& files)
        : files_(files) {}
    std::optional<std::string> pathForResource(const std::string& name,
                                               const std::string& extension) const override {
        return files_.pathForResource(name, extension);
    }
    std::shared_ptr<const Image> image(const std::string& name) override {
        auto [found, added] = decoded_.try_emplace(name);
        if (added) {
            found->second.load(QStringLiteral(QUILLMERE_TEST_RESOURCES "/") +
                               QString::fromStdString(name));
        }
        return found->second.isNull() ? nullptr
                                      : std::make_shared<qt::QtImage>(name, found->second);
    }

private:
    Resources& files_;
    std::map<std::string, QImage> decoded_;
};

} // namespace

StatusAreaPlatform::StatusAreaPlatform(const QString& folder, QDBusConnection bus)
    : SimPlatform(folder.toStdString())
    , bus_(std::move(bus))
    , images_(std::make_unique<PackagedImages>(files())) {
    files().writeFile("BuildInfo.txt", "Version=1.0.0\nBuild=42\nDate=2026-12-01\n");
    for (const char* sound : {"Sonar", "Bowl", "Whistle"}) {
        files().writeFile(std::string(sound) + "." + UXAudio::SoundExtension, "pcm");
    }
}

StatusAreaPlatform::~StatusAreaPlatform() = default;

std::unique_ptr<StatusItem> StatusAreaPlatform::createStatusItem(double) {
    // No tray here: without a watcher the item would be a window.
    auto item = std::make_unique<qt::AdaptiveStatusItem>(store(), bus_, [] { return false; });
    item_ = item.get();
    return item;
}

TimerOnBus::TimerOnBus()
    : itemBus(bus.connect("item"))
    , hostBus(bus.connect("host"))
    , area(hostBus)
    , platform(folder.path(), itemBus) {}

void TimerOnBus::storeSettings() {
    platform.store().setString(Cfg::VersionKey, "0.9");
    platform.store().setBool(Cfg::PopupAlertsKey, false);
    platform.store().setBool(Cfg::AutoRestartKey, false);
    platform.store().setBool(Cfg::ShowCountdownKey, true);
}

void TimerOnBus::launch() {
    controller = std::make_unique<App>(false, platform);
    platform.app().run([this] { controller->applicationDidFinishLaunching(); });
}

void TimerOnBus::advance(double seconds) {
    platform.loop().advanceSeconds(seconds);
    area.settle();
}

} // namespace quillmere::testing
