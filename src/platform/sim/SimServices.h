#pragma once

#include "platform/Application.h"
#include "platform/Audio.h"
#include "platform/DefaultsStore.h"
#include "platform/Image.h"
#include "platform/Resources.h"
#include "platform/StoredValue.h"
#include "platform/SystemLog.h"
#include "platform/WakeNotifier.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace quillmere::sim {

class SimImage : public Image {
public:
    SimImage(std::string name, double width, double height)
        : name_(std::move(name))
        , width_(width)
        , height_(height) {}
    const std::string& name() const override { return name_; }
    double width() const override { return width_; }
    double height() const override { return height_; }

private:
    std::string name_;
    double width_;
    double height_;
};

// Resources in a folder the test fills; images are registered in memory.
class SimResources : public Resources {
public:
    explicit SimResources(std::filesystem::path folder)
        : folder_(std::move(folder)) {}

    std::optional<std::string> pathForResource(const std::string& name,
                                               const std::string& extension) const override;
    std::shared_ptr<const Image> image(const std::string& name) override;

    void addImage(const std::string& name, double width, double height) {
        images_[name] = std::make_shared<SimImage>(name, width, height);
    }
    void removeImage(const std::string& name) { images_.erase(name); }
    // Writes a resource file.
    void writeFile(const std::string& fileName, const std::string& content) const;
    void removeFile(const std::string& fileName) const;
    const std::filesystem::path& folder() const { return folder_; }
    int imageLookups() const { return imageLookups_; }

private:
    std::filesystem::path folder_;
    std::map<std::string, std::shared_ptr<const Image>> images_;
    int imageLookups_ = 0;
};

// Decodes nothing: a file loads when it exists and is not empty.
class SimAudio : public Audio {
public:
    std::unique_ptr<Sound> load(const std::string& path) override;
    void beep() override { played_.push_back("beep"); }

    // Everything played, in order: the sound's file stem, or "beep".
    const std::vector<std::string>& played() const { return played_; }
    void clearPlayed() { played_.clear(); }

private:
    std::vector<std::string> played_;
};

// The defaults store in memory, with the typed reads of every store.
class SimDefaultsStore : public DefaultsStore {
public:
    bool contains(const std::string& key) const override { return values_.count(key) != 0; }
    bool boolValue(const std::string& key) const override;
    std::int64_t integerValue(const std::string& key) const override;
    double doubleValue(const std::string& key) const override;
    std::optional<std::string> stringValue(const std::string& key) const override;
    void setBool(const std::string& key, bool value) override { values_[key] = value; }
    void setDouble(const std::string& key, double value) override { values_[key] = value; }
    void setString(const std::string& key, const std::string& value) override {
        values_[key] = value;
    }

    // Stores any value, as a hand-edited file might hold it.
    void put(const std::string& key, StoredValue value) { values_[key] = std::move(value); }
    const StoredValue* find(const std::string& key) const;
    const std::map<std::string, StoredValue>& values() const { return values_; }

private:
    std::map<std::string, StoredValue> values_;
};

class SimApplication : public Application {
public:
    int run(std::function<void()> didFinishLaunching) override;
    void terminate() override { ++terminations_; }
    void activateIgnoringOtherApps() override { ++activations_; }

    int terminations() const { return terminations_; }
    int activations() const { return activations_; }

private:
    int terminations_ = 0;
    int activations_ = 0;
};

class SimWakeNotifier : public WakeNotifier {
public:
    void addWakeObserver(std::string name, std::function<void()> observer) override {
        observers_.emplace_back(std::move(name), std::move(observer));
    }
    void removeWakeObserver(const std::string& name) override {
        std::erase_if(observers_, [&](const auto& entry) { return entry.first == name; });
    }
    // The computer woke: every observer hears it.
    void wake();
    std::size_t observerCount() const { return observers_.size(); }

private:
    std::vector<std::pair<std::string, std::function<void()>>> observers_;
};

class SimSystemLog : public SystemLog {
public:
    struct Entry {
        std::string subsystem;
        std::string category;
        std::string message;
    };
    bool isErrorEnabled() const override { return errorEnabled_; }
    void error(const std::string& subsystem, const std::string& category,
               const std::string& message) override {
        entries_.push_back({subsystem, category, message});
    }
    void setErrorEnabled(bool enabled) { errorEnabled_ = enabled; }
    const std::vector<Entry>& entries() const { return entries_; }

private:
    bool errorEnabled_ = true;
    std::vector<Entry> entries_;
};

} // namespace quillmere::sim
