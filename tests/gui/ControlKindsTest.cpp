#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include "platform/qt/QtPlatform.h"

using namespace platform;

namespace {

// One control of each kind on a form of its own, shown by the Qt renderer; the test sets the
// model as a window would and acts on the widget as the operator would.
class ControlKinds : public ::testing::Test {
  protected:
    QtPlatform qt;
    Form form{"kinds"};
    int changes = 0;

    Control& add(ControlKind kind) {
        Control& control = AddControl(form, kind, "control", {10, 10, 200, 150});
        control.onChange = [this] { ++changes; };
        return control;
    }
    template <typename W>
    W* show(const Control& control) {
        form.setBounds({0, 0, 300, 200});
        qt.desktop.show(form);
        qt.loop.processEvents();
        return qobject_cast<W*>(qt.desktop.rendererFor(form)->widgetFor(control));
    }
    // Widget signals arrive as model events through the loop.
    void deliver() {
        for (int i = 0; i < 3; ++i) {
            qt.loop.processEvents();
        }
    }
};

TEST_F(ControlKinds, NumberFieldShowsTheModelTextAndStoresWhatIsTyped) {
    Control& number = add(ControlKind::SpinEdit);
    number.setRange(1, 20);
    number.setText("45");
    auto* spin = show<QAbstractSpinBox>(number);
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->text().toStdString(), "45");  // out of range, shown as the program holds it
    for (const char* text : {"abc", "", " 7", "-3"}) {
        number.setText(text);
        EXPECT_EQ(spin->text().toStdString(), text);
    }
    EXPECT_EQ(changes, 0);  // the program's own settings are not echoed back as typing

    number.setText("");
    QTest::keyClicks(spin, "12x");
    deliver();
    EXPECT_EQ(number.text(), "12x");
    EXPECT_EQ(changes, 3);
}

TEST_F(ControlKinds, NumberFieldArrowsStepWithinTheRange) {
    Control& number = add(ControlKind::SpinEdit);
    number.setRange(1, 20);
    auto* spin = show<QAbstractSpinBox>(number);
    ASSERT_NE(spin, nullptr);
    struct Case {
        const char* text;
        int steps;
        const char* after;
    } cases[] = {{"5", 1, "6"},  {"5", -2, "3"},  {"20", 1, "20"}, {"45", 1, "20"},
                 {"1", -1, "1"}, {"abc", 1, "1"}, {" 7 ", 1, "8"}};
    for (const Case& c : cases) {
        number.setText(c.text);
        spin->stepBy(c.steps);
        deliver();
        EXPECT_EQ(number.text(), c.after) << c.text << " " << c.steps;
        EXPECT_EQ(spin->text().toStdString(), c.after) << c.text << " " << c.steps;
    }
}

// Each line of a pane with the colour of its text, "text #rrggbb".
std::vector<std::string> Blocks(QPlainTextEdit* log) {
    std::vector<std::string> blocks;
    for (QTextBlock b = log->document()->begin(); b.isValid(); b = b.next()) {
        const QColor colour = b.begin().fragment().charFormat().foreground().color();
        blocks.push_back((b.text() + " " + colour.name()).toStdString());
    }
    return blocks;
}

TEST_F(ControlKinds, LogPaneAppendsEachEntryAtTheEndInItsOwnColourWhateverIsSelected) {
    Control& pane = add(ControlKind::RichLog);
    pane.appendLine({"first", colours::Green, "Courier New"});
    auto* log = show<QPlainTextEdit>(pane);
    ASSERT_NE(log, nullptr);
    // The operator selects the first entry and leaves the cursor at its start.
    QTextCursor selection(log->document());
    selection.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    log->setTextCursor(selection);

    pane.appendLine({"second", colours::Red, "Courier New"});
    pane.appendLine({"third", colours::Blue, "Serif"});
    EXPECT_EQ(Blocks(log),
              (std::vector<std::string>{"first #008000", "second #ff0000", "third #0000ff"}));
    EXPECT_EQ(log->document()->lastBlock().begin().fragment().charFormat().fontFamilies(),
              QVariant(QStringList{"Serif"}));
    EXPECT_EQ(log->textCursor().selectedText().toStdString(),
              "first");  // the selection stays as it was
}

