#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quillmere {

class Image;

// A declarative view tree: the units describe a window's content with it, a platform renders it
// (and renders it again after any binding changed), tests drive its bindings directly.
struct ViewNode {
    enum class Kind { VStack, HStack, Text, Image, NumberField, Toggle, Picker, Button };
    enum class Alignment { Leading, Center, Trailing, Top, Bottom };
    enum class TextStyle { Body, Title2, Caption };

    // A length that means "the platform's standard value".
    static constexpr double DefaultLength = -1;

    struct Frame {
        std::optional<double> width;
        std::optional<double> height;
        Alignment alignment = Alignment::Center;
    };
    struct Padding {
        double top = 0, leading = 0, bottom = 0, trailing = 0;
    };

    Kind kind = Kind::VStack;
    // Text content, button label, or the title of a field (shown as its placeholder).
    std::string text;
    // Text given as inline Markdown: "[label](address)" is a link opened in the browser.
    bool markdown = false;
    TextStyle textStyle = TextStyle::Body;
    std::shared_ptr<const quillmere::Image> image;
    // Stacks: the cross-axis alignment of the children.
    Alignment alignment = Alignment::Center;
    std::optional<double> spacing; // none: the platform's default
    std::optional<Frame> frame;
    Padding padding;
    // Fixed at its ideal size in both directions.
    bool fixedSize = false;
    bool disabled = false;
    bool focusable = false;
    // The window's default button: Return presses it.
    bool defaultAction = false;

    // NumberField binding.
    std::function<std::int64_t()> intValue;
    std::function<void(std::int64_t)> setIntValue;
    // Toggle binding.
    std::function<bool()> boolValue;
    std::function<void(bool)> setBoolValue;
    // Picker: the choices' labels and the bound selection.
    std::vector<std::string> choices;
    std::function<std::size_t()> selectedIndex;
    std::function<void(std::size_t)> setSelectedIndex;
    // Button press, or the submit (Return) of a number field.
    std::function<void()> action;
    // Called when the content comes on screen.
    std::function<void()> onAppear;

    std::vector<ViewNode> children;

    // Builders.
    static ViewNode vstack(Alignment alignment, std::vector<ViewNode> children) {
        ViewNode node;
        node.kind = Kind::VStack;
        node.alignment = alignment;
        node.children = std::move(children);
        return node;
    }
    static ViewNode hstack(Alignment alignment, std::vector<ViewNode> children) {
        ViewNode node;
        node.kind = Kind::HStack;
        node.alignment = alignment;
        node.children = std::move(children);
        return node;
    }
    static ViewNode label(std::string text, TextStyle style = TextStyle::Body) {
        ViewNode node;
        node.kind = Kind::Text;
        node.text = std::move(text);
        node.textStyle = style;
        return node;
    }
    static ViewNode markdownText(std::string text) {
        ViewNode node = label(std::move(text));
        node.markdown = true;
        return node;
    }
    static ViewNode picture(std::shared_ptr<const quillmere::Image> image) {
        ViewNode node;
        node.kind = Kind::Image;
        node.image = std::move(image);
        return node;
    }
    static ViewNode button(std::string label, std::function<void()> action) {
        ViewNode node;
        node.kind = Kind::Button;
        node.text = std::move(label);
        node.action = std::move(action);
        return node;
    }

    // Modifiers.
    ViewNode& withFrame(std::optional<double> width, std::optional<double> height,
                        Alignment alignment = Alignment::Center) {
        frame = Frame{width, height, alignment};
        return *this;
    }
    ViewNode& withPadding(double top, double leading, double bottom, double trailing) {
        padding = Padding{top, leading, bottom, trailing};
        return *this;
    }
};

} // namespace quillmere
