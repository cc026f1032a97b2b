#include "platform/sim/SimServices.h"

#include <fstream>

namespace quillmere::sim {

namespace {

class SimSound : public Sound {
public:
    SimSound(std::string name, std::vector<std::string>& played)
        : name_(std::move(name))
        , played_(played) {}
    void play() override { played_.push_back(name_); }

private:
    std::string name_;
    std::vector<std::string>& played_;
};

} // namespace

std::optional<std::string> SimResources::pathForResource(const std::string& name,
                                                         const std::string& extension) const {
    const std::filesystem::path path = folder_ / (name + "." + extension);
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return std::nullopt;
    }
    return path.string();
}

std::shared_ptr<const Image> SimResources::image(const std::string& name) {
    ++imageLookups_;
    const auto found = images_.find(name);
    return found != images_.end() ? found->second : nullptr;
}

void SimResources::writeFile(const std::string& fileName, const std::string& content) const {
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ / fileName, std::ios::binary) << content;
}

void SimResources::removeFile(const std::string& fileName) const {
    std::error_code error;
    std::filesystem::remove(folder_ / fileName, error);
}

std::unique_ptr<Sound> SimAudio::load(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size == 0) {
        return nullptr;
    }
    return std::make_unique<SimSound>(std::filesystem::path(path).stem().string(), played_);
}

const StoredValue* SimDefaultsStore::find(const std::string& key) const {
    const auto found = values_.find(key);
    return found != values_.end() ? &found->second : nullptr;
}

bool SimDefaultsStore::boolValue(const std::string& key) const {
    const StoredValue* value = find(key);
    return value != nullptr && stored::asBool(*value);
}

std::int64_t SimDefaultsStore::integerValue(const std::string& key) const {
    const StoredValue* value = find(key);
    return value != nullptr ? stored::asInteger(*value) : 0;
}

double SimDefaultsStore::doubleValue(const std::string& key) const {
    const StoredValue* value = find(key);
    return value != nullptr ? stored::asDouble(*value) : 0;
}

std::optional<std::string> SimDefaultsStore::stringValue(const std::string& key) const {
    const StoredValue* value = find(key);
    if (value == nullptr) {
        return std::nullopt;
    }
    return stored::asString(*value);
}

int SimApplication::run(std::function<void()> didFinishLaunching) {
    // Launching finishes at once; the test then drives the run loop itself.
    didFinishLaunching();
    return 0;
}

void SimWakeNotifier::wake() {
    const auto snapshot = observers_;
    for (const auto& [name, observer] : snapshot) {
        observer();
    }
}

} // namespace quillmere::sim