TEST_F(ControlKinds, LogPaneShowsReceivedBytesAsPlainText) {
    Control& pane = add(ControlKind::RichLog);
    auto* log = show<QPlainTextEdit>(pane);
    ASSERT_NE(log, nullptr);
    for (const char* text : {"P1<b>bold</b> &lt; x", "a<br>b", "<html><p>page</p></html>"}) {
        pane.appendLine({text, colours::Black, "Courier New"});
        EXPECT_EQ(log->document()->lastBlock().text().toStdString(), text);
    }
    EXPECT_EQ(log->document()->blockCount(), 3);
    pane.clearLines();
    EXPECT_TRUE(log->toPlainText().isEmpty());
    pane.appendLine({"after", colours::Black, "Courier New"});
    EXPECT_EQ(log->toPlainText().toStdString(), "after");
}

TEST_F(ControlKinds, LogPaneShowsTheLastEntryOnceTheLoopRuns) {
    Control& pane = add(ControlKind::RichLog);
    auto* log = show<QPlainTextEdit>(pane);
    ASSERT_NE(log, nullptr);
    for (int i = 0; i < 300; ++i) {
        pane.appendLine({"line " + std::to_string(i), colours::Black, "Courier New"});
    }
    deliver();
    QScrollBar* bar = log->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(log->document()->blockCount(), 300);
    EXPECT_EQ(log->document()->lastBlock().text().toStdString(), "line 299");
}

TEST_F(ControlKinds, LabelsShowTextsAsTheyAre) {
    Control& label = add(ControlKind::Label);
    label.setText("<b>0501234567</b>");
    auto* widget = show<QLabel>(label);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->textFormat(), Qt::PlainText);
}

TEST_F(ControlKinds, ProgressBarMirrorsRangeAndValue) {
    Control& gauge = add(ControlKind::Gauge);
    gauge.setRange(0, 200);
    gauge.setValue(50);
    auto* bar = show<QProgressBar>(gauge);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->maximum(), 200);
    EXPECT_EQ(bar->value(), 50);
    gauge.setValue(200);
    EXPECT_EQ(bar->value(), 200);
    gauge.setRange(10, 20);
    gauge.setValue(15);
    EXPECT_EQ(bar->minimum(), 10);
    EXPECT_EQ(bar->value(), 15);
}

TEST_F(ControlKinds, ListBoxMirrorsItemsAndReportsThePick) {
    Control& box = add(ControlKind::ListBox);
    box.setItems({"one", "two", "three"});
    box.setItemIndex(1);
    auto* list = show<QListWidget>(box);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), "three");
    EXPECT_EQ(list->currentRow(), 1);
    box.setItems({"a", "b"});
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(changes, 0);

    const QRect row = list->visualItemRect(list->item(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    deliver();
    EXPECT_EQ(box.itemIndex(), 0);
    EXPECT_EQ(box.text(), "a");
    EXPECT_EQ(changes, 1);
}

TEST_F(ControlKinds, RadioGroupMirrorsItemsAndReportsThePick) {
    Control& group = add(ControlKind::RadioGroup);
    group.setText("Speed");
    group.setItems({"slow", "fast"});
    group.setItemIndex(0);
    auto* box = show<QGroupBox>(group);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title(), "Speed");
    auto radios = box->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 2);
    EXPECT_EQ(radios[1]->text(), "fast");
    EXPECT_TRUE(radios[0]->isChecked());
    group.setItemIndex(1);
    EXPECT_TRUE(radios[1]->isChecked());
    EXPECT_FALSE(radios[0]->isChecked());
    EXPECT_EQ(changes, 0);

    group.setItems({"low", "mid", "high"});
    radios = box->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 3);
    EXPECT_TRUE(radios[1]->isChecked());
    radios[2]->click();
    deliver();
    EXPECT_EQ(group.itemIndex(), 2);
    EXPECT_EQ(box->title(), "Speed");  // the pick does not become the caption
    EXPECT_EQ(changes, 1);
}

}  // namespace
