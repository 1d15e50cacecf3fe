#include "FormRenderer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>

#include "platform/core/Layout.h"

namespace platform {

namespace {

constexpr const char* kControlProperty = "kestrelControl";

Control* ControlOf(QObject* object) {
    return static_cast<Control*>(object->property(kControlProperty).value<void*>());
}

bool IsContainer(ControlKind kind) {
    return kind == ControlKind::Form || kind == ControlKind::Panel;
}

// A splitter resizes the control aligned to the same side just before it, as the operator drags.
void DragSplitter(Control& splitter, QPoint delta) {
    Control* parent = splitter.parent();
    if (parent == nullptr) {
        return;
    }
    Control* neighbour = nullptr;
    for (const auto& child : parent->children()) {
        if (child.get() == &splitter) {
            break;
        }
        if (child->align() == splitter.align() && child->visible()) {
            neighbour = child.get();
        }
    }
    if (neighbour == nullptr) {
        return;
    }
    Rect r = neighbour->bounds();
    switch (splitter.align()) {
        case Align::Left:
            r.width = std::max(20, r.width + delta.x());
            break;
        case Align::Right:
            r.width = std::max(20, r.width - delta.x());
            break;
        case Align::Top:
            r.height = std::max(20, r.height + delta.y());
            break;
        case Align::Bottom:
            r.height = std::max(20, r.height - delta.y());
            break;
        default:
            return;
    }
    neighbour->setBounds(r);
}

}  // namespace

int VirtualKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return keys::Return;
        case Qt::Key_Escape:
            return keys::Escape;
        case Qt::Key_Space:
            return keys::Space;
        case Qt::Key_Tab:
            return 9;
        case Qt::Key_Backspace:
            return 8;
        default:
            break;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return 112 + (qtKey - Qt::Key_F1);
    }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        return qtKey;
    }
    return 0;
}

// Turns raw widget events (mouse release, keys, window close, resize) into model events.
class FormRenderer::EventFilter : public QObject {
  public:
    explicit EventFilter(FormRenderer& renderer) : renderer_(renderer) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        Control* control = ControlOf(watched);
        if (control == nullptr) {
            return false;
        }
        switch (event->type()) {
            case QEvent::MouseButtonRelease: {
                auto* mouse = static_cast<QMouseEvent*>(event);
                // The same event climbs to the parents; only the widget under the pointer answers.
                if (mouse->timestamp() == lastMouse_) {
                    return false;
                }
                lastMouse_ = mouse->timestamp();
                const MouseButton button = mouse->button() == Qt::RightButton ? MouseButton::Right
                                           : mouse->button() == Qt::MiddleButton
                                               ? MouseButton::Middle
                                               : MouseButton::Left;
                renderer_.deliver(*control, [button](Control& c) { c.mouseUp(button); });
                return false;
            }
            case QEvent::KeyPress:
            case QEvent::KeyRelease: {
                auto* key = static_cast<QKeyEvent*>(event);
                QWidget* focus = QApplication::focusWidget();
                if (watched != focus && !(focus == nullptr && watched == renderer_.window_)) {
                    return false;
                }
                const int vk = VirtualKey(key->key());
                if (vk == 0 || key->isAutoRepeat()) {
                    return false;
                }
                const bool down = event->type() == QEvent::KeyPress;
                // The form sees its own keys, and with key preview those of its controls first.
                if (renderer_.form_.keyPreview() || control == &renderer_.form_) {
                    renderer_.deliver(renderer_.form_, [vk, down](Control& form) {
                        down ? form.keyDown(vk) : form.keyUp(vk);
                    });
                }
                if (control != &renderer_.form_) {
                    renderer_.deliver(
                        *control, [vk, down](Control& c) { down ? c.keyDown(vk) : c.keyUp(vk); });
                }
                return false;
            }
            case QEvent::Close:
                if (watched == renderer_.window_ && renderer_.form_.isShown()) {
                    // The model decides whether the window may close.
                    event->ignore();
                    renderer_.deliver(renderer_.form_,
                                      [](Control& form) { static_cast<Form&>(form).close(); });
                    return true;
                }
                return false;
            case QEvent::Resize:
                if (IsContainer(control->kind())) {
                    renderer_.layoutChildren(*control);
                }
                return false;
            case QEvent::MouseButtonPress:
                if (control->kind() == ControlKind::Splitter) {
                    dragFrom_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
                }
                return false;
            case QEvent::MouseMove:
                if (control->kind() == ControlKind::Splitter &&
                    (static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton)) {
                    const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
                    DragSplitter(*control, at - dragFrom_);
                    dragFrom_ = at;
                    return true;
                }
                return false;
            default:
                return false;
        }
    }

  private:
    FormRenderer& renderer_;
    quint64 lastMouse_ = 0;
    QPoint dragFrom_;
};

