#pragma once

#include <functional>
#include <memory>
#include <set>
#include <unordered_map>

#include "ControlAdapter.h"
#include "platform/core/EventLoop.h"

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
    class EventFilter;

    void build(Control& control, QWidget* parentWidget);
    void watch(QWidget* widget, Control& control);
    void applyAll(Control& control);
    void layoutChildren(Control& container);
    void deliver(Control& control, std::function<void(Control&)> event);
    RaiseEvent raiseFor(Control& control);

    void propertyChanged(Control& control, Property property) override;
    void controlDestroyed(Control& control) override;

    EventLoop& loop_;
    Form& form_;
    std::function<void()> formDestroyed_;
    QPointer<QWidget> window_;
    std::unordered_map<const Control*, std::unique_ptr<ControlAdapter>> adapters_;
    std::shared_ptr<std::set<const Control*>> alive_;
    std::unique_ptr<EventFilter> filter_;
    bool updating_ = false;  // true while mirroring the model, so widget signals are not echoed
};

// Virtual key code of a Qt key, as the forms see keys.
int VirtualKey(int qtKey);

}  // namespace platform
