#pragma once

#include <QAction>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/core/Form.h"

namespace platform {

// Hands an operator's action on a widget back to its control; the renderer delivers it later
// through the loop, and drops it while it is mirroring the model into the widget.
using RaiseEvent = std::function<void(std::function<void(Control&)>)>;

// The widget of one control, for one kind of control: made at construction with its event
// connections, it mirrors the properties of that kind. The properties every widget has (visible,
// enabled, colours, font, hint) are mirrored here; a kind adds its own.
class ControlAdapter {
  public:
    ControlAdapter(Control& control, RaiseEvent raise)
        : control_(control), raise_(std::move(raise)) {}
    virtual ~ControlAdapter();
    ControlAdapter(const ControlAdapter&) = delete;
    ControlAdapter& operator=(const ControlAdapter&) = delete;

    // The widget the layout places; null for a menu item.
    QWidget* widget() const { return widget_; }
    // The widget that takes input (the edit of a labelled edit).
    virtual QWidget* input() const { return widget_; }
    // Where the widgets of child controls go.
    virtual QWidget* content() const { return widget_; }
    // The action of a menu item or of a tool button on a bar.
    QAction* action() const { return action_; }

    virtual void apply(Property property);
    // Puts the widget at its place in the parent's content.
    virtual void place(const Rect& r);

  protected:
    Control& control_;
    RaiseEvent raise_;
    QPointer<QWidget> widget_;
    QPointer<QAction> action_;
};

// The adapter of a control of any kind but the form, its widget made inside `parent` (the
// content of the parent control's adapter).
std::unique_ptr<ControlAdapter> MakeAdapter(Control& control, QWidget* parent, RaiseEvent raise);

// A form's window: caption, size, icon, border and position; its controls go in a client area
// below the menu bar.
class FormAdapter : public ControlAdapter {
  public:
    FormAdapter(Form& form, RaiseEvent raise);

    QWidget* content() const override { return client_; }
    void apply(Property property) override;

  private:
    QPointer<QWidget> client_;
};

}  // namespace platform
