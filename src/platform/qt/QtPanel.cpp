#include "platform/qt/QtPanel.h"

#include "platform/Image.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtRunLoop.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <map>

namespace quillmere::qt {

namespace {

using Kind = ViewNode::Kind;
using Alignment = ViewNode::Alignment;

// The heads-up look: a dark panel, ~92% opaque, with light text.
const QColor HudBackground(30, 30, 30, 235);
constexpr qreal HudCornerRadius = 10;
constexpr double Title2Scale = 1.3;
constexpr double CaptionScale = 0.85;
constexpr const char* SourceText = "quillmereSourceText";
// Room for every digit of a 64-bit number and its sign.
constexpr int NumberFieldMaxLength = 20;
// What a number field always has room for: three digits.
const QString ShortestRoomFor = QStringLiteral("000");
// The width a frame asked for, on the widget that holds it.
constexpr const char* ColumnWidth = "quillmereColumnWidth";

// A number field submits on Return itself: the key must not travel on to the panel, where it
// would press the default button as well. It asks for room for a short number or its
// placeholder, not for QLineEdit's seventeen letters, so that a frame can be its least width.
class NumberField : public QLineEdit {
public:
    std::function<void()> onSubmit;

    QSize sizeHint() const override {
        const QSize letters = QLineEdit::sizeHint();
        const QFontMetrics metrics(font());
        const int text = std::max(metrics.horizontalAdvance(ShortestRoomFor),
                                  metrics.horizontalAdvance(placeholderText()));
        // QLineEdit counts seventeen x's between its margins; a cursor's width more.
        return {letters.width() - 17 * metrics.horizontalAdvance(u'x') + text + 1,
                letters.height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
            if (onSubmit) {
                onSubmit();
            }
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
};

// The validator lets through ASCII digits and a minus only, whatever the locale.
std::optional<std::int64_t> parseInteger(const QString& text) {
    bool ok = false;
    const qlonglong value = QLocale::c().toLongLong(text, &ok);
    return ok ? std::optional<std::int64_t>(value) : std::nullopt;
}

// Inline Markdown as rich text. Qt's Markdown reader colours links from the application's
// palette, unreadable on the dark panel, so they take the panel's link colour instead.
QString markdownHtml(const QString& markdown, const QFont& font, const QColor& linkColor) {
    QTextDocument document;
    document.setDefaultFont(font);
    document.setMarkdown(markdown, QTextDocument::MarkdownNoHTML);
    std::vector<std::pair<int, int>> links;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (fragment.fragment().charFormat().isAnchor()) {
                links.emplace_back(fragment.fragment().position(), fragment.fragment().length());
            }
        }
    }
    QTextCharFormat linkFormat;
    linkFormat.setForeground(linkColor);
    for (const auto& [position, length] : links) {
        QTextCursor cursor(&document);
        cursor.setPosition(position);
        cursor.setPosition(position + length, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(linkFormat);
    }
    return document.toHtml();
}

QString numberText(std::int64_t value) {
    return QString::number(static_cast<qlonglong>(value));
}

int points(double length) {
    return std::max(0, static_cast<int>(std::lround(length)));
}

Qt::Alignment frameAlignment(Alignment alignment) {
    switch (alignment) {
    case Alignment::Leading:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case Alignment::Trailing:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Alignment::Top:
        return Qt::AlignTop | Qt::AlignHCenter;
    case Alignment::Bottom:
        return Qt::AlignBottom | Qt::AlignHCenter;
    case Alignment::Center:
        break;
    }
    return Qt::AlignCenter;
}

// A stack aligns its children across its own axis.
Qt::Alignment crossAlignment(const ViewNode& stack) {
    if (stack.kind == Kind::VStack) {
        switch (stack.alignment) {
        case Alignment::Leading:
            return Qt::AlignLeft;
        case Alignment::Trailing:
            return Qt::AlignRight;
        default:
            return Qt::AlignHCenter;
        }
    }
    switch (stack.alignment) {
    case Alignment::Top:
        return Qt::AlignTop;
    case Alignment::Bottom:
        return Qt::AlignBottom;
    default:
        return Qt::AlignVCenter;
    }
}

// Controls that fill the frame they are given; the others keep their ideal size inside it.
bool fillsFrame(Kind kind) {
    return kind == Kind::NumberField || kind == Kind::Picker || kind == Kind::Image;
}

bool sameFrame(const std::optional<ViewNode::Frame>& a, const std::optional<ViewNode::Frame>& b) {
    if (a.has_value() != b.has_value()) {
        return false;
    }
    return !a || (a->width == b->width && a->height == b->height && a->alignment == b->alignment);
}

bool samePadding(const ViewNode::Padding& a, const ViewNode::Padding& b) {
    return a.top == b.top && a.leading == b.leading && a.bottom == b.bottom &&
           a.trailing == b.trailing;
}

// Whether `b` can be shown by updating the widgets built for `a`.
bool sameShape(const ViewNode& a, const ViewNode& b) {
    if (a.kind != b.kind || a.markdown != b.markdown || a.textStyle != b.textStyle ||
        a.alignment != b.alignment || a.spacing != b.spacing || a.fixedSize != b.fixedSize ||
        !sameFrame(a.frame, b.frame) || !samePadding(a.padding, b.padding) ||
        a.children.size() != b.children.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.children.size(); ++i) {
        if (!sameShape(a.children[i], b.children[i])) {
            return false;
        }
    }
    return true;
}

QPalette hudPalette(QPalette palette) {
    const QColor text(235, 235, 235);
    const QColor dimmed(125, 125, 125);
    palette.setColor(QPalette::Window, QColor(30, 30, 30));
    palette.setColor(QPalette::Base, QColor(52, 52, 52));
    palette.setColor(QPalette::AlternateBase, QColor(44, 44, 44));
    palette.setColor(QPalette::Button, QColor(68, 68, 68));
    palette.setColor(QPalette::Highlight, QColor(58, 110, 200));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(110, 170, 255));
    palette.setColor(QPalette::LinkVisited, QColor(170, 140, 255));
    palette.setColor(QPalette::Light, QColor(90, 90, 90));
    palette.setColor(QPalette::Midlight, QColor(78, 78, 78));
    palette.setColor(QPalette::Mid, QColor(48, 48, 48));
    palette.setColor(QPalette::Dark, QColor(22, 22, 22));
    palette.setColor(QPalette::Shadow, QColor(0, 0, 0));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                     QPalette::BrightText, QPalette::PlaceholderText}) {
        palette.setColor(QPalette::Active, role, text);
        palette.setColor(QPalette::Inactive, role, text);
        palette.setColor(QPalette::Disabled, role, dimmed);
    }
    palette.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    palette.setColor(QPalette::Disabled, QPalette::Base, QColor(40, 40, 40));
    palette.setColor(QPalette::Disabled, QPalette::Button, QColor(45, 45, 45));
    return palette;
}

} // namespace

