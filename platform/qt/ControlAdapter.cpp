#include "ControlAdapter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "SvgPicture.h"

namespace platform {

namespace {

QString ToQt(const std::string& text) {
    // A CR, alone or before an LF, breaks a caption into two lines.
    QString result = QString::fromStdString(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

constexpr int kLabelHeight = 16;  // a labelled edit's caption sits above the edit

QColor QtColour(const Colour& c) {
    return QColor(c.r, c.g, c.b);
}

// Texts of the program: labels and panels show them as they are, never as markup.
QLabel* PlainLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// Panels and labels.
class LabelAdapter : public ControlAdapter {
  public:
    LabelAdapter(Control& control, RaiseEvent raise, QWidget* parent, Qt::Alignment alignment,
                 int frame)
        : ControlAdapter(control, std::move(raise)) {
        label_ = PlainLabel(parent);
        label_->setAlignment(alignment);
        label_->setFrameStyle(frame);
        widget_ = label_;
    }
    void apply(Property property) override {
        if (property == Property::Text) {
            label_->setText(ToQt(control_.text()));
        } else {
            ControlAdapter::apply(property);
        }
    }

  private:
    QLabel* label_;
};

// The typing of a line edit: shown text and the operator's edits.
void ShowText(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) {
        edit->setText(text);
    }
}

void ConnectTyping(QLineEdit* edit, const RaiseEvent& raise) {
    QObject::connect(edit, &QLineEdit::textEdited, [raise](const QString& text) {
        raise([t = text.toStdString()](Control& c) { c.userSetText(t); });
    });
}

class EditAdapter : public ControlAdapter {
  public:
    EditAdapter(Control& control, RaiseEvent raise, QWidget* parent)
        : ControlAdapter(control, std::move(raise)) {
        edit_ = new QLineEdit(parent);
        widget_ = edit_;
        ConnectTyping(edit_, raise_);
    }
    void apply(Property property) override {
        if (property == Property::Text) {
            ShowText(edit_, ToQt(control_.text()));
        } else if (property == Property::Editable) {
            edit_->setReadOnly(!control_.editable());
        } else {
            ControlAdapter::apply(property);
        }
    }

  private:
    QLineEdit* edit_;
};

// An edit with its own caption above it.
class LabeledEditAdapter : public ControlAdapter {
  public:
    LabeledEditAdapter(Control& control, RaiseEvent raise, QWidget* parent)
        : ControlAdapter(control, std::move(raise)) {
        widget_ = new QWidget(parent);
        caption_ = PlainLabel(widget_);
        edit_ = new QLineEdit(widget_);
        ConnectTyping(edit_, raise_);
    }
    QWidget* input() const override { return edit_; }
    void apply(Property property) override {
        switch (property) {
            case Property::Text:
                ShowText(edit_, ToQt(control_.text()));
                break;
            case Property::Label:
                caption_->setText(ToQt(control_.label()));
                break;
            case Property::Editable:
                edit_->setReadOnly(!control_.editable());
                break;
            default:
                ControlAdapter::apply(property);
        }
    }
    void place(const Rect& r) override {
        // The bounds are the edit's; the caption takes the strip above them.
        widget_->setGeometry(r.left, r.top - kLabelHeight, r.width, r.height + kLabelHeight);
        caption_->setGeometry(0, 0, r.width, kLabelHeight);
        edit_->setGeometry(0, kLabelHeight, r.width, r.height);
    }

  private:
    QLabel* caption_;
    QLineEdit* edit_;
};

QStringList ItemsOf(const Control& control) {
    QStringList items;
    for (const std::string& item : control.items()) {
        items << ToQt(item);
    }
    return items;
}

class ComboBoxAdapter : public ControlAdapter {
  public:
    ComboBoxAdapter(Control& control, RaiseEvent raise, QWidget* parent)
        : ControlAdapter(control, std::move(raise)) {
        combo_ = new QComboBox(parent);
        widget_ = combo_;
        QObject::connect(combo_, qOverload<int>(&QComboBox::activated), [this](int index) {
            raise_([index](Control& c) { c.userSetItemIndex(index); });
        });
        QObject::connect(combo_, &QComboBox::editTextChanged, [this](const QString& text) {
            if (combo_->isEditable() && combo_->lineEdit()->isModified()) {
                raise_([t = text.toStdString()](Control& c) { c.userSetText(t); });
            }
        });
    }
    void apply(Property property) override {
        switch (property) {
            case Property::Editable:
                combo_->setEditable(control_.editable());
                break;
            case Property::Items:
                combo_->clear();
                combo_->addItems(ItemsOf(control_));
                combo_->setCurrentIndex(control_.itemIndex());
                showText();
                break;
            case Property::ItemIndex:
                combo_->setCurrentIndex(control_.itemIndex());
                break;
            case Property::Text:
                if (!combo_->isEditable()) {
                    combo_->setCurrentIndex(combo_->findText(ToQt(control_.text())));
                }
                showText();
                break;
            default:
                ControlAdapter::apply(property);
        }
    }

  private:
    void showText() {
        if (combo_->isEditable()) {
            combo_->setEditText(ToQt(control_.text()));
        }
    }
    QComboBox* combo_;
};

class CheckBoxAdapter : public ControlAdapter {
  public:
    CheckBoxAdapter(Control& control, RaiseEvent raise, QWidget* parent)
        : ControlAdapter(control, std::move(raise)) {
        check_ = new QCheckBox(parent);
        widget_ = check_;
        QObject::connect(check_, &QCheckBox::clicked, [this](bool checked) {
            raise_([checked](Control& c) { c.userSetChecked(checked); });
        });
    }
    void apply(Property property) override {
        if (property == Property::Text) {
            check_->setText(ToQt(control_.text()));
        } else if (property == Property::Checked) {
            check_->setChecked(control_.checked());
        } else {
            ControlAdapter::apply(property);
        }
    }

  private:
    QCheckBox* check_;
};

// A number field that shows whatever text the program holds (a value past the range read from a
// file, or letters) and stores what the operator types; the arrows step a number in the range.
class TextSpinBox : public QAbstractSpinBox {
  public:
    TextSpinBox(QWidget* parent, std::function<void(const QString&)> typed)
        : QAbstractSpinBox(parent), typed_(std::move(typed)) {
        QObject::connect(lineEdit(), &QLineEdit::textEdited,
                         [this](const QString& text) { typed_(text); });
    }
    void setRange(int minimum, int maximum) {
        minimum_ = minimum;
        maximum_ = maximum;
    }
    void showText(const QString& text) { ShowText(lineEdit(), text); }

    void stepBy(int steps) override {
        bool number = false;
        const int value = text().trimmed().toInt(&number);
        const int next = std::clamp(number ? value + steps : minimum_, minimum_, maximum_);
        lineEdit()->setText(QString::number(next));
        typed_(text());
    }

  protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

  private:
    std::function<void(const QString&)> typed_;
    int minimum_ = 0;
    int maximum_ = 0;
};

class SpinEditAdapter : public ControlAdapter {
  public:
    SpinEditAdapter(Control& control, RaiseEvent raise, QWidget* parent)
        : ControlAdapter(control, std::move(raise)) {
        spin_ = new TextSpinBox(parent, [this](const QString& text) {
            raise_([t = text.toStdString()](Control& c) { c.userSetText(t); });
        });
        widget_ = spin_;
    }
    void apply(Property property) override {
        if (property == Property::Text) {
            spin_->showText(ToQt(control_.text()));
        } else if (property == Property::Range) {
            spin_->setRange(control_.minimum(), control_.maximum());
        } else {
            ControlAdapter::apply(property);
        }
    }

  private:
    TextSpinBox* spin_;
};

// A coloured log pane. Each entry goes at the end through a cursor of its own, so the operator's
// selection is neither moved nor recoloured, and as plain text, so received bytes are never read
// as markup. The entries of one pass through the loop form one edit: the pane then lays out only
// the lines it shows, so an entry costs time in proportion to its own length, however many
// entries come at once and however long the pane has grown.
class LogPaneAdapter : public ControlAdapter {
  public:
    LogPaneAdapter(Control& control, RaiseEvent raise, QWidget* parent)
        : ControlAdapter(control, std::move(raise)) {
        log_ = new QPlainTextEdit(parent);
        log_->setReadOnly(true);
        log_->setUndoRedoEnabled(false);  // a log is never undone: no history to keep
        log_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        widget_ = log_;
        for (const LogLine& line : control.lines()) {
            append(line);
        }
    }
    void apply(Property property) override {
        if (property == Property::LineAppended) {
            append(control_.lines().back());
        } else if (property == Property::LinesCleared) {
            endEdit();
            log_->clear();
            empty_ = true;
        } else {
            ControlAdapter::apply(property);
        }
    }

  private:
    void append(const LogLine& line) {
        const QTextCursor view = log_->textCursor();
        const int anchor = view.anchor();
        const int position = view.position();
        if (!edit_) {
            beginEdit();
        }
        QTextCharFormat format;
        format.setForeground(QtColour(line.colour));
        format.setFontFamilies({QString::fromStdString(line.fontFamily)});
        if (!empty_) {
            edit_->insertBlock(QTextBlockFormat(), format);
        }
        edit_->insertText(QString::fromStdString(line.text), format);
        empty_ = false;
        // A selection that reached the end would take in the new entry: it stays as it was.
        if (view.hasSelection() && log_->textCursor().position() != position) {
            QTextCursor selection(log_->document());
            selection.setPosition(anchor);
            selection.setPosition(position, QTextCursor::KeepAnchor);
            log_->setTextCursor(selection);
        }
    }
    // The edit ends when the loop next handles the toolkit's events, before any repaint.
    void beginEdit() {
        edit_.emplace(log_->document());
        edit_->beginEditBlock();
        // Placed inside the edit, the cursor does not lay out the last line to find its place;
        // it stays at the end as the entries go in.
        edit_->setPosition(log_->document()->characterCount() - 1);
        QMetaObject::invokeMethod(
            log_,
            [this] {
                endEdit();
                log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
            },
            Qt::QueuedConnection);
    }
    void endEdit() {
        if (edit_) {
            edit_->endEditBlock();
            edit_.reset();
        }
    }
    QPlainTextEdit* log_;
    std::optional<QTextCursor> edit_;  // the cursor of the edit open in this pass
    bool empty_ = true;                // the first entry needs no new block; it may be empty
};

class GaugeAdapter : public ControlAdapter {
  public:
    GaugeAdapter(Control& control, RaiseEvent raise, QWidget* parent)
        : ControlAdapter(control, std::move(raise)) {
        bar_ = new QProgressBar(parent);
        widget_ = bar_;
    }
    void apply(Property property) override {
        if (property == Property::Range) {
            bar_->setRange(control_.minimum(), control_.maximum());
        } else if (property == Property::Value) {
            bar_->setValue(control_.value());
        } else {
            ControlAdapter::apply(property);
        }
    }

  private:
    QProgressBar* bar_;
};

class ListBoxAdapter : public ControlAdapter {
  public:
    ListBoxAdapter(Control& control, RaiseEvent raise, QWidget* parent)
        : ControlAdapter(control, std::move(raise)) {
        list_ = new QListWidget(parent);
        widget_ = list_;
        QObject::connect(list_, &QListWidget::currentRowChanged, [this](int row) {
            raise_([row](Control& c) { c.userSetItemIndex(row); });
        });
    }
    void apply(Property property) override {
        if (property == Property::Items) {
            list_->clear();
            list_->addItems(ItemsOf(control_));
            list_->setCurrentRow(control_.itemIndex());
        } else if (property == Property::ItemIndex) {
            list_->setCurrentRow(control_.itemIndex());
        } else {
            ControlAdapter::apply(property);
        }
    }

  private:
    QListWidget* list_;
};

// A captioned group of radio buttons, one per item; the checked one is the item index.
class RadioGroupAdapter : public ControlAdapter {
  public:
    RadioGroupAdapter(Control& control, RaiseEvent raise, QWidget* parent)
        : ControlAdapter(control, std::move(raise)) {
        group_ = new QGroupBox(parent);
        new QVBoxLayout(group_);
        widget_ = group_;
    }
    void apply(Property property) override {
        switch (property) {
            case Property::Text:
                group_->setTitle(ToQt(control_.text()));
                break;
            case Property::Items:
                makeButtons();
                break;
            case Property::ItemIndex:
                for (int i = 0; i < radios_.size(); ++i) {
                    radios_[i]->setChecked(i == control_.itemIndex());
                }
                break;
            default:
                ControlAdapter::apply(property);
        }
    }

  private:
    void makeButtons() {
        qDeleteAll(radios_);
        radios_.clear();
        const QStringList items = ItemsOf(control_);
        for (int i = 0; i < items.size(); ++i) {
            auto* radio = new QRadioButton(items[i], group_);
            radio->setChecked(i == control_.itemIndex());
            group_->layout()->addWidget(radio);
            QObject::connect(radio, &QRadioButton::clicked,
                             [this, i] { raise_([i](Control& c) { c.userSetItemIndex(i); }); });
            radios_.append(radio);
        }
    }
    QGroupBox* group_;
    QList<QRadioButton*> radios_;
};

class ToolBarAdapter : public ControlAdapter {
  public:
    ToolBarAdapter(Control& control, RaiseEvent raise, QWidget* parent)
        : ControlAdapter(control, std::move(raise)) {
        auto* bar = new QToolBar(parent);
        bar->setIconSize(QSize(32, 32));
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        widget_ = bar;
    }
};

// Push buttons and tool buttons: caption, picture, click. A tool button on a bar is shown and
// hidden through the bar's action for it.
class ButtonAdapter : public ControlAdapter {
  public:
    ButtonAdapter(Control& control, RaiseEvent raise, QAbstractButton* button)
        : ControlAdapter(control, std::move(raise)), button_(button) {
        widget_ = button_;
        if (auto* bar = qobject_cast<QToolBar*>(button_->parentWidget())) {
            action_ = bar->addWidget(button_);
        }
        QObject::connect(button_, &QAbstractButton::clicked,
                         [this] { raise_([](Control& c) { c.click(); }); });
    }
    void apply(Property property) override {
        if (property == Property::Text) {
            button_->setText(ToQt(control_.text()));
            if (action_) {
                action_->setText(ToQt(control_.text()));
            }
        } else if (property == Property::Picture) {
            if (!control_.picture().empty()) {
                button_->setIcon(SvgIcon(control_.picture()));
            }
        } else {
            ControlAdapter::apply(property);
        }
    }

  private:
    QAbstractButton* button_;
};

class SplitterAdapter : public ControlAdapter {
  public:
    SplitterAdapter(Control& control, RaiseEvent raise, QWidget* parent)
        : ControlAdapter(control, std::move(raise)) {
        auto* line = new QFrame(parent);
        line->setFrameStyle(QFrame::StyledPanel);
        widget_ = line;
    }
    void apply(Property property) override {
        if (property == Property::Align) {
            const bool across = control_.align() == Align::Left || control_.align() == Align::Right;
            widget_->setCursor(across ? Qt::SplitHCursor : Qt::SplitVCursor);
        } else {
            ControlAdapter::apply(property);
        }
    }
};

class ImageAdapter : public ControlAdapter {
  public:
    ImageAdapter(Control& control, RaiseEvent raise, QWidget* parent)
        : ControlAdapter(control, std::move(raise)) {
        image_ = new SvgPictureWidget(parent);
        widget_ = image_;
    }
    void apply(Property property) override {
        if (property == Property::Picture) {
            image_->setSvg(control_.picture());
        } else {
            ControlAdapter::apply(property);
        }
    }

  private:
    SvgPictureWidget* image_;
};

// The menu bar; it stands above the form's client area.
class MainMenuAdapter : public ControlAdapter {
  public:
    MainMenuAdapter(Control& control, RaiseEvent raise, QWidget* parent)
        : ControlAdapter(control, std::move(raise)) {
        QWidget* window = parent->window();
        auto* bar = new QMenuBar(window);
        window->layout()->setMenuBar(bar);
        widget_ = bar;
    }
};

// A menu entry: a command, or a sub-menu when it has items of its own.
class MenuItemAdapter : public ControlAdapter {
  public:
    MenuItemAdapter(Control& control, RaiseEvent raise, QWidget* parent)
        : ControlAdapter(control, std::move(raise)) {
        auto* menu = qobject_cast<QMenu*>(parent);
        auto* bar = qobject_cast<QMenuBar*>(parent);
        const QString text = ToQt(control.text());
        if (!control.children().empty()) {
            menu_ = menu ? menu->addMenu(text) : bar->addMenu(text);
            action_ = menu_->menuAction();
        } else {
            action_ = menu ? menu->addAction(text) : bar->addAction(text);
            QObject::connect(action_, &QAction::triggered,
                             [this] { raise_([](Control& c) { c.click(); }); });
        }
        action_->setObjectName(QString::fromStdString(control.name()));
    }
    ~MenuItemAdapter() override {
        if (menu_ == nullptr) {
            delete action_.data();
        }
        delete menu_.data();
    }
    QWidget* content() const override { return menu_; }
    void apply(Property property) override {
        if (property == Property::Text) {
            action_->setText(ToQt(control_.text()));
        } else {
            ControlAdapter::apply(property);
        }
    }

  private:
    QPointer<QMenu> menu_;
};

}  // namespace

ControlAdapter::~ControlAdapter() {
    delete widget_.data();
}

void ControlAdapter::apply(Property property) {
    switch (property) {
        case Property::Visible:
            if (action_) {
                action_->setVisible(control_.visible());
            } else if (widget_) {
                widget_->setVisible(control_.visible());
            }
            break;
        case Property::Enabled:
            if (action_) {
                action_->setEnabled(control_.enabled());
            }
            if (widget_) {
                widget_->setEnabled(control_.enabled());
            }
            break;
        case Property::Colour:
            if (control_.colour() && widget_) {
                QPalette palette = widget_->palette();
                for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
                    palette.setColor(role, QtColour(*control_.colour()));
                }
                widget_->setPalette(palette);
            }
            break;
        case Property::Background:
            if (control_.background() && input() != nullptr) {
                QWidget* target = input();
                QPalette palette = target->palette();
                palette.setColor(QPalette::Window, QtColour(*control_.background()));
                palette.setColor(QPalette::Base, QtColour(*control_.background()));
                target->setPalette(palette);
                target->setAutoFillBackground(true);
            }
            break;
        case Property::Font:
            if (widget_) {
                const Font& f = control_.font();
                QFont font = widget_->font();
                if (!f.family.empty()) {
                    font.setFamily(QString::fromStdString(f.family));
                }
                if (f.pointSize > 0) {
                    font.setPointSize(f.pointSize);
                }
                font.setBold(f.bold);
                font.setItalic(f.italic);
                font.setUnderline(f.underline);
                widget_->setFont(font);
            }
            break;
        case Property::Hint:
            if (widget_) {
                widget_->setToolTip(ToQt(control_.hint()));
            }
            break;
        default:
            break;  // not a property of this kind
    }
}

void ControlAdapter::place(const Rect& r) {
    if (widget_) {
        widget_->setGeometry(r.left, r.top, r.width, r.height);
    }
}

FormAdapter::FormAdapter(Form& form, RaiseEvent raise) : ControlAdapter(form, std::move(raise)) {
    Qt::WindowFlags flags = Qt::Window;
    if (form.borderStyle() == BorderStyle::None) {
        flags |= Qt::FramelessWindowHint;
    } else if (form.borderStyle() == BorderStyle::Dialog) {
        flags |= Qt::Dialog;
    }
    widget_ = new QWidget(nullptr, flags);
    widget_->setObjectName(QString::fromStdString(form.name()));
    auto* layout = new QVBoxLayout(widget_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    client_ = new QWidget(widget_);
    layout->addWidget(client_);

    const Rect& b = form.bounds();
    widget_->resize(b.width, b.height);
    if (form.borderStyle() != BorderStyle::Sizeable) {
        widget_->setFixedSize(b.width, b.height);
    }
    if (form.position() == Position::ScreenCentre) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            widget_->move(area.center() - QPoint(b.width / 2, b.height / 2));
        }
    } else {
        widget_->move(b.left, b.top);
    }
}

