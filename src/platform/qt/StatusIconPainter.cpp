#include "platform/qt/StatusIconPainter.h"

#include "platform/qt/QtImage.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <map>

namespace quillmere::qt {

namespace {

const QColor Plate(24, 24, 24, 225);
const QColor Light(245, 245, 245);
const QColor Red(255, 90, 80);
const QColor Track(0, 0, 0, 100);
const QColor Gone(240, 138, 44); // the quill's orange

// The number is drawn in segments, as on a clock's display, not with a font: they stay crisp at
// 22 px, and no font engine is loaded for a few digits (which keeps the idle program about 3 MB
// smaller). A glyph is one unit wide and two high; strokes follow its edges and middle.
QPainterPath segments(QChar glyph) {
    // Top, top right, bottom right, bottom, bottom left, top left, middle; and the stem of "1"
    // down the middle with its flag, so that "11" doesn't read as two bars far apart.
    static const QLineF edge[] = {{0, 0, 1, 0}, {1, 0, 1, 1},         {1, 1, 1, 2},
                                  {0, 2, 1, 2}, {0, 1, 0, 2},         {0, 0, 0, 1},
                                  {0, 1, 1, 1}, {0.5, 0, 0.15, 0.35}, {0.5, 0, 0.5, 2}};
    static const std::map<char16_t, const char*> lit = {
        {u'0', "abcdef"}, {u'1', "hi"},     {u'2', "abged"},    {u'3', "abgcd"},   {u'4', "fgbc"},
        {u'5', "afgcd"},  {u'6', "afgedc"}, {u'7', "abc"},      {u'8', "abcdefg"}, {u'9', "abcdfg"},
        {u'h', "fegc"},   {u'-', "g"},      {u'\u2016', "bcef"}}; // the pause sign: two bars
    QPainterPath path;
    if (glyph == u'+') {
        path.moveTo(0, 1);
        path.lineTo(1, 1);
        path.moveTo(0.5, 0.5);
        path.lineTo(0.5, 1.5);
    } else if (glyph == u'…') {
        for (const qreal x : {0.0, 0.5, 1.0}) {
            path.moveTo(x, 2);
            path.lineTo(x, 2); // a round cap makes the dot
        }
    } else if (const auto found = lit.find(glyph.unicode()); found != lit.end()) {
        for (const char* segment = found->second; *segment != 0; ++segment) {
            const QLineF& line = edge[*segment - 'a'];
            path.moveTo(line.p1());
            path.lineTo(line.p2());
        }
    }
    return path;
}

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
    // Paused: the sign alone (the tooltip tells how long); a title in words has no number.
    if (text.startsWith(u'\u2016')) {
        return text.left(1);
    }
    if (std::none_of(title.begin(), title.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return {};
    }
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
    // Qt's raster engine hands a fill of more than about 96 spans to helper threads and sleeps
    // until they are done: a ring alone has that many, and each picture then cost the idle
    // program extra wake-ups. Painted two rows at a time, no fill gets that large.
    for (int top = 0; top < size; top += 2) {
        QPainter painter(&image);
        painter.setClipRect(0, top, size, 2);
        drawBand(painter, content, size);
    }
    return image;
}

void StatusIconPainter::drawBand(QPainter& painter, const Content& content, int size) {
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
        const qreal room = size - 2 * ringWidth - 2;
        // Glyphs half as wide as high, a quarter of their height apart: as tall as the room
        // inside the ring lets them be, up to 9 px at 22 px, so the top of the logo shows.
        const qreal count = text.size();
        const qreal height = std::min(size * 9 / 22.0, room / (count * 0.5 + (count - 1) * 0.25));
        const qreal stroke = std::max(1.0, height / 5);
        const qreal pad = std::max(1.0, size / 22.0);
        const QSizeF ink(count * height * 0.5 + (count - 1) * height * 0.25 + stroke,
                         height + stroke);
        QRectF plate(QPointF(), ink + QSizeF(2 * pad, 2 * pad));
        // Low in the icon with a logo, so the top of the logo stays in sight; centred without.
        const qreal bottom = size - ringWidth;
        plate.moveCenter(
            QPointF(size / 2.0, content.logo.isNull() ? size / 2.0 : bottom - plate.height() / 2));
        painter.setPen(Qt::NoPen);
        painter.setBrush(Plate);
        painter.drawRoundedRect(plate, 2 * pad, 2 * pad);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(
            QPen(content.red ? Red : Light, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPointF origin = plate.topLeft() + QPointF(pad + stroke / 2, pad + stroke / 2);
        for (const QChar glyph : text) {
            painter.drawPath(QTransform::fromScale(height / 2, height / 2)
                                 .translate(origin.x() * 2 / height, origin.y() * 2 / height)
                                 .map(segments(glyph)));
            origin.rx() += height * 0.75;
        }
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
}

} // namespace quillmere::qt
