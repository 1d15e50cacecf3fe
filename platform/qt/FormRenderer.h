#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <set>
#include <unordered_map>

#include "platform/core/EventLoop.h"
#include "platform/core/Form.h"

class QAction;
class QMenu;
class QMenuBar;

namespace platform {

// Shows one form model as real Qt widgets: builds a widget per control, mirrors every property
// change and turns user actions into the controls' events, delivered through the loop.
class FormRenderer : private ControlView {
  public:
    FormRenderer(EventLoop& loop, Form& form, std::function<void()> formDestroyed);
    ~FormRenderer() override;

    QWidget* window() const { return window_; }
    QWidget* widgetFor(const Control& control) const;
    QAction* actionFor(const Control& control) const;

  private:
    struct View {
        QPointer<QWidget> widget;  // the control's widget (a container for labelled edits)
        QPointer<QWidget> input;   // the widget that takes input, where it differs
        QPointer<QAction> action;  // menu items
        QPointer<QMenu> menu;      // menu items with sub-items
    };
    class EventFilter;

    void build(Control& control, QWidget* parentWidget);
    void buildMenu(Control& menu);
    void buildMenuItem(Control& item, QMenu* parentMenu, QMenuBar* bar);
    void connectInput(Control& control, View& view);
    void apply(Control& control, Property property);
    void applyAll(Control& control);
    void layoutChildren(Control& container);
    QWidget* contentOf(const Control& container) const;
    void deliver(Control& control, std::function<void(Control&)> event);

    void propertyChanged(Control& control, Property property) override;
    void controlDestroyed(Control& control) override;

    EventLoop& loop_;
    Form& form_;
    std::function<void()> formDestroyed_;
    QPointer<QWidget> window_;
    QPointer<QWidget> client_;
    std::unordered_map<const Control*, View> views_;
    std::shared_ptr<std::set<const Control*>> alive_;
    std::unique_ptr<EventFilter> filter_;
    bool updating_ = false;  // true while mirroring the model, so widget signals are not echoed
};

// Virtual key code of a Qt key, as the forms see keys.
int VirtualKey(int qtKey);

}  // namespace platform