QtPanel::QtPanel(QtRunLoop& runLoop)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , runLoop_(runLoop)
    , layout_(new QVBoxLayout(this)) {
    setWindowModality(Qt::ApplicationModal);
    // A tray program has no main window: closing its last visible window must not quit it.
    setAttribute(Qt::WA_QuitOnClose, false);
    layout_->setContentsMargins(0, 0, 0, 0);
    // The panel is exactly as large as its content wants to be.
    layout_->setSizeConstraint(QLayout::SetFixedSize);
    applyLook();
}

QtPanel::~QtPanel() {
    // Let go of the widgets while this panel is whole: a field losing its focus as QWidget's
    // teardown deletes it would call into a half-destroyed panel, and the view may be gone.
    content_ = nullptr;
    willClose_ = nullptr;
    if (rendered_) {
        QWidget* widgets = rendered_->outer;
        rendered_.reset();
        delete widgets;
    }
}

void QtPanel::showForModalRun() {
    // Shown only inside a modal run, where the run loop holds the timers.
    Q_ASSERT(runLoop_.inModalRun());
    shownForRun_ = true;
    render(true);
    ensurePolished(); // the style's metrics count in the size the panel is centred with
    layout_->activate();
    center();
    show();
    raise();
    activateWindow();
    focusFirstField();
    if (tree_.onAppear) {
        const auto onAppear = tree_.onAppear;
        onAppear();
    }
}

