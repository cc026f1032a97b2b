#pragma once

#include "platform/Panel.h"
#include "platform/View.h"

#include <QPoint>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QVBoxLayout;

namespace quillmere::qt {

class QtRunLoop;

// A frameless, application-modal window that renders a hosted view's tree as widgets. After any
// user change to a binding the tree is asked for again and the widgets are updated in place, so
// a field being typed into keeps its focus and cursor; only a change of shape rebuilds them.
class QtPanel : public QWidget, public Panel {
    Q_OBJECT

public:
    // The style a new panel starts with (titled, closable), before any flag is added.
    static constexpr std::uint64_t InitialStyleMask = 0x3;

    explicit QtPanel(QtRunLoop& runLoop);
    ~QtPanel() override;

    // Called by the run loop at the start of a modal run: renders the view afresh, sizes the
    // panel to it, centres it, shows it in front and then tells the view it appeared.
    void showForModalRun();

    // Panel.
    void setContentView(HostedView& view) override;
    bool hasContentView() const override { return content_ != nullptr; }
    void setContentHidden(bool hidden) override;
    void setWillClose(std::function<void()> willClose) override {
        willClose_ = std::move(willClose);
    }
    void setTitle(const std::string& title) override;
    std::uint64_t styleMask() const override { return styleMask_; }
    void setStyleMask(std::uint64_t mask) override;
    // Frameless: there is no title bar, so none of its buttons exist.
    bool hasStandardButton(StandardButton) const override { return false; }
    void hideStandardButton(StandardButton) override {}
    void setPreventsApplicationTerminationWhenModal(bool prevents) override;
    void setMovableByWindowBackground(bool movable) override { movable_ = movable; }
    void setTitleHidden(bool) override {}
    void setTitlebarAppearsTransparent(bool transparent) override;
    void center() override;
    void close() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    using Path = std::vector<std::size_t>;

    // The widgets of one node, beside the node in the tree.
    struct Rendered {
        QWidget* outer = nullptr;   // what sits in the parent's layout: a wrapper or the control
        QWidget* control = nullptr; // the node's own widget
        std::shared_ptr<const quillmere::Image> image;
        std::vector<Rendered> children;
    };

    // Asks the view for its tree and brings the widgets in line with it. `fresh`: a new showing,
    // where number fields show their value even over text the user left unreadable.
    void render(bool fresh);
    Rendered build(const ViewNode& node, Path& path);
    QWidget* wrap(const ViewNode& node, QWidget* control);
    void apply(const ViewNode& node, Rendered& rendered, bool fresh);
    void applyTree(const ViewNode& node, Rendered& rendered, bool fresh);
    void discardWidgets();
    // Gives each column of framed widgets the width its widest member needs.
    void alignColumns();
    // Runs `use` on the newest node at `path`, then renders again.
    void act(const Path& path, const std::function<void(const ViewNode&)>& use);
    const ViewNode* nodeAt(const Path& path) const;
    // The first control, in the order shown, whose node matches.
    QWidget* findControl(const std::function<bool(const ViewNode&)>& matches) const;
    QWidget* defaultButton() const;
    void focusFirstField();
    void applyLook();
    void notifyWillClose();
    bool isHud() const;

    QtRunLoop& runLoop_;
    HostedView* content_ = nullptr;
    bool contentHidden_ = false;
    // Shown for a modal run that has not been closed yet.
    bool shownForRun_ = false;
    std::function<void()> willClose_;
    std::uint64_t styleMask_ = InitialStyleMask;
    bool movable_ = false;
    QVBoxLayout* layout_;
    ViewNode tree_;
    std::optional<Rendered> rendered_;
    std::optional<QPoint> dragOffset_;
};

} // namespace quillmere::qt
