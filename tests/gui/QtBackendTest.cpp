#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <functional>

#include "platform/core/Timer.h"
#include "platform/qt/QtPlatform.h"
#include "support/TempFolder.h"

using namespace platform;

namespace {

// Real time: intervals are short and the checks allow for scheduling jitter.
TEST(QtTimers, RepeatingTimerKeepsPeriodAndEnablingAgainKeepsPhase) {
    QtEventLoop loop;
    std::vector<std::int64_t> ticks;
    Timer timer(loop, 40, true);
    const std::int64_t start = loop.now();
    timer.onTick([&] { ticks.push_back(loop.now() - start); });
    loop.runUntil([&] {
        if (loop.now() - start >= 20) {
            timer.setEnabled(true);  // must not restart the interval
        }
        return ticks.size() >= 3;
    });
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_GE(ticks[0], 40);
    EXPECT_LT(ticks[0], 75);
    EXPECT_GE(ticks[2], 120);
}

TEST(QtTimers, IntervalZeroNeverFiresAndSleepDeliversNothing) {
    QtEventLoop loop;
    int zero = 0;
    int fast = 0;
    Timer never(loop, 0, true);
    never.onTick([&] { ++zero; });
    Timer quick(loop, 5, true);
    quick.onTick([&] { ++fast; });
    loop.sleep(50);
    EXPECT_EQ(fast, 0);
    loop.processEvents();
    EXPECT_EQ(fast, 1);  // late: fires once, not once per missed period
    const std::int64_t start = loop.now();
    loop.runUntil([&] { return loop.now() - start >= 60; });
    EXPECT_EQ(zero, 0);
    EXPECT_GE(fast, 3);
}

TEST(QtTimers, NestedLoopKeepsOtherTimersRunning) {
    QtEventLoop loop;
    int inner = 0;
    int outerTicks = 0;
    Timer other(loop, 10, true);
    other.onTick([&] { ++inner; });
    Timer outer(loop, 20, true);
    outer.onTick([&] {
        if (++outerTicks == 1) {
            loop.runUntil([&] { return inner >= 5; });
        }
    });
    loop.runUntil([&] { return outerTicks >= 2; });
    EXPECT_GE(inner, 5);
    EXPECT_EQ(outerTicks, 2);
}

std::string TestLockName() {
    return "KESTREL-TEST-" + std::to_string(QCoreApplication::applicationPid());
}

TEST(QtInstanceLock, OnePerUserWhateverTheEnvironmentAndGoneWhenReleased) {
    const std::string name = TestLockName();
    InstanceLockAttempt first = LockInstance(name);
    ASSERT_NE(first.lock, nullptr);
    // A second start with runtime and temporary folders of its own still finds the lock.
    testing_support::TempFolder elsewhere;
    const QByteArray folder = QByteArray::fromStdString(elsewhere.path().string());
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray temporary = qgetenv("TMPDIR");
    qputenv("XDG_RUNTIME_DIR", folder);
    qputenv("TMPDIR", folder);
    const InstanceLockAttempt second = LockInstance(name);
    qputenv("XDG_RUNTIME_DIR", runtime);
    qputenv("TMPDIR", temporary);
    EXPECT_EQ(second.lock, nullptr);
    EXPECT_EQ(second.error, "");  // held by another instance: no other fault

    first.lock.reset();
    EXPECT_FALSE(std::filesystem::exists(InstanceLockPath(name)));
    EXPECT_NE(LockInstance(name).lock, nullptr);
}

TEST(QtInstanceLock, LockThatCannotBeTakenIsAnErrorNamingItsPath) {
    const std::string name = TestLockName();
    const std::filesystem::path path = InstanceLockPath(name);
    using Make = std::function<void()>;
    const std::pair<const char*, Make> cases[] = {
        {"a folder", [&] { std::filesystem::create_directory(path); }},
        {"a link", [&] { std::filesystem::create_symlink("/dev/null", path); }},
    };
    for (const auto& [what, make] : cases) {
        make();
        const InstanceLockAttempt attempt = LockInstance(name);
        EXPECT_EQ(attempt.lock, nullptr) << what;
        EXPECT_NE(attempt.error.find(path.string()), std::string::npos) << what << attempt.error;
        std::filesystem::remove(path);
    }
}

// A small form with one control of each kind that takes input.
struct SampleForm : Form {
    SampleForm() : Form("sample") {
        setBounds({0, 0, 300, 200});
        top.setAlign(Align::Top);
        top.setBounds({0, 0, 0, 40});
        top.setText("top");
        edit.setBounds({10, 60, 100, 22});
        check.setBounds({10, 90, 100, 22});
        check.setText("check");
        button.setBounds({10, 120, 80, 26});
        button.setText("press");
        log.setBounds({150, 60, 140, 100});
    }
    Control& top = add(ControlKind::Panel, "top");
    Control& label = top.add(ControlKind::Label, "label");
    Control& edit = add(ControlKind::Edit, "edit");
    Control& check = add(ControlKind::CheckBox, "check");
    Control& button = add(ControlKind::Button, "button");
    Control& log = add(ControlKind::RichLog, "log");
};

class Renderer : public ::testing::Test {
  protected:
    QtPlatform qt;
    SampleForm form;