void QtPanel::setContentView(HostedView& view) {
    discardWidgets();
    content_ = &view;
}

void QtPanel::setContentHidden(bool hidden) {
    contentHidden_ = hidden;
    if (rendered_) {
        rendered_->outer->setVisible(!hidden);
    }
}

void QtPanel::setTitle(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

void QtPanel::setStyleMask(std::uint64_t mask) {
    styleMask_ = mask;
    applyLook();
}

void QtPanel::setPreventsApplicationTerminationWhenModal(bool prevents) {
    setAttribute(Qt::WA_QuitOnClose, !prevents);
}

void QtPanel::setTitlebarAppearsTransparent(bool transparent) {
    // The title bar is there but shows nothing: a strip of the panel's own background on top,
    // which also gives the content some air and a place to drag the panel by.
    const int strip = transparent ? style()->pixelMetric(QStyle::PM_TitleBarHeight) : 0;
    layout_->setContentsMargins(0, strip, 0, 0);
}

void QtPanel::center() {
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void QtPanel::close() {
    // Hidden by something else during its run, the panel must still end the run when closed.
    if (!isVisible() && !shownForRun_) {
        return;
    }
    shownForRun_ = false;
    hide();
    notifyWillClose();
}

void QtPanel::notifyWillClose() {
    if (willClose_) {
        const auto willClose = willClose_;
        willClose();
    }
}

bool QtPanel::isHud() const {
    return (styleMask_ & PanelStyle::HudWindow) != 0;
}

void QtPanel::applyLook() {
    // Takes effect when the native window is made, at the first showing; the hosts set the
    // style right after building the panel.
    setAttribute(Qt::WA_TranslucentBackground, isHud());
    setPalette(isHud() ? hudPalette(QGuiApplication::palette()) : QGuiApplication::palette());
    update();
}

void QtPanel::paintEvent(QPaintEvent* event) {
    if (!isHud()) {
        QWidget::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 255, 255, 40), 1));
    painter.setBrush(HudBackground);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), HudCornerRadius,
                            HudCornerRadius);
}

