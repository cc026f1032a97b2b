#include "platform/qt/StatusIconPainter.h"

#include "platform/qt/QtImage.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace quillmere::qt {

namespace {

const QColor Plate(24, 24, 24, 225);
const QColor Light(245, 245, 245);
const QColor Red(255, 90, 80);
const QColor Track(0, 0, 0, 100);
const QColor Gone(240, 138, 44); // the quill's orange

} // namespace

bool StatusIconPainter::Content::operator==(const Content& other) const {
    // The logo by identity: comparing its pixels every second would cost more than drawing.
    return logo.cacheKey() == other.logo.cacheKey() && text == other.text && red == other.red &&
           ringStep == other.ringStep;
}

StatusIconPainter::Content StatusIconPainter::content(const Image* image, const std::string& title,
                                                      TitleColor color,
                                                      std::optional<double> elapsed) {
    Content content;
    if (const auto* qtImage = dynamic_cast<const QtImage*>(image)) {
        content.logo = qtImage->image();
    }
    content.text = iconText(title);
    content.red = color == TitleColor::Red;
    if (elapsed) {
        // Written so that NaN lands on 0.
        const double part = *elapsed > 0 ? std::min(*elapsed, 1.0) : 0.0;
        content.ringStep = static_cast<int>(std::floor(part * RingSteps));
    }
    return content;
}

QString StatusIconPainter::iconText(const std::string& title) {
    QString text = QString::fromStdString(title);
    if (text.startsWith(u'+')) {
        // Counting up: red and the full ring already say so, and two glyphs are what stays
        // legible at 22 px. Whole minutes or hours only: seconds would redraw every second.
        if (!text.endsWith(u'm') && !text.endsWith(u'h')) {
            return QStringLiteral("+");
        }
        text.remove(0, 1);
    }
    text.remove(u'>');
    text.remove(u'm');
    return text;
}

QImage StatusIconPainter::picture(const Content& content, int size) {
    auto found = last_.find(size);
    if (found != last_.end() && found->second.first == content) {
        return found->second.second;
    }
    QImage drawn = draw(content, size);
    last_[size] = {content, drawn};
    return drawn;
}

QImage StatusIconPainter::draw(const Content& content, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    const bool ring = content.ringStep >= 0;
    // 2 px at 22 px, 4 px at 44 px.
    const qreal ringWidth = ring ? std::max(2.0, std::round(size / 11.0)) : 0.0;

    if (!content.logo.isNull()) {
        // Inside the ring, so the two circles don't cross.
        const QRectF inside(ringWidth, ringWidth, size - 2 * ringWidth, size - 2 * ringWidth);
        const QSizeF fitted =
            QSizeF(content.logo.size()).scaled(inside.size(), Qt::KeepAspectRatio);
        painter.drawImage(
            QRectF(inside.center() - QPointF(fitted.width(), fitted.height()) / 2, fitted),
            content.logo);
    }

    // Never an empty picture: without a logo and a title yet, an ellipsis holds the place.
    const QString text =
        content.text.isEmpty() && content.logo.isNull() ? QStringLiteral("…") : content.text;
    if (!text.isEmpty()) {
        QFont font;
        font.setBold(true);
        font.setPixelSize(std::max(6, size * 6 / 11)); // 12 px digits at 22 px
        const qreal room = size - 2 * ringWidth;
        // Shrink until the widest text ("+24h") fits inside the ring.
        while (font.pixelSize() > 6 &&
               QFontMetricsF(font).tightBoundingRect(text).width() > room - 2) {
            font.setPixelSize(font.pixelSize() - 1);
        }
        const QFontMetricsF metrics(font);
        const QRectF ink = metrics.tightBoundingRect(text);
        const qreal pad = std::max(1.0, size / 22.0);
        QRectF plate(0, 0, std::min(ink.width() + 2 * pad, room), ink.height() + 2 * pad);
        // Low in the icon with a logo, so the top of the logo stays in sight; centred without.
        const qreal bottom = size - ringWidth;
        plate.moveCenter(
            QPointF(size / 2.0, content.logo.isNull() ? size / 2.0 : bottom - plate.height() / 2));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Plate);
        painter.drawRoundedRect(plate, 2 * pad, 2 * pad);
        painter.setPen(content.red ? Red : Light);
        painter.setFont(font);
        // Place the ink itself (not the line box) in the plate, so the digits sit centred.
        painter.drawText(QPointF(plate.center().x() - ink.width() / 2 - ink.left(),
                                 plate.center().y() - ink.height() / 2 - ink.top()),
                         text);
    }

    if (ring) {
        const QRectF circle(ringWidth / 2, ringWidth / 2, size - ringWidth, size - ringWidth);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Track, ringWidth));
        painter.drawEllipse(circle);
        if (content.ringStep > 0) {
            painter.setPen(QPen(content.red ? Red : Gone, ringWidth, Qt::SolidLine, Qt::FlatCap));
            // From twelve o'clock, clockwise; Qt counts sixteenths of a degree, anticlockwise.
            painter.drawArc(circle, 90 * 16, -content.ringStep * 360 * 16 / RingSteps);
        }
    }
    return image;
}

} // namespace quillmere::qt