    void SetUp() override {
        qt.desktop.show(form);
        qt.loop.processEvents();
    }
    template <typename W>
    W* widget(const Control& c) {
        return qobject_cast<W*>(qt.desktop.rendererFor(form)->widgetFor(c));
    }
    // Widget signals arrive as model events through the loop.
    void deliver() {
        for (int i = 0; i < 3; ++i) {
            qt.loop.processEvents();
        }
    }
};

TEST_F(Renderer, WidgetsMirrorTheirControls) {
    auto* label = widget<QLabel>(form.label);
    ASSERT_NE(label, nullptr);
    form.label.setText("two\rlines");
    EXPECT_EQ(label->text(), "two\nlines");
    form.label.setColour(colours::Red);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    form.check.setChecked(true);
    EXPECT_TRUE(widget<QCheckBox>(form.check)->isChecked());
    form.button.setEnabled(false);
    EXPECT_FALSE(widget<QPushButton>(form.button)->isEnabled());
    form.edit.setVisible(false);
    EXPECT_TRUE(widget<QLineEdit>(form.edit)->isHidden());
    // The top-aligned panel spans the client width.
    EXPECT_EQ(widget<QLabel>(form.top)->geometry(), QRect(0, 0, form.bounds().width, 40));

    form.log.appendLine({"green line", colours::Green, "Courier New"});
    auto* log = widget<QPlainTextEdit>(form.log);
    EXPECT_EQ(log->toPlainText(), "green line");
    form.log.clearLines();
    EXPECT_TRUE(log->toPlainText().isEmpty());
}

TEST_F(Renderer, UserActionsComeBackAsEvents) {
    int clicks = 0;
    std::string typed;
    bool checked = false;
    std::vector<MouseButton> mouse;
    form.button.onClick = [&] { ++clicks; };
    form.edit.onChange = [&] { typed = form.edit.text(); };
    form.check.onChange = [&] { checked = form.check.checked(); };
    form.label.onMouseUp = [&](MouseButton b) { mouse.push_back(b); };

    QTest::mouseClick(widget<QPushButton>(form.button), Qt::LeftButton);
    QTest::keyClicks(widget<QLineEdit>(form.edit), "ab");
    widget<QCheckBox>(form.check)->click();
    QTest::mouseClick(widget<QLabel>(form.label), Qt::RightButton);
    EXPECT_EQ(clicks, 0);  // nothing runs inside the widget's own handler
    deliver();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(typed, "ab");
    EXPECT_TRUE(checked);
    EXPECT_EQ(mouse, (std::vector<MouseButton>{MouseButton::Right}));
}

TEST_F(Renderer, WindowCloseAsksTheModelWhichMayRefuse) {
    bool allow = false;
    form.onCloseQuery = [&] { return allow; };
    QWidget* window = qt.desktop.rendererFor(form)->window();
    window->close();
    deliver();
    EXPECT_TRUE(form.isShown());
    EXPECT_TRUE(window->isVisible());
    allow = true;
    window->close();
    deliver();
    EXPECT_FALSE(form.isShown());
    EXPECT_FALSE(window->isVisible());
}

TEST(QtModal, ModalFormBlocksWhileTimersRun) {
    QtPlatform qt;
    Form dialog("dialog");
    dialog.setBounds({0, 0, 200, 100});
    int ticks = 0;
    Timer timer(qt.loop, 10, true);
    timer.onTick([&] {
        if (++ticks == 5) {
            dialog.close();
        }
    });
    qt.desktop.showModal(dialog);
    EXPECT_EQ(ticks, 5);
    EXPECT_FALSE(dialog.isShown());
}

TEST(QtBoxes, TextIsShownAsItIsAndTheAnswerComesBack) {
    QtPlatform qt;
    Qt::TextFormat format = Qt::AutoText;
    QString shown;
    Timer answer(qt.loop, 20, true);
    answer.onTick([&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
                format = box->textFormat();
                shown = box->text();
                box->button(QMessageBox::No)->click();
            }
        }
    });
    EXPECT_EQ(qt.desktop.messageBox(BoxIcon::Question, "port <b>COM1</b>\rbusy", BoxButtons::YesNo),
              BoxAnswer::No);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(shown.toStdString(), "port <b>COM1</b>\nbusy");
}

}  // namespace

TEST(QtSplitter, DraggingResizesTheControlBeforeIt) {
    QtPlatform qt;
    Form form("split");
    form.setBounds({0, 0, 300, 200});
    Control& left = form.add(ControlKind::Panel, "left");
    left.setAlign(Align::Left);
    left.setBounds({0, 0, 100, 0});
    Control& splitter = form.add(ControlKind::Splitter, "splitter");
    splitter.setAlign(Align::Left);
    splitter.setBounds({0, 0, 4, 0});
    form.add(ControlKind::Panel, "rest").setAlign(Align::Client);
    qt.desktop.show(form);
    qt.loop.processEvents();

    QWidget* handle = qt.desktop.rendererFor(form)->widgetFor(splitter);
    ASSERT_NE(handle, nullptr);
    const QPointF start(2, 50);
    const QPointF end(32, 50);
    // Each event is made just before it is sent, as the window system would.
    QMouseEvent press(QEvent::MouseButtonPress, start, handle->mapToGlobal(start), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(handle, &press);
    QMouseEvent move(QEvent::MouseMove, end, handle->mapToGlobal(end), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(handle, &move);
    EXPECT_EQ(left.bounds().width, 130);
    EXPECT_EQ(handle->geometry().left(), 130);
}
