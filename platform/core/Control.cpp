#include "Control.h"

namespace platform {

Control::Control(ControlKind kind, std::string name) : kind_(kind), name_(std::move(name)) {}

Control::~Control() {
    children_.clear();
    if (view_ != nullptr) {
        view_->controlDestroyed(*this);
    }
}

void Control::adopt(std::unique_ptr<Control> child) {
    child->parent_ = this;
    children_.push_back(std::move(child));
}

Control& Control::add(ControlKind kind, std::string name) {
    return add<Control>(kind, std::move(name));
}

Control* Control::find(const std::string& name) {
    if (name_ == name) {
        return this;
    }
    for (auto& child : children_) {
        if (Control* found = child->find(name)) {
            return found;
        }
    }
    return nullptr;
}

void Control::changed(Property property) {
    if (view_ != nullptr) {
        view_->propertyChanged(*this, property);
    }
}

void Control::setText(const std::string& text) {
    assign(text_, text, Property::Text);
}
void Control::setLabel(const std::string& label) {
    assign(label_, label, Property::Label);
}
void Control::setBounds(const Rect& bounds) {
    assign(bounds_, bounds, Property::Bounds);
}
void Control::setAlign(Align align) {
    assign(align_, align, Property::Align);
}
void Control::setVisible(bool visible) {
    assign(visible_, visible, Property::Visible);
}
void Control::setEnabled(bool enabled) {
    assign(enabled_, enabled, Property::Enabled);
}
void Control::setColour(const Colour& colour) {
    assign(colour_, std::optional<Colour>(colour), Property::Colour);
}
void Control::setBackground(const Colour& colour) {
    assign(background_, std::optional<Colour>(colour), Property::Background);
}
void Control::setFont(const Font& font) {
    assign(font_, font, Property::Font);
}
void Control::setItems(const std::vector<std::string>& items) {
    assign(items_, items, Property::Items);
}
void Control::setItemIndex(int index) {
    assign(itemIndex_, index, Property::ItemIndex);
}
void Control::setChecked(bool checked) {
    assign(checked_, checked, Property::Checked);
}
void Control::setValue(int value) {
    assign(value_, value, Property::Value);
}
void Control::setRange(int minimum, int maximum) {
    if (minimum_ == minimum && maximum_ == maximum) {
        return;
    }
    minimum_ = minimum;
    maximum_ = maximum;
    changed(Property::Range);
}
void Control::setHint(const std::string& hint) {
    assign(hint_, hint, Property::Hint);
}
void Control::setPicture(const std::string& svg) {
    assign(picture_, svg, Property::Picture);
}
void Control::setEditable(bool editable) {
    assign(editable_, editable, Property::Editable);
}

void Control::appendLine(const LogLine& line) {
    lines_.push_back(line);
    changed(Property::LineAppended);
}

void Control::clearLines() {
    lines_.clear();
    changed(Property::LinesCleared);
}

void Control::click() {
    // As the operator clicks: a hidden or disabled control takes no click.
    if (onClick && visible_ && enabled_) {
        onClick();
    }
}

void Control::userSetText(const std::string& text) {
    setText(text);
    if (onChange) {
        onChange();
    }
}

void Control::userSetItemIndex(int index) {
    setItemIndex(index);
    // A radio group's text is its caption; in a list the text is the picked item.
    if (kind_ != ControlKind::RadioGroup && index >= 0 && index < int(items_.size())) {
        setText(items_[std::size_t(index)]);
    }
    if (onChange) {
        onChange();
    }
}

void Control::userSetChecked(bool checked) {
    setChecked(checked);
    if (onChange) {
        onChange();
    }
}

void Control::keyDown(int key) {
    if (onKeyDown) {
        onKeyDown(key);
    }
}

void Control::keyUp(int key) {
    if (onKeyUp) {
        onKeyUp(key);
    }
}

void Control::mouseUp(MouseButton button) {
    if (onMouseUp) {
        onMouseUp(button);
    }
}

Control& AddControl(Control& parent, ControlKind kind, std::string name, const Rect& bounds,
                    const std::string& text) {
    Control& control = parent.add(kind, std::move(name));
    control.setBounds(bounds);
    control.setText(text);
    return control;
}

Control& AddMenuItem(Control& parent, std::string name, const std::string& caption) {
    Control& item = parent.add(ControlKind::MenuItem, std::move(name));
    item.setText(caption);
    return item;
}

}  // namespace platform
