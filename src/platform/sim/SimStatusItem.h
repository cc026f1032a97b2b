#pragma once

#include "platform/Image.h"
#include "platform/Menu.h"
#include "platform/StatusItem.h"

#include <memory>
#include <string>
#include <vector>

namespace quillmere::sim {

class SimMenuItem : public MenuItem {
public:
    SimMenuItem(std::string title, std::string actionName, std::string keyEquivalent,
                Menu::Action action, bool separator)
        : title_(std::move(title))
        , actionName_(std::move(actionName))
        , keyEquivalent_(std::move(keyEquivalent))
        , action_(std::move(action))
        , separator_(separator) {}

    const std::string& title() const override { return title_; }
    const std::string& actionName() const override { return actionName_; }
    const std::string& keyEquivalent() const override { return keyEquivalent_; }
    void setState(bool on) override { state_ = on; }
    bool state() const override { return state_; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool isEnabled() const override { return enabled_; }
    void setHidden(bool hidden) override { hidden_ = hidden; }
    bool isHidden() const override { return hidden_; }
    bool isSeparator() const override { return separator_; }

    // The user chooses the item; a hidden or disabled one can't be chosen.
    void click() {
        if (action_ && enabled_ && !hidden_) {
            action_(*this);
        }
    }

private:
    std::string title_;
    std::string actionName_;
    std::string keyEquivalent_;
    Menu::Action action_;
    bool separator_;
    bool state_ = false;
    bool enabled_ = true;
    bool hidden_ = false;
};

class SimMenu : public Menu {
public:
    MenuItem& addItem(const std::string& title, const std::string& actionName,
                      const std::string& keyEquivalent, Action action) override {
        items_.push_back(std::make_unique<SimMenuItem>(title, actionName, keyEquivalent,
                                                       std::move(action), false));
        return *items_.back();
    }
    void addSeparator() override {
        items_.push_back(std::make_unique<SimMenuItem>("", "", "", nullptr, true));
    }
    MenuItem* itemWithTitle(const std::string& title) override { return find(title); }

    SimMenuItem* find(const std::string& title) {
        for (auto& item : items_) {
            if (!item->isSeparator() && item->title() == title) {
                return item.get();
            }
        }
        return nullptr;
    }
    // Chooses the item with this title; false when there is none.
    bool click(const std::string& title) {
        SimMenuItem* item = find(title);
        if (item == nullptr) {
            return false;
        }
        item->click();
        return true;
    }
    const std::vector<std::unique_ptr<SimMenuItem>>& items() const { return items_; }

private:
    std::vector<std::unique_ptr<SimMenuItem>> items_;
};

// Records what the item shows.
class SimStatusItem : public StatusItem {
public:
    explicit SimStatusItem(double length, bool titleHiddenByDesktop = false)
        : length_(length)
        , titleHidden_(titleHiddenByDesktop) {}

    void setImage(std::shared_ptr<const Image> image) override {
        image_ = std::move(image);
        ++imageSets_;
    }
    bool hasImage() const override { return image_ != nullptr; }
    void setImageSize(double width, double height) override {
        imageWidth_ = width;
        imageHeight_ = height;
    }
    void setTitle(const std::string& text, const Font& font, TitleColor color) override {
        title_ = text;
        font_ = font;
        color_ = color;
        ++titleSets_;
    }
    void setMenu(Menu& menu) override { menu_ = &dynamic_cast<SimMenu&>(menu); }
    void setToolTip(const std::string& text) override { toolTip_ = text; }
    void setElapsedFraction(double fraction) override { elapsed_ = fraction; }
    void setTimeInIcon(bool on) override { timeInIcon_ = on; }
    bool titleHiddenByDesktop() const override { return titleHidden_; }

    double length() const { return length_; }
    // The shown image's resource name, or empty.
    std::string imageName() const { return image_ ? image_->name() : std::string(); }
    double imageWidth() const { return imageWidth_; }
    double imageHeight() const { return imageHeight_; }
    const std::string& title() const { return title_; }
    const Font& font() const { return font_; }
    TitleColor color() const { return color_; }
    int titleSets() const { return titleSets_; }
    int imageSets() const { return imageSets_; }
    SimMenu* menu() const { return menu_; }
    const std::string& toolTip() const { return toolTip_; }
    double elapsedFraction() const { return elapsed_; }
    bool timeInIcon() const { return timeInIcon_; }

private:
    double length_;
    std::shared_ptr<const Image> image_;
    double imageWidth_ = 0;
    double imageHeight_ = 0;
    std::string title_;
    Font font_;
    TitleColor color_ = TitleColor::Default;
    int titleSets_ = 0;
    int imageSets_ = 0;
    SimMenu* menu_ = nullptr;
    bool titleHidden_;
    std::string toolTip_;
    double elapsed_ = 0;
    bool timeInIcon_ = false;
};

} // namespace quillmere::sim