void QtPanel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept(); // the views have no cancel: only they close their window
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (QWidget* button = defaultButton(); button != nullptr && button->isEnabled()) {
            event->accept();
            static_cast<QPushButton*>(button)->click();
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void QtPanel::closeEvent(QCloseEvent* event) {
    // The window manager's close (or Alt-F4) goes the way of close(): the modal run ends.
    const bool wasShown = isVisible() || shownForRun_;
    shownForRun_ = false;
    event->accept();
    if (wasShown) {
        notifyWillClose();
    }
}

void QtPanel::mousePressEvent(QMouseEvent* event) {
    if (!movable_ || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    // The window system moves it where it can (and must, on Wayland); elsewhere we do.
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
        return;
    }
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void QtPanel::mouseMoveEvent(QMouseEvent* event) {
    if (dragOffset_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - *dragOffset_);
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void QtPanel::mouseReleaseEvent(QMouseEvent* event) {
    dragOffset_.reset();
    QWidget::mouseReleaseEvent(event);
}

void QtPanel::render(bool fresh) {
    if (content_ == nullptr) {
        discardWidgets();
        return;
    }
    ViewNode next = content_->body();
    if (rendered_ && sameShape(tree_, next)) {
        tree_ = std::move(next);
        applyTree(tree_, *rendered_, fresh);
        alignColumns();
        return;
    }
    discardWidgets();
    tree_ = std::move(next);
    Path path;
    rendered_ = build(tree_, path);
    layout_->addWidget(rendered_->outer);
    rendered_->outer->setVisible(!contentHidden_);
    alignColumns();
}

void QtPanel::alignColumns() {
    // Frames of one width make one column of a form (the labels, the controls): the column is
    // as wide as the widest of them needs, and never narrower than asked.
    ensurePolished();
    std::map<int, std::vector<QWidget*>> columns;
    QList<QWidget*> widgets = rendered_->outer->findChildren<QWidget*>();
    widgets.prepend(rendered_->outer);
    for (QWidget* widget : widgets) {
        if (const QVariant width = widget->property(ColumnWidth); width.isValid()) {
            columns[width.toInt()].push_back(widget);
        }
    }
    for (const auto& [asked, column] : columns) {
        int needed = asked;
        for (const QWidget* widget : column) {
            needed = std::max(needed, widget->sizeHint().width());
        }
        for (QWidget* widget : column) {
            widget->setMinimumWidth(needed);
        }
    }
}

void QtPanel::discardWidgets() {
    if (!rendered_) {
        return;
    }
    // Later: the widget whose signal led here may still be on the stack.
    QWidget* old = rendered_->outer;
    old->hide();
    layout_->removeWidget(old);
    old->deleteLater();
    rendered_.reset();
}

QtPanel::Rendered QtPanel::build(const ViewNode& node, Path& path) {
    Rendered out;
    switch (node.kind) {
    case Kind::VStack:
    case Kind::HStack: {
        auto* box = new QWidget;
        QBoxLayout* layout =
            node.kind == Kind::VStack ? static_cast<QBoxLayout*>(new QVBoxLayout) : new QHBoxLayout;
        box->setLayout(layout);
        layout->setContentsMargins(0, 0, 0, 0);
        if (node.spacing) {
            layout->setSpacing(points(*node.spacing));
        }
        for (std::size_t i = 0; i < node.children.size(); ++i) {
            path.push_back(i);
            Rendered child = build(node.children[i], path);
            path.pop_back();
            layout->addWidget(child.outer, 0, crossAlignment(node));
            out.children.push_back(std::move(child));
        }
        out.control = box;
        break;
    }
    case Kind::Text: {
        auto* label = new QLabel;
        QFont font = label->font();
        if (node.textStyle == ViewNode::TextStyle::Title2) {
            font.setPointSizeF(font.pointSizeF() * Title2Scale);
            font.setBold(true);
        } else if (node.textStyle == ViewNode::TextStyle::Caption) {
            font.setPointSizeF(font.pointSizeF() * CaptionScale);
        }
        label->setFont(font);
        if (node.markdown) {
            label->setTextFormat(Qt::RichText);
            label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
            connect(label, &QLabel::linkActivated, label,
                    [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
        } else {
            label->setTextFormat(Qt::PlainText);
        }
        out.control = label;
        break;
    }
    case Kind::Image: {
        auto* label = new QLabel;
        label->setAlignment(Qt::AlignCenter);
        out.control = label;
        break;
    }
    case Kind::NumberField: {
        auto* field = new NumberField;
        field->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]*")), field));
        field->setMaxLength(NumberFieldMaxLength);
        connect(field, &QLineEdit::textEdited, field, [this, path](const QString& text) {
            if (const std::optional<std::int64_t> value = parseInteger(text)) {
                act(path, [value](const ViewNode& current) {
                    if (current.setIntValue) {
                        current.setIntValue(*value);
                    }
                });
            }
        });
        // Text left unreadable shows the value again once the user leaves the field.
        connect(field, &QLineEdit::editingFinished, field, [this, path, field] {
            const ViewNode* current = nodeAt(path);
            if (current != nullptr && current->intValue && !parseInteger(field->text())) {
                field->setText(numberText(current->intValue()));
            }
        });
        field->onSubmit = [this, path] {
            act(path, [](const ViewNode& current) {
                if (current.action) {
                    current.action();
                }
            });
        };
        field->setFocusPolicy(Qt::StrongFocus);
        out.control = field;
        break;
    }
    case Kind::Toggle: {
        auto* box = new QCheckBox;
        connect(box, &QCheckBox::clicked, box, [this, path](bool on) {
            act(path, [on](const ViewNode& current) {
                if (current.setBoolValue) {
                    current.setBoolValue(on);
                }
            });
        });
        out.control = box;
        break;
    }
    case Kind::Picker: {
        auto* picker = new QComboBox;
        connect(picker, &QComboBox::activated, picker, [this, path](int index) {
            if (index < 0) {
                return;
            }
            act(path, [index](const ViewNode& current) {
                if (current.setSelectedIndex) {
                    current.setSelectedIndex(static_cast<std::size_t>(index));
                }
            });
        });
        out.control = picker;
        break;
    }
    case Kind::Button: {
        auto* button = new QPushButton;
        // Return is the panel's: it presses the default button, whichever has focus.
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, button, [this, path] {
            act(path, [](const ViewNode& current) {
                if (current.action) {
                    current.action();
                }
            });
        });
        out.control = button;
        break;
    }
    }
    if (node.kind == Kind::Toggle || node.kind == Kind::Picker || node.kind == Kind::Button) {
        // Not focusable: never takes focus by a click or at the start, but Tab still reaches it.
        out.control->setFocusPolicy(node.focusable ? Qt::StrongFocus : Qt::TabFocus);
    }
    out.outer = wrap(node, out.control);
    apply(node, out, true);
    return out;
}

QWidget* QtPanel::wrap(const ViewNode& node, QWidget* control) {
    const auto edge = [this](double length, QStyle::PixelMetric standard) {
        return length == ViewNode::DefaultLength ? style()->pixelMetric(standard) : points(length);
    };
    const int top = edge(node.padding.top, QStyle::PM_LayoutTopMargin);
    const int leading = edge(node.padding.leading, QStyle::PM_LayoutLeftMargin);
    const int bottom = edge(node.padding.bottom, QStyle::PM_LayoutBottomMargin);
    const int trailing = edge(node.padding.trailing, QStyle::PM_LayoutRightMargin);
    const bool padded = top != 0 || leading != 0 || bottom != 0 || trailing != 0;

    QWidget* outer = control;
    if (node.frame || padded) {
        outer = new QWidget;
        auto* layout = new QHBoxLayout(outer);
        layout->setSpacing(0);
        // Qt mirrors left and right in a right-to-left layout, as leading and trailing are.
        layout->setContentsMargins(leading, top, trailing, bottom);
        if (node.frame && !fillsFrame(node.kind)) {
            layout->addWidget(control, 0, frameAlignment(node.frame->alignment));
        } else {
            layout->addWidget(control);
        }
        if (node.frame && node.frame->width) {
            // A picture is drawn to its frame; anything else may need more room for its text
            // (a larger font), and takes it: see alignColumns().
            const int width = points(*node.frame->width) + leading + trailing;
            if (node.kind == Kind::Image) {
                outer->setFixedWidth(width);
            } else {
                outer->setMinimumWidth(width);
                outer->setProperty(ColumnWidth, width);
            }
        }
        if (node.frame && node.frame->height) {
            outer->setFixedHeight(points(*node.frame->height) + top + bottom);
        }
    }
    if (node.fixedSize) {
        outer->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        control->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }
    return outer;
}

void QtPanel::applyTree(const ViewNode& node, Rendered& rendered, bool fresh) {
    apply(node, rendered, fresh);
    for (std::size_t i = 0; i < node.children.size(); ++i) {
        applyTree(node.children[i], rendered.children[i], fresh);
    }
}

void QtPanel::apply(const ViewNode& node, Rendered& rendered, bool fresh) {
    QWidget* control = rendered.control;
    control->setEnabled(!node.disabled);
    const QString text = QString::fromStdString(node.text);
    switch (node.kind) {
    case Kind::VStack:
    case Kind::HStack:
        break;
    case Kind::Text: {
        auto* label = static_cast<QLabel*>(control);
        // A Markdown label holds HTML: the text it was made from tells whether it changed.
        if (label->property(SourceText).toString() != text) {
            label->setProperty(SourceText, text);
            label->setText(node.markdown
                               ? markdownHtml(text, label->font(), palette().color(QPalette::Link))
                               : text);
        }
        break;
    }
    case Kind::Image: {
        if (rendered.image == node.image && !fresh) {
            break;
        }
        rendered.image = node.image;
        auto* label = static_cast<QLabel*>(control);
        const auto* picture = dynamic_cast<const QtImage*>(node.image.get());
        if (picture == nullptr || picture->image().isNull()) {
            label->setPixmap(QPixmap());
            break;
        }
        const double width =
            node.frame && node.frame->width ? *node.frame->width : picture->width();
        const double height =
            node.frame && node.frame->height ? *node.frame->height : picture->height();
        const qreal ratio = devicePixelRatioF();
        QPixmap pixmap = QPixmap::fromImage(
            picture->image().scaled(QSize(points(width * ratio), points(height * ratio)),
                                    Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        pixmap.setDevicePixelRatio(ratio);
        label->setPixmap(pixmap);
        break;
    }
    case Kind::NumberField: {
        auto* field = static_cast<NumberField*>(control);
        if (field->placeholderText() != text) {
            field->setPlaceholderText(text);
        }
        if (node.intValue) {
            const std::int64_t value = node.intValue();
            const std::optional<std::int64_t> shown = parseInteger(field->text());
            // What the user is typing stays as typed ("-", "007"); a value set by the view or a
            // new showing is written out.
            if (shown ? *shown != value : fresh) {
                field->setText(numberText(value));
            }
        }
        break;
    }
    case Kind::Toggle: {
        auto* box = static_cast<QCheckBox*>(control);
        box->setChecked(node.boolValue && node.boolValue());
        break;
    }
    case Kind::Picker: {
        auto* picker = static_cast<QComboBox*>(control);
        QStringList choices;
        for (const std::string& choice : node.choices) {
            choices.push_back(QString::fromStdString(choice));
        }
        QStringList shown;
        for (int i = 0; i < picker->count(); ++i) {
            shown.push_back(picker->itemText(i));
        }
        if (shown != choices) {
            picker->clear();
            picker->addItems(choices);
        }
        if (node.selectedIndex) {
            const std::size_t index = node.selectedIndex();
            picker->setCurrentIndex(index < node.choices.size() ? static_cast<int>(index) : -1);
        }
        break;
    }
    case Kind::Button: {
        auto* button = static_cast<QPushButton*>(control);
        if (button->text() != text) {
            button->setText(text);
        }
        button->setDefault(node.defaultAction);
        break;
    }
    }
}

void QtPanel::act(const Path& path, const std::function<void(const ViewNode&)>& use) {
    const ViewNode* found = nodeAt(path);
    if (found == nullptr) {
        return;
    }
    // A copy: rendering again replaces the tree, and with it the closures being run.
    const ViewNode node = *found;
    use(node);
    render(false);
}

const ViewNode* QtPanel::nodeAt(const Path& path) const {
    if (!rendered_) {
        return nullptr;
    }
    const ViewNode* node = &tree_;
    for (std::size_t index : path) {
        if (index >= node->children.size()) {
            return nullptr;
        }
        node = &node->children[index];
    }
    return node;
}

QWidget* QtPanel::findControl(const std::function<bool(const ViewNode&)>& matches) const {
    if (!rendered_) {
        return nullptr;
    }
    // Depth first, in the order the nodes are shown.
    std::vector<std::pair<const ViewNode*, const Rendered*>> pending{{&tree_, &*rendered_}};
    while (!pending.empty()) {
        const auto [node, rendered] = pending.back();
        pending.pop_back();
        if (matches(*node)) {
            return rendered->control;
        }
        for (std::size_t i = node->children.size(); i-- > 0;) {
            pending.emplace_back(&node->children[i], &rendered->children[i]);
        }
    }
    return nullptr;
}

QWidget* QtPanel::defaultButton() const {
    return findControl([](const ViewNode& node) {
        return node.kind == Kind::Button && node.defaultAction && !node.disabled;
    });
}

void QtPanel::focusFirstField() {
    QWidget* first = findControl([](const ViewNode& node) {
        return (node.focusable || node.kind == Kind::NumberField) && !node.disabled &&
               node.kind != Kind::VStack && node.kind != Kind::HStack && node.kind != Kind::Text;
    });
    if (first == nullptr) {
        return;
    }
    first->setFocus(Qt::ActiveWindowFocusReason);
    if (auto* field = qobject_cast<QLineEdit*>(first)) {
        field->selectAll();
    }
}

} // namespace quillmere::qt
