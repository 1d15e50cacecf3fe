#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class ControlKind {
    Form,
    Panel,
    Label,  // label and static text
    Edit,
    LabeledEdit,  // edit with its own caption above
    ComboBox,
    CheckBox,
    SpinEdit,
    Switch,   // on/off switch with a caption
    RichLog,  // coloured log pane
    Gauge,
    ListBox,
    RadioGroup,
    MainMenu,
    MenuItem,
    ToolBar,
    ToolButton,
    Splitter,
    Image,
    Button,
};

enum class Align { None, Top, Bottom, Left, Right, Client };

enum class Property {
    Text,
    Label,
    Bounds,
    Align,
    Visible,
    Enabled,
    Colour,
    Background,
    Font,
    Items,
    ItemIndex,
    Checked,
    Value,
    Range,
    Hint,
    Picture,
    LineAppended,
    LinesCleared,
    Editable,
};

struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Colour&) const = default;
};

namespace colours {
inline constexpr Colour Black{0, 0, 0};
inline constexpr Colour Green{0, 128, 0};
inline constexpr Colour Red{255, 0, 0};
inline constexpr Colour Blue{0, 0, 255};
inline constexpr Colour Maroon{128, 0, 0};
inline constexpr Colour Navy{0, 0, 128};
inline constexpr Colour Purple{128, 0, 128};
inline constexpr Colour Silver{192, 192, 192};
}  // namespace colours

struct Font {
    std::string family;  // empty: the desktop's default
    int pointSize = 0;   // 0: the desktop's default
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const Font&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct LogLine {
    std::string text;
    Colour colour;
    std::string fontFamily;
};

enum class MouseButton { Left, Right, Middle };

// Virtual key codes of the keys the windows react to.
namespace keys {
inline constexpr int Return = 13;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int F10 = 121;
}  // namespace keys

class Control;

// The backend's mirror of a control: told of every property change.
class ControlView {
  public:
    virtual ~ControlView() = default;
    virtual void propertyChanged(Control& control, Property property) = 0;
    virtual void controlDestroyed(Control& control) = 0;
};

// One control of a form: its properties and events. Every setter that changes a value tells the
// view, so one generic renderer can mirror any form.
class Control {
  public:
    Control(ControlKind kind, std::string name);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    Control* parent() const { return parent_; }
    const std::vector<std::unique_ptr<Control>>& children() const { return children_; }

    // Adds a child and returns it, typed as created.
    template <typename T = Control, typename... Args>
    T& add(Args&&... args) {
        auto child = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *child;
        adopt(std::move(child));
        return ref;
    }
    Control& add(ControlKind kind, std::string name);
    // The first control of that name in this subtree, or null.
    Control* find(const std::string& name);

    const std::string& text() const { return text_; }
    void setText(const std::string& text);
    const std::string& label() const { return label_; }
    void setLabel(const std::string& label);
    const Rect& bounds() const { return bounds_; }
    void setBounds(const Rect& bounds);
    Align align() const { return align_; }
    void setAlign(Align align);
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    const std::optional<Colour>& colour() const { return colour_; }
    void setColour(const Colour& colour);
    const std::optional<Colour>& background() const { return background_; }
    void setBackground(const Colour& colour);
    const Font& font() const { return font_; }
    void setFont(const Font& font);
    const std::vector<std::string>& items() const { return items_; }
    void setItems(const std::vector<std::string>& items);
    int itemIndex() const { return itemIndex_; }
    void setItemIndex(int index);
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    int value() const { return value_; }
    void setValue(int value);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    void setRange(int minimum, int maximum);
    const std::string& hint() const { return hint_; }
    void setHint(const std::string& hint);
    // SVG document of a picture (image, tool button, form icon).
    const std::string& picture() const { return picture_; }
    void setPicture(const std::string& svg);
    bool editable() const { return editable_; }
    void setEditable(bool editable);

    // Rich log lines.
    const std::vector<LogLine>& lines() const { return lines_; }
    void appendLine(const LogLine& line);
    void clearLines();

    // Events, raised by the backend for user actions and by tests as the operator.
    std::function<void()> onClick;
    std::function<void()> onChange;
    std::function<void(int key)> onKeyDown;
    std::function<void(int key)> onKeyUp;
    std::function<void(MouseButton)> onMouseUp;

    void click();
    // The user typed or picked: stores the value, then raises onChange.
    void userSetText(const std::string& text);
    void userSetItemIndex(int index);
    void userSetChecked(bool checked);
    void keyDown(int key);
    void keyUp(int key);
    void mouseUp(MouseButton button);

    void setView(ControlView* view) { view_ = view; }
    ControlView* view() const { return view_; }

  private:
    void adopt(std::unique_ptr<Control> child);
    void changed(Property property);
    template <typename T>
    void assign(T& field, const T& value, Property property) {
        if (field == value) {
            return;
        }
        field = value;
        changed(property);
    }

    ControlKind kind_;
    std::string name_;
    Control* parent_ = nullptr;
    std::vector<std::unique_ptr<Control>> children_;
    ControlView* view_ = nullptr;

    std::string text_;
    std::string label_;
    Rect bounds_;
    Align align_ = Align::None;
    bool visible_ = true;
    bool enabled_ = true;
    std::optional<Colour> colour_;
    std::optional<Colour> background_;
    Font font_;
    std::vector<std::string> items_;
    int itemIndex_ = -1;
    bool checked_ = false;
    int value_ = 0;
    int minimum_ = 0;
    int maximum_ = 100;
    std::string hint_;
    std::string picture_;
    bool editable_ = true;
    std::vector<LogLine> lines_;
};

// Adds a control at its designed place with its text (caption or content).
Control& AddControl(Control& parent, ControlKind kind, std::string name, const Rect& bounds,
                    const std::string& text = {});

// Adds a menu item with its caption to a main menu or to another item.
Control& AddMenuItem(Control& parent, std::string name, const std::string& caption);

}  // namespace platform
