#pragma once

#include "platform/StatusItem.h"

#include <QImage>
#include <QString>

class QPainter;

#include <map>
#include <optional>
#include <string>

namespace quillmere {
class Image;
}

namespace quillmere::qt {

// The status icon with the time in it, for status areas that show no title beside the icon: the
// logo, the title's number on a dark plate, and a ring for the part of the interval that is gone.
// It keeps the last picture of each size and draws again only when what it shows changes.
class StatusIconPainter {
public:
    // The ring moves in 24 steps: 15 degrees, about 2.6 px of its length at 22 px.
    static constexpr int RingSteps = 24;

    // Everything a picture shows; equal contents are the same picture.
    struct Content {
        QImage logo; // null: the number alone
        QString text;
        bool red = false;
        int ringStep = -1; // 0..RingSteps; -1: no ring

        bool operator==(const Content& other) const;
    };

    // What the icon shows for the item's state: its image, its title and colour, and the part of
    // the interval that is gone (none: no ring).
    static Content content(const Image* image, const std::string& title, TitleColor color,
                           std::optional<double> elapsed);
    // The title as the icon carries it: the number without ">" and "m"; while counting up the
    // whole minutes or hours without "+", and "+" alone in the first minute.
    static QString iconText(const std::string& title);

    // The picture, `size` pixels square; drawn only when it differs from the last of that size.
    QImage picture(const Content& content, int size);

private:
    static QImage draw(const Content& content, int size);
    static void drawBand(QPainter& painter, const Content& content, int size);

    std::map<int, std::pair<Content, QImage>> last_;
};

} // namespace quillmere::qt
