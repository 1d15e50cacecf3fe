#include "FormRenderer.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "SvgPicture.h"
#include "platform/core/Layout.h"

namespace platform {

namespace {

constexpr const char* kControlProperty = "kestrelControl";
constexpr int kLabelHeight = 16;  // a labelled edit's caption sits above the edit

QString ToQt(const std::string& text) {
    // A CR, alone or before an LF, breaks a caption into two lines.
    QString result = QString::fromStdString(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

QColor ToQt(const Colour& c) {
    return QColor(c.r, c.g, c.b);
}

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
    Qt::WindowFlags flags = Qt::Window;
    if (form.borderStyle() == BorderStyle::None) {
        flags |= Qt::FramelessWindowHint;
    } else if (form.borderStyle() == BorderStyle::Dialog) {
        flags |= Qt::Dialog;
    }
    window_ = new QWidget(nullptr, flags);
    window_->setObjectName(QString::fromStdString(form.name()));
    auto* layout = new QVBoxLayout(window_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    client_ = new QWidget(window_);
    layout->addWidget(client_);

    View& view = views_[&form];
    view.widget = window_;
    window_->setProperty(kControlProperty, QVariant::fromValue<void*>(&form));
    client_->setProperty(kControlProperty, QVariant::fromValue<void*>(&form));
    window_->installEventFilter(filter_.get());
    client_->installEventFilter(filter_.get());
    alive_->insert(&form);
    form.setView(this);

    for (auto& child : form.children()) {
        if (child->kind() == ControlKind::MainMenu) {
            buildMenu(*child);
        } else {
            build(*child, client_);
        }
    }
    applyAll(form);
    const Rect& b = form.bounds();
    window_->resize(b.width, b.height);
    if (form.borderStyle() != BorderStyle::Sizeable) {
        window_->setFixedSize(b.width, b.height);
    }
    if (form.position() == Position::ScreenCentre) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            window_->move(area.center() - QPoint(b.width / 2, b.height / 2));
        }
    } else {
        window_->move(b.left, b.top);
    }
    layoutChildren(form);
}

FormRenderer::~FormRenderer() {
    for (auto& [control, view] : views_) {
        const_cast<Control*>(control)->setView(nullptr);
    }
    delete window_.data();
}

QWidget* FormRenderer::widgetFor(const Control& control) const {
    const auto it = views_.find(&control);
    if (it == views_.end()) {
        return nullptr;
    }
    return it->second.input ? it->second.input.data() : it->second.widget.data();
}

QAction* FormRenderer::actionFor(const Control& control) const {
    const auto it = views_.find(&control);
    return it == views_.end() ? nullptr : it->second.action.data();
}

QWidget* FormRenderer::contentOf(const Control& container) const {
    if (&container == &form_) {
        return client_;
    }
    const auto it = views_.find(&container);
    return it == views_.end() ? nullptr : it->second.widget.data();
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

void FormRenderer::buildMenu(Control& menu) {
    auto* bar = new QMenuBar(window_);
    window_->layout()->setMenuBar(bar);
    views_[&menu].widget = bar;
    alive_->insert(&menu);
    menu.setView(this);
    for (auto& item : menu.children()) {
        buildMenuItem(*item, nullptr, bar);
    }
}

void FormRenderer::buildMenuItem(Control& item, QMenu* parentMenu, QMenuBar* bar) {
    View& view = views_[&item];
    alive_->insert(&item);
    item.setView(this);
    if (!item.children().empty()) {
        view.menu =
            parentMenu ? parentMenu->addMenu(ToQt(item.text())) : bar->addMenu(ToQt(item.text()));
        view.action = view.menu->menuAction();
        for (auto& child : item.children()) {
            buildMenuItem(*child, view.menu, bar);
        }
    } else {
        view.action = parentMenu ? parentMenu->addAction(ToQt(item.text()))
                                 : bar->addAction(ToQt(item.text()));
        QObject::connect(view.action, &QAction::triggered,
                         [this, &item] { deliver(item, [](Control& c) { c.click(); }); });
    }
    view.action->setObjectName(QString::fromStdString(item.name()));
    view.action->setVisible(item.visible());
    view.action->setEnabled(item.enabled());
}

void FormRenderer::build(Control& control, QWidget* parentWidget) {
    View& view = views_[&control];
    QWidget* widget = nullptr;
    switch (control.kind()) {
        case ControlKind::Panel: {
            auto* panel = new QLabel(parentWidget);
            panel->setAlignment(Qt::AlignCenter);
            panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
            widget = panel;
            break;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(parentWidget);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            widget = label;
            break;
        }
        case ControlKind::Edit:
            widget = new QLineEdit(parentWidget);
            break;
        case ControlKind::LabeledEdit: {
            widget = new QWidget(parentWidget);
            auto* caption = new QLabel(widget);
            caption->setObjectName("caption");
            auto* edit = new QLineEdit(widget);
            view.input = edit;
            break;
        }
        case ControlKind::ComboBox:
            widget = new QComboBox(parentWidget);
            break;
        case ControlKind::CheckBox:
        case ControlKind::Switch:
            widget = new QCheckBox(parentWidget);
            break;
        case ControlKind::SpinEdit:
            widget = new QSpinBox(parentWidget);
            break;
        case ControlKind::RichLog: {
            auto* log = new QTextEdit(parentWidget);
            log->setReadOnly(true);
            log->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            widget = log;
            break;
        }
        case ControlKind::Gauge:
            widget = new QProgressBar(parentWidget);
            break;
        case ControlKind::ListBox:
            widget = new QListWidget(parentWidget);
            break;
        case ControlKind::RadioGroup: {
            auto* group = new QGroupBox(parentWidget);
            new QVBoxLayout(group);
            widget = group;
            break;
        }
        case ControlKind::ToolBar: {
            auto* bar = new QToolBar(parentWidget);
            bar->setIconSize(QSize(32, 32));
            bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
            widget = bar;
            break;
        }
        case ControlKind::ToolButton: {
            auto* button = new QToolButton(parentWidget);
            if (auto* bar = qobject_cast<QToolBar*>(parentWidget)) {
                view.action = bar->addWidget(button);
            }
            widget = button;
            break;
        }
        case ControlKind::Splitter: {
            auto* line = new QFrame(parentWidget);
            line->setFrameStyle(QFrame::StyledPanel);
            line->setCursor(control.align() == Align::Left || control.align() == Align::Right
                                ? Qt::SplitHCursor
                                : Qt::SplitVCursor);
            widget = line;
            break;
        }
        case ControlKind::Image:
            widget = new SvgPictureWidget(parentWidget);
            break;
        case ControlKind::Button:
            widget = new QPushButton(parentWidget);
            break;
        case ControlKind::Form:
        case ControlKind::MainMenu:
        case ControlKind::MenuItem:
            return;  // built by the form and the menu builders
    }
    view.widget = widget;
    widget->setObjectName(QString::fromStdString(control.name()));
    for (QWidget* w : {widget, view.input.data()}) {
        if (w != nullptr) {
            w->setProperty(kControlProperty, QVariant::fromValue<void*>(&control));
            w->installEventFilter(filter_.get());
        }
    }
    alive_->insert(&control);
    control.setView(this);
    connectInput(control, view);
    for (auto& child : control.children()) {
        build(*child, widget);
    }
    applyAll(control);
}

void FormRenderer::connectInput(Control& control, View& view) {
    const auto echo = [this](Control& c, std::function<void(Control&)> event) {
        if (!updating_) {
            deliver(c, std::move(event));
        }
    };
    QWidget* widget = view.input ? view.input.data() : view.widget.data();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        QObject::connect(edit, &QLineEdit::textEdited, [&control, echo](const QString& text) {
            echo(control, [t = text.toStdString()](Control& c) { c.userSetText(t); });
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        QObject::connect(combo, qOverload<int>(&QComboBox::activated), [&control, echo](int index) {
            echo(control, [index](Control& c) { c.userSetItemIndex(index); });
        });
        QObject::connect(
            combo, &QComboBox::editTextChanged, [&control, echo, combo](const QString& text) {
                if (combo->isEditable() && combo->lineEdit()->isModified()) {
                    echo(control, [t = text.toStdString()](Control& c) { c.userSetText(t); });
                }
            });
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        QObject::connect(check, &QCheckBox::clicked, [&control, echo](bool checked) {
            echo(control, [checked](Control& c) { c.userSetChecked(checked); });
        });
    } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
        QObject::connect(spin, &QSpinBox::textChanged, [&control, echo](const QString& text) {
            echo(control, [t = text.toStdString()](Control& c) { c.userSetText(t); });
        });
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        QObject::connect(list, &QListWidget::currentRowChanged, [&control, echo](int row) {
            echo(control, [row](Control& c) { c.userSetItemIndex(row); });
        });
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QObject::connect(button, &QAbstractButton::clicked,
                         [&control, echo] { echo(control, [](Control& c) { c.click(); }); });
    }
}

void FormRenderer::applyAll(Control& control) {
    // Editability and items first: a combo box's text is shown against them.
    for (Property p : {Property::Editable, Property::Items, Property::ItemIndex, Property::Range,
                       Property::Text, Property::Label, Property::Visible, Property::Enabled,
                       Property::Font, Property::Colour, Property::Background, Property::Checked,
                       Property::Value, Property::Hint, Property::Picture}) {
        apply(control, p);
    }
    if (control.kind() == ControlKind::RichLog && !control.lines().empty()) {
        auto* log = qobject_cast<QTextEdit*>(views_[&control].widget);
        for (const LogLine& line : control.lines()) {
            log->setTextColor(ToQt(line.colour));
            log->setFontFamily(QString::fromStdString(line.fontFamily));
            log->append(QString::fromStdString(line.text));
        }
    }
}

void FormRenderer::layoutChildren(Control& container) {
    QWidget* content = contentOf(container);
    if (content == nullptr) {
        return;
    }
    std::vector<const Control*> placed;
    for (auto& child : container.children()) {
        if (child->kind() != ControlKind::MainMenu && views_.count(child.get()) != 0) {
            placed.push_back(child.get());
        }
    }
    const std::vector<Rect> rects =
        alignedBounds({0, 0, content->width(), content->height()}, placed);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        QWidget* widget = views_[placed[i]].widget;
        if (widget == nullptr) {
            continue;
        }
        Rect r = rects[i];
        if (placed[i]->kind() == ControlKind::LabeledEdit) {
            r.top -= kLabelHeight;
            r.height += kLabelHeight;
            widget->findChild<QLabel*>("caption")->setGeometry(0, 0, r.width, kLabelHeight);
            views_[placed[i]].input->setGeometry(0, kLabelHeight, r.width, r.height - kLabelHeight);
        }
        widget->setGeometry(r.left, r.top, r.width, r.height);
    }
}

void FormRenderer::apply(Control& control, Property property) {
    View& view = views_[&control];
    QWidget* widget = view.widget;
    QWidget* input = view.input ? view.input.data() : widget;
    const QString text = ToQt(control.text());
    updating_ = true;
    switch (property) {
        case Property::Text:
            if (&control == &form_) {
                window_->setWindowTitle(text);
            } else if (view.action) {
                view.action->setText(text);
                if (auto* tool = qobject_cast<QToolButton*>(widget)) {
                    tool->setText(text);
                }
            } else if (auto* label = qobject_cast<QLabel*>(widget)) {
                label->setText(text);
            } else if (auto* edit = qobject_cast<QLineEdit*>(input)) {
                if (edit->text() != text) {
                    edit->setText(text);
                }
            } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
                if (combo->isEditable()) {
                    combo->setEditText(text);
                } else {
                    combo->setCurrentIndex(combo->findText(text));
                }
            } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
                if (spin->text() != text) {
                    spin->setValue(text.trimmed().toInt());
                }
            } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
                group->setTitle(text);
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                button->setText(text);
            }
            break;
        case Property::Label:
            if (control.kind() == ControlKind::LabeledEdit) {
                widget->findChild<QLabel*>("caption")->setText(ToQt(control.label()));
            }
            break;
        case Property::Bounds:
        case Property::Align:
            if (&control == &form_) {
                window_->resize(control.bounds().width, control.bounds().height);
            } else if (control.parent() != nullptr) {
                layoutChildren(*control.parent());
            }
            break;
        case Property::Visible:
            if (&control == &form_) {
                if (!control.visible()) {
                    window_->hide();
                }
            } else if (view.action) {
                view.action->setVisible(control.visible());
            } else if (widget != nullptr) {
                widget->setVisible(control.visible());
                if (control.parent() != nullptr) {
                    layoutChildren(*control.parent());
                }
            }
            break;
        case Property::Enabled:
            if (view.action) {
                view.action->setEnabled(control.enabled());
            }
            if (widget != nullptr) {
                widget->setEnabled(control.enabled());
            }
            break;
        case Property::Colour:
            if (control.colour() && widget != nullptr) {
                QPalette palette = widget->palette();
                for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
                    palette.setColor(role, ToQt(*control.colour()));
                }
                widget->setPalette(palette);
            }
            break;
        case Property::Background:
            if (control.background() && widget != nullptr) {
                QWidget* target = &control == &form_ ? client_.data() : input;
                QPalette palette = target->palette();
                palette.setColor(QPalette::Window, ToQt(*control.background()));
                palette.setColor(QPalette::Base, ToQt(*control.background()));
                target->setPalette(palette);
                target->setAutoFillBackground(true);
            }
            break;
        case Property::Font:
            if (widget != nullptr) {
                const Font& f = control.font();
                QFont font = widget->font();
                if (!f.family.empty()) {
                    font.setFamily(QString::fromStdString(f.family));
                }
                if (f.pointSize > 0) {
                    font.setPointSize(f.pointSize);
                }
                font.setBold(f.bold);
                font.setItalic(f.italic);
                font.setUnderline(f.underline);
                widget->setFont(font);
            }
            break;
        case Property::Items: {
            QStringList items;
            for (const std::string& item : control.items()) {
                items << ToQt(item);
            }
            if (auto* combo = qobject_cast<QComboBox*>(widget)) {
                combo->clear();
                combo->addItems(items);
                combo->setCurrentIndex(control.itemIndex());
                if (combo->isEditable()) {
                    combo->setEditText(text);
                }
            } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
                list->clear();
                list->addItems(items);
                list->setCurrentRow(control.itemIndex());
            } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
                for (QRadioButton* old : group->findChildren<QRadioButton*>()) {
                    delete old;
                }
                for (int i = 0; i < items.size(); ++i) {
                    auto* radio = new QRadioButton(items[i], group);
                    radio->setChecked(i == control.itemIndex());
                    group->layout()->addWidget(radio);
                    QObject::connect(radio, &QRadioButton::clicked, [this, &control, i] {
                        if (!updating_) {
                            deliver(control, [i](Control& c) { c.userSetItemIndex(i); });
                        }
                    });
                }
            }
            break;
        }
        case Property::ItemIndex:
            if (auto* combo = qobject_cast<QComboBox*>(widget)) {
                combo->setCurrentIndex(control.itemIndex());
            } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
                list->setCurrentRow(control.itemIndex());
            } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
                const auto radios = group->findChildren<QRadioButton*>();
                for (int i = 0; i < radios.size(); ++i) {
                    radios[i]->setChecked(i == control.itemIndex());
                }
            }
            break;
        case Property::Checked:
            if (auto* check = qobject_cast<QCheckBox*>(widget)) {
                check->setChecked(control.checked());
            }
            break;
        case Property::Value:
            if (auto* gauge = qobject_cast<QProgressBar*>(widget)) {
                gauge->setValue(control.value());
            }
            break;
        case Property::Range:
            if (auto* gauge = qobject_cast<QProgressBar*>(widget)) {
                gauge->setRange(control.minimum(), control.maximum());
            } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
                spin->setRange(control.minimum(), control.maximum());
            }
            break;
        case Property::Hint:
            if (widget != nullptr) {
                widget->setToolTip(ToQt(control.hint()));
            }
            break;
        case Property::Picture:
            if (control.picture().empty()) {
                break;
            }
            if (&control == &form_) {
                window_->setWindowIcon(SvgIcon(control.picture()));
            } else if (auto* image = dynamic_cast<SvgPictureWidget*>(widget)) {
                image->setSvg(control.picture());
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                button->setIcon(SvgIcon(control.picture()));
            }
            break;
        case Property::Editable:
            if (auto* combo = qobject_cast<QComboBox*>(widget)) {
                combo->setEditable(control.editable());
            } else if (auto* edit = qobject_cast<QLineEdit*>(input)) {
                edit->setReadOnly(!control.editable());
            }
            break;
        case Property::LineAppended:
            if (auto* log = qobject_cast<QTextEdit*>(widget)) {
                const LogLine& line = control.lines().back();
                log->setTextColor(ToQt(line.colour));
                log->setFontFamily(QString::fromStdString(line.fontFamily));
                log->append(QString::fromStdString(line.text));
                log->verticalScrollBar()->setValue(log->verticalScrollBar()->maximum());
            }
            break;
        case Property::LinesCleared:
            if (auto* log = qobject_cast<QTextEdit*>(widget)) {
                log->clear();
            }
            break;
    }
    updating_ = false;
}

void FormRenderer::propertyChanged(Control& control, Property property) {
    apply(control, property);
}

void FormRenderer::controlDestroyed(Control& control) {
    alive_->erase(&control);
    const auto it = views_.find(&control);
    if (it == views_.end()) {
        return;
    }
    View view = it->second;
    views_.erase(it);
    if (&control == &form_) {
        delete window_.data();
        formDestroyed_();
        return;
    }
    if (view.action && view.menu == nullptr && qobject_cast<QToolButton*>(view.widget) == nullptr) {
        delete view.action.data();
    }
    delete view.menu.data();
    delete view.widget.data();
}

}  // namespace platform
