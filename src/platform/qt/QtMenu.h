#pragma once

#include "platform/Menu.h"

#include <QMenu>

#include <memory>
#include <vector>

class QAction;

namespace quillmere::qt {

// One QAction of the status menu.
class QtMenuItem : public MenuItem {
public:
    QtMenuItem(QAction* action, std::string title, std::string actionName,
               std::string keyEquivalent, Menu::Action callback);

    const std::string& title() const override { return title_; }
    const std::string& actionName() const override { return actionName_; }
    const std::string& keyEquivalent() const override { return keyEquivalent_; }
    void setState(bool on) override;
    bool state() const override;
    void setEnabled(bool enabled) override;
    bool isEnabled() const override;
    bool isSeparator() const override;

    QAction* action() const { return action_; }
    // Carries out the item's action, as a click does.
    void trigger();

private:
    QAction* action_;
    std::string title_;
    std::string actionName_;
    std::string keyEquivalent_;
    Menu::Action callback_;
};

// The status menu as a QMenu; key equivalents act only while it is open.
class QtMenu : public Menu {
public:
    QtMenu();
    ~QtMenu() override;

    MenuItem& addItem(const std::string& title, const std::string& actionName,
                      const std::string& keyEquivalent, Action action) override;
    void addSeparator() override;
    MenuItem* itemWithTitle(const std::string& title) override;

    QMenu* menu() { return &menu_; }
    const std::vector<std::unique_ptr<QtMenuItem>>& items() const { return items_; }
    // Called after any item changed what it shows.
    void setChangedCallback(std::function<void()> changed) { changed_ = std::move(changed); }
    void notifyChanged() const;

private:
    QMenu menu_;
    std::vector<std::unique_ptr<QtMenuItem>> items_;
    std::function<void()> changed_;
};

} // namespace quillmere::qt
