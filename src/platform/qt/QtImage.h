#pragma once

#include "platform/Image.h"

#include <QImage>

#include <string>

namespace quillmere::qt {

// An image resource decoded by Qt.
class QtImage : public Image {
public:
    QtImage(std::string name, QImage image)
        : name_(std::move(name))
        , image_(std::move(image)) {}

    const std::string& name() const override { return name_; }
    double width() const override { return image_.width(); }
    double height() const override { return image_.height(); }
    const QImage& image() const { return image_; }

private:
    std::string name_;
    QImage image_;
};

} // namespace quillmere::qt
