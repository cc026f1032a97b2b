// The time drawn into the status icon: the digits told apart at the size trays give, the state
// shown by logo, ring and colour, and the tray icon replaced only when the picture changes.
#include "platform/qt/StatusIconPainter.h"
#include "platform/qt/QtImage.h"
#include "platform/qt/QtStatusItem.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace quillmere::qt {
namespace {

QImage draw(const std::string& title, double elapsed, TitleColor color = TitleColor::Default,
            const char* logo = "Quillmere.png") {
    const QtImage image(logo, QImage(QStringLiteral(QUILLMERE_TEST_RESOURCES "/") + logo));
    return StatusIconPainter().picture(StatusIconPainter::content(&image, title, color, elapsed),
                                       22);
}

// The largest spread of colour channels in `area`: the logo's orange and the red digits are far.
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

TEST(StatusIconPainter, EveryDigitReadsDifferentlyAtTwentyTwoPixels) {
    std::vector<QImage> digits;
    for (char digit = '0'; digit <= '9'; ++digit) {
        digits.push_back(draw(std::string(1, digit), 0.9));
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
    // Two glyphs at most, whole minutes or hours: a count-up in seconds would redraw each second.
    const std::pair<const char*, const char*> shortened[] = {
        {"11m", "11"}, {">1h", "1h"}, {"+30", "+"}, {"+>24h", "24h"}, {"Break", ""}};
    for (const auto& [title, text] : shortened) {
        EXPECT_EQ(StatusIconPainter::iconText(title), text) << title;
    }
}

TEST(StatusIconPainter, LogoRingAndColourTellTheState) {
    const QImage timing = draw("7m", 0.5);
    const QImage reminding = draw("+5m", 1.0, TitleColor::Red, "QuillmereGrey.png");
    // The top of the logo stays in sight above the digits: coloured while timing, grey after;
    // the count-up's digits are red.
    EXPECT_GT(colourfulness(timing, QRect(8, 4, 6, 3)), 80);
    EXPECT_LT(colourfulness(reminding, QRect(8, 4, 6, 3)), 20);
    EXPECT_GT(colourfulness(reminding, QRect(8, 10, 6, 8)), 120);
    // The ring fills clockwise from the top: the right half at half time, all of it at the end.
    const auto ring = [](const QImage& image, int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return c.red() > 200 && c.blue() < 120;
    };
    EXPECT_TRUE(ring(timing, 21, 11) && !ring(timing, 0, 11));
    EXPECT_TRUE(ring(reminding, 11, 0) && ring(reminding, 11, 21) && ring(reminding, 0, 11));
    EXPECT_FALSE(ring(draw("11m", 0.0), 21, 11));
}

TEST(QtStatusItemTest, TheTrayIconIsReplacedOncePerVisibleChange) {
    const auto logo =
        std::make_shared<QtImage>("Quillmere.png", QImage(8, 8, QImage::Format_ARGB32));
    QtStatusItem item;
    // Two minutes of a ten-minute interval, refreshed each second as the unit does.
    for (int second = 0; second <= 120; ++second) {
        item.setImage(logo);
        item.setToolTip("some time left");
        item.setElapsedFraction(second / 600.0);
        item.setTitle(std::to_string((600 - second) / 60 + 1) + "m", {true, 12},
                      TitleColor::Default);
        QCoreApplication::processEvents();
    }
    // The first picture; the minute turning at 1 s and 61 s; the ring's 24th steps at 25, 50,
    // 75 and 100 s.
    EXPECT_EQ(item.iconUpdates(), 7);
    EXPECT_TRUE(item.trayIcon().toolTip().endsWith("\nsome time left"));
}

} // namespace
} // namespace quillmere::qt