void FormAdapter::apply(Property property) {
    switch (property) {
        case Property::Text:
            widget_->setWindowTitle(ToQt(control_.text()));
            break;
        case Property::Bounds:
            widget_->resize(control_.bounds().width, control_.bounds().height);
            break;
        case Property::Visible:
            // The desktop shows a form; the model can only hide it.
            if (!control_.visible()) {
                widget_->hide();
            }
            break;
        case Property::Picture:
            if (!control_.picture().empty()) {
                widget_->setWindowIcon(SvgIcon(control_.picture()));
            }
            break;
        case Property::Background:
            if (control_.background()) {
                QPalette palette = client_->palette();
                palette.setColor(QPalette::Window, QtColour(*control_.background()));
                palette.setColor(QPalette::Base, QtColour(*control_.background()));
                client_->setPalette(palette);
                client_->setAutoFillBackground(true);
            }
            break;
        default:
            ControlAdapter::apply(property);
    }
}

std::unique_ptr<ControlAdapter> MakeAdapter(Control& control, QWidget* parent, RaiseEvent raise) {
    switch (control.kind()) {
        case ControlKind::Panel:
            return std::make_unique<LabelAdapter>(control, std::move(raise), parent,
                                                  Qt::AlignCenter, QFrame::Panel | QFrame::Raised);
        case ControlKind::Label:
            return std::make_unique<LabelAdapter>(control, std::move(raise), parent,
                                                  Qt::AlignLeft | Qt::AlignVCenter,
                                                  QFrame::NoFrame);
        case ControlKind::Edit:
            return std::make_unique<EditAdapter>(control, std::move(raise), parent);
        case ControlKind::LabeledEdit:
            return std::make_unique<LabeledEditAdapter>(control, std::move(raise), parent);
        case ControlKind::ComboBox:
            return std::make_unique<ComboBoxAdapter>(control, std::move(raise), parent);
        case ControlKind::CheckBox:
        case ControlKind::Switch:
            return std::make_unique<CheckBoxAdapter>(control, std::move(raise), parent);
        case ControlKind::SpinEdit:
            return std::make_unique<SpinEditAdapter>(control, std::move(raise), parent);
        case ControlKind::RichLog:
            return std::make_unique<LogPaneAdapter>(control, std::move(raise), parent);
        case ControlKind::Gauge:
            return std::make_unique<GaugeAdapter>(control, std::move(raise), parent);
        case ControlKind::ListBox:
            return std::make_unique<ListBoxAdapter>(control, std::move(raise), parent);
        case ControlKind::RadioGroup:
            return std::make_unique<RadioGroupAdapter>(control, std::move(raise), parent);
        case ControlKind::ToolBar:
            return std::make_unique<ToolBarAdapter>(control, std::move(raise), parent);
        case ControlKind::ToolButton:
            return std::make_unique<ButtonAdapter>(control, std::move(raise),
                                                   new QToolButton(parent));
        case ControlKind::Button:
            return std::make_unique<ButtonAdapter>(control, std::move(raise),
                                                   new QPushButton(parent));
        case ControlKind::Splitter:
            return std::make_unique<SplitterAdapter>(control, std::move(raise), parent);
        case ControlKind::Image:
            return std::make_unique<ImageAdapter>(control, std::move(raise), parent);
        case ControlKind::MainMenu:
            return std::make_unique<MainMenuAdapter>(control, std::move(raise), parent);
        case ControlKind::MenuItem:
            return std::make_unique<MenuItemAdapter>(control, std::move(raise), parent);
        case ControlKind::Form:
            break;  // a form is a window, made by FormAdapter
    }
    return nullptr;
}

}  // namespace platform