FormRenderer::FormRenderer(EventLoop& loop, Form& form, std::function<void()> formDestroyed)
    : loop_(loop),
      form_(form),
      formDestroyed_(std::move(formDestroyed)),
      alive_(std::make_shared<std::set<const Control*>>()),
      filter_(std::make_unique<EventFilter>(*this)) {
    auto adapter = std::make_unique<FormAdapter>(form, raiseFor(form));
    window_ = adapter->widget();
    QWidget* client = adapter->content();
    watch(window_, form);
    watch(client, form);
    adapters_[&form] = std::move(adapter);
    alive_->insert(&form);
    form.setView(this);
    for (auto& child : form.children()) {
        build(*child, client);
    }
    applyAll(form);
    layoutChildren(form);
}

FormRenderer::~FormRenderer() {
    for (auto& [control, adapter] : adapters_) {
        const_cast<Control*>(control)->setView(nullptr);
    }
    delete window_.data();
}

QWidget* FormRenderer::widgetFor(const Control& control) const {
    const auto it = adapters_.find(&control);
    return it == adapters_.end() ? nullptr : it->second->input();
}

QAction* FormRenderer::actionFor(const Control& control) const {
    const auto it = adapters_.find(&control);
    return it == adapters_.end() ? nullptr : it->second->action();
}

void FormRenderer::deliver(Control& control, std::function<void(Control&)> event) {
    std::weak_ptr<std::set<const Control*>> alive = alive_;
    Control* target = &control;
    loop_.post([alive, target, event = std::move(event)] {
        const auto controls = alive.lock();
        if (controls && controls->count(target) != 0) {
            event(*target);
        }
    });
}

RaiseEvent FormRenderer::raiseFor(Control& control) {
    return [this, &control](std::function<void(Control&)> event) {
        // A widget's signal caused by mirroring the model is not the operator's action.
        if (!updating_) {
            deliver(control, std::move(event));
        }
    };
}

void FormRenderer::watch(QWidget* widget, Control& control) {
    if (widget != nullptr) {
        widget->setProperty(kControlProperty, QVariant::fromValue<void*>(&control));
        widget->installEventFilter(filter_.get());
    }
}

void FormRenderer::build(Control& control, QWidget* parentWidget) {
    auto adapter = MakeAdapter(control, parentWidget, raiseFor(control));
    if (QWidget* widget = adapter->widget()) {
        widget->setObjectName(QString::fromStdString(control.name()));
    }
    watch(adapter->widget(), control);
    if (adapter->input() != adapter->widget()) {
        watch(adapter->input(), control);
    }
    QWidget* content = adapter->content();
    adapters_[&control] = std::move(adapter);
    alive_->insert(&control);
    control.setView(this);
    for (auto& child : control.children()) {
        build(*child, content);
    }
    applyAll(control);
}

void FormRenderer::applyAll(Control& control) {
    ControlAdapter& adapter = *adapters_.at(&control);
    updating_ = true;
    // Editability and items first: a combo box's text is shown against them.
    for (Property p : {Property::Editable, Property::Items, Property::ItemIndex, Property::Range,
                       Property::Text, Property::Label, Property::Align, Property::Visible,
                       Property::Enabled, Property::Font, Property::Colour, Property::Background,
                       Property::Checked, Property::Value, Property::Hint, Property::Picture}) {
        adapter.apply(p);
    }
    updating_ = false;
}

void FormRenderer::layoutChildren(Control& container) {
    const auto it = adapters_.find(&container);
    if (it == adapters_.end() || it->second->content() == nullptr) {
        return;
    }
    const QWidget* content = it->second->content();
    std::vector<const Control*> placed;
    for (auto& child : container.children()) {
        if (child->kind() != ControlKind::MainMenu && adapters_.count(child.get()) != 0) {
            placed.push_back(child.get());
        }
    }
    const std::vector<Rect> rects =
        alignedBounds({0, 0, content->width(), content->height()}, placed);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        adapters_[placed[i]]->place(rects[i]);
    }
}

void FormRenderer::propertyChanged(Control& control, Property property) {
    updating_ = true;
    adapters_.at(&control)->apply(property);
    updating_ = false;
    const bool moves = property == Property::Bounds || property == Property::Align ||
                       property == Property::Visible;
    if (moves && control.parent() != nullptr) {
        layoutChildren(*control.parent());
    }
}

void FormRenderer::controlDestroyed(Control& control) {
    alive_->erase(&control);
    const auto it = adapters_.find(&control);
    if (it == adapters_.end()) {
        return;
    }
    std::unique_ptr<ControlAdapter> adapter = std::move(it->second);
    adapters_.erase(it);
    adapter.reset();
    if (&control == &form_) {
        formDestroyed_();
    }
}

}  // namespace platform
