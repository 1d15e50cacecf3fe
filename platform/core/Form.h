#pragma once

#include <functional>

#include "Control.h"

namespace platform {

enum class BorderStyle { Sizeable, Single, Dialog, None };
enum class Position { Designed, ScreenCentre };

// A window: the root control of its tree, with caption (text), size (bounds), border,
// position rule and the handlers a window has for keys and closing.
class Form : public Control {
  public:
    explicit Form(std::string name);

    BorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(BorderStyle style) { borderStyle_ = style; }
    Position position() const { return position_; }
    void setPosition(Position position) { position_ = position; }
    // Whether the form's key handlers see the keys of its controls too, or only its own.
    bool keyPreview() const { return keyPreview_; }
    void setKeyPreview(bool preview) { keyPreview_ = preview; }

    // True from show until close.
    bool isShown() const { return shown_; }
    // The desktop calls this when it puts the form on screen.
    void markShown();
    // Asks the form to close: onCloseQuery may refuse; then it hides and onClose runs.
    void close();

    std::function<bool()> onCloseQuery;
    std::function<void()> onClose;

  private:
    BorderStyle borderStyle_ = BorderStyle::Sizeable;
    Position position_ = Position::ScreenCentre;
    bool keyPreview_ = false;
    bool shown_ = false;
};

}  // namespace platform
