#include "platform/sim/SimPanel.h"

namespace quillmere::sim {

namespace {

void collectTexts(const ViewNode& node, std::vector<std::string>& out) {
    if (node.kind == ViewNode::Kind::Text || node.kind == ViewNode::Kind::Button) {
        out.push_back(node.text);
    }
    for (const ViewNode& child : node.children) {
        collectTexts(child, out);
    }
}

using OptionalKind = std::optional<ViewNode::Kind>;

// The first leaf control (not a stack or a text) at or under `node`, of `kind` if given.
const ViewNode* firstControl(const ViewNode& node, OptionalKind kind) {
    if (node.kind != ViewNode::Kind::VStack && node.kind != ViewNode::Kind::HStack &&
        node.kind != ViewNode::Kind::Text && (!kind || node.kind == *kind)) {
        return &node;
    }
    for (const ViewNode& child : node.children) {
        if (const ViewNode* found = firstControl(child, kind)) {
            return found;
        }
    }
    return nullptr;
}

// A row is a horizontal stack whose first child is the label text.
const ViewNode* findRowControl(const ViewNode& node, const std::string& label, OptionalKind kind) {
    if (node.kind == ViewNode::Kind::HStack && node.children.size() >= 2 &&
        node.children.front().kind == ViewNode::Kind::Text && node.children.front().text == label) {
        return firstControl(node.children[1], kind);
    }
    for (const ViewNode& child : node.children) {
        if (const ViewNode* found = findRowControl(child, label, kind)) {
            return found;
        }
    }
    return nullptr;
}

const ViewNode* findDefaultButton(const ViewNode& node) {
    if (node.kind == ViewNode::Kind::Button && node.defaultAction && !node.disabled) {
        return &node;
    }
    for (const ViewNode& child : node.children) {
        if (const ViewNode* found = findDefaultButton(child)) {
            return found;
        }
    }
    return nullptr;
}

void collectFocusable(const ViewNode& node, std::vector<ViewNode::Kind>& out) {
    if (node.focusable) {
        out.push_back(node.kind);
    }
    for (const ViewNode& child : node.children) {
        collectFocusable(child, out);
    }
}

const ViewNode* findButton(const ViewNode& node, const std::string& label) {
    if (node.kind == ViewNode::Kind::Button && node.text == label) {
        return &node;
    }
    for (const ViewNode& child : node.children) {
        if (const ViewNode* found = findButton(child, label)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

ViewNode SimPanel::render() {
    return content_ != nullptr ? content_->body() : ViewNode{};
}

std::vector<std::string> SimPanel::texts() {
    std::vector<std::string> out;
    collectTexts(render(), out);
    return out;
}

std::optional<ViewNode> SimPanel::control(const std::string& label, OptionalKind kind) {
    const ViewNode root = render();
    if (const ViewNode* found = findRowControl(root, label, kind)) {
        return *found;
    }
    return std::nullopt;
}

bool SimPanel::press(const std::string& buttonLabel) {
    const ViewNode root = render();
    const ViewNode* button = findButton(root, buttonLabel);
    if (button == nullptr || button->disabled || !button->action) {
        return false;
    }
    button->action();
    return true;
}

bool SimPanel::pressReturn() {
    const ViewNode root = render();
    const ViewNode* button = findDefaultButton(root);
    if (button == nullptr || !button->action) {
        return false;
    }
    button->action();
    return true;
}

std::vector<ViewNode::Kind> SimPanel::focusableKinds() {
    std::vector<ViewNode::Kind> out;
    collectFocusable(render(), out);
    return out;
}

bool SimPanel::setNumber(const std::string& label, std::int64_t value) {
    const std::optional<ViewNode> field = control(label, ViewNode::Kind::NumberField);
    if (!field || field->disabled) {
        return false;
    }
    field->setIntValue(value);
    return true;
}

bool SimPanel::submit(const std::string& label) {
    const std::optional<ViewNode> field = control(label, ViewNode::Kind::NumberField);
    if (!field || !field->action) {
        return false;
    }
    field->action();
    return true;
}

bool SimPanel::setToggle(const std::string& label, bool on) {
    const std::optional<ViewNode> toggle = control(label, ViewNode::Kind::Toggle);
    if (!toggle || toggle->disabled) {
        return false;
    }
    toggle->setBoolValue(on);
    return true;
}

bool SimPanel::pick(const std::string& label, const std::string& choice) {
    const std::optional<ViewNode> picker = control(label, ViewNode::Kind::Picker);
    if (!picker || picker->disabled) {
        return false;
    }
    for (std::size_t i = 0; i < picker->choices.size(); ++i) {
        if (picker->choices[i] == choice) {
            picker->setSelectedIndex(i);
            return true;
        }
    }
    return false;
}

void SimPanel::present() {
    onScreen_ = true;
    ++presentCount_;
    if (content_ != nullptr && !contentHidden_) {
        const ViewNode root = render();
        if (root.onAppear) {
            root.onAppear();
        }
    }
    if (!scripts_.empty()) {
        Script script = std::move(scripts_.front());
        scripts_.pop_front();
        script(*this);
    }
}

void SimPanel::close() {
    if (!onScreen_) {
        return;
    }
    onScreen_ = false;
    if (willClose_) {
        willClose_();
    }
}

} // namespace quillmere::sim
