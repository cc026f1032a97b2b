// The time drawn into the status icon: legible at the size trays give, the states told apart,
// and the tray icon replaced only when the picture changes.
#include "platform/qt/StatusIconPainter.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtStatusItem.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <algorithm>

namespace quillmere::qt {
namespace {

QtImage logo(const char* name) {
    return QtImage(name, QImage(QStringLiteral(QUILLMERE_TEST_RESOURCES "/") + name));
}

// The box around the drawn digits: neutral light pixels (the logo's cream face is warmer).
QRect textBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 200 && std::min({c.red(), c.green(), c.blue()}) > 190 &&
                std::abs(c.red() - c.blue()) < 6) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

int colourfulness(const QImage& image, const QRect& area) {
    int most = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            most = std::max(most, std::max({c.red(), c.green(), c.blue()}) -
                                      std::min({c.red(), c.green(), c.blue()}));
        }
    }
    return most;
}

TEST(StatusIconPainter, DigitsAreLargeAndTellableApartAtTwentyTwoPixels) {
    const QtImage timer = logo("Quillmere.png");
    StatusIconPainter painter;
    for (const char* title : {"11m", "61m", ">1h", "8m"}) {
        const QRect box = textBox(painter.picture(
            StatusIconPainter::content(&timer, title, TitleColor::Default, 0.3), 22));
        EXPECT_GE(box.height(), 8) << title; // over a third of the icon's height
        EXPECT_GE(box.width(), 5) << title;
    }
    // Every digit reads differently from every other: they differ at least by a whole segment.
    std::vector<QImage> digits;
    for (char digit = '0'; digit <= '9'; ++digit) {
        digits.push_back(painter.picture(
            StatusIconPainter::content(&timer, std::string(1, digit), TitleColor::Default, 0.9),
            22));
    }
    for (std::size_t a = 0; a < digits.size(); ++a) {
        for (std::size_t b = a + 1; b < digits.size(); ++b) {
            int difference = 0;
            for (int y = 0; y < 22; ++y) {
                for (int x = 0; x < 22; ++x) {
                    difference += std::abs(digits[a].pixelColor(x, y).lightness() -
                                           digits[b].pixelColor(x, y).lightness());
                }
            }
            EXPECT_GE(difference, 800) << a << " and " << b; // four pixels of full contrast
        }
    }
}

TEST(StatusIconPainter, LogoStateRingAndColourShow) {
    const QtImage timer = logo("Quillmere.png");
    const QtImage grey = logo("QuillmereGrey.png");
    StatusIconPainter painter;
    // The top of the logo stays in sight above the digits: coloured while timing, grey after.
    const QRect top(8, 4, 6, 3);
    const QImage timing =
        painter.picture(StatusIconPainter::content(&timer, "7m", TitleColor::Default, 0.5), 22);
    const QImage reminding =
        painter.picture(StatusIconPainter::content(&grey, "+5m", TitleColor::Red, 1.0), 22);
    EXPECT_GT(colourfulness(timing, top), 80);
    EXPECT_LT(colourfulness(reminding, top), 20);

    // Half the interval gone: the ring is coloured on the right, not yet on the left.
    const auto ringColoured = [](const QImage& image, int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return c.red() > 200 && c.blue() < 120;
    };
    EXPECT_TRUE(ringColoured(timing, 21, 11));
    EXPECT_FALSE(ringColoured(timing, 0, 11));
    for (const QPoint point : {QPoint(11, 0), QPoint(21, 11), QPoint(11, 21), QPoint(0, 11)}) {
        EXPECT_TRUE(ringColoured(reminding, point.x(), point.y())) << point.x() << "," << point.y();
    }
    const QImage fresh =
        painter.picture(StatusIconPainter::content(&timer, "11m", TitleColor::Default, 0.0), 22);
    EXPECT_FALSE(ringColoured(fresh, 21, 11) || ringColoured(fresh, 11, 0));
    // The count-up's digits are red.
    EXPECT_GT(colourfulness(reminding, QRect(8, 10, 6, 8)), 120);
}

TEST(StatusIconPainter, TitlesShortenToTwoGlyphsMostly) {
    const std::pair<const char*, const char*> shortened[] = {
        {"11m", "11"}, {">1h", "1h"}, {"9", "9"},       {"0", "0"},
        {"+30", "+"},  {"+5m", "5"},  {"+>24h", "24h"}, {"", ""}};
    for (const auto& [title, text] : shortened) {
        EXPECT_EQ(StatusIconPainter::iconText(title), text) << title;
    }
}

TEST(QtStatusItemTest, TheTrayIconIsReplacedOncePerVisibleChange) {
    const auto logo =
        std::make_shared<QtImage>("Quillmere.png", QImage(8, 8, QImage::Format_ARGB32));
    const Font font{true, 12, Font::Weight::Regular};
    QtStatusItem item;
    // Two minutes of a ten-minute interval, refreshed each second as the unit does.
    for (int second = 0; second <= 120; ++second) {
        const double remaining = 600 - second;
        item.setImage(logo);
        item.setToolTip("some time left");
        item.setElapsedFraction(second / 600.0);
        item.setTitle(std::to_string(static_cast<int>(remaining) / 60 + 1) + "m", font,
                      TitleColor::Default);
        QCoreApplication::processEvents();
    }
    // The first picture; the minute turning at 1 s and 61 s; the ring's 24th steps at 25, 50,
    // 75 and 100 s.
    EXPECT_EQ(item.iconUpdates(), 7);
    EXPECT_TRUE(item.trayIcon().toolTip().endsWith("\nsome time left"));
    EXPECT_FALSE(item.trayIcon().icon().isNull());
}

} // namespace
} // namespace quillmere::qt
