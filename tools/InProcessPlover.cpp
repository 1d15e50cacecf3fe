#include "InProcessPlover.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "plover/pRs_Wren.h"

namespace tools {

namespace {
constexpr int kWatchMs = 100;
}

CableTestOperator::CableTestOperator(InProcessPlover& plover, int cycles,
                                     std::function<void()> beforeExit)
    : p_(plover),
      cycles_(cycles),
      beforeExit_(std::move(beforeExit)),
      watch_(plover.loop, kWatchMs, true) {
    watch_.onTick([this] { tick(); });
}

bool CableTestOperator::listsShowBothPorts() const {
    const auto& items = p_.app.fRS_Wren->rgRS_01.items();
    return std::find(items.begin(), items.end(), "COM1") != items.end() &&
           std::find(items.begin(), items.end(), "COM2") != items.end();
}

void CableTestOperator::choose(const platform::Control& list, const std::string& port) const {
    auto* group = p_.desktop.widget(*p_.app.fRS_Wren, list);
    for (QRadioButton* radio : group->findChildren<QRadioButton*>()) {
        if (radio->text().toStdString() == port) {
            radio->click();
        }
    }
}

void CableTestOperator::tick() {
    plover::TfRS_Wren* w = p_.app.fRS_Wren;
    if (w == nullptr || w->CB_LANGUAGE.text().empty()) {
        return;  // not set up yet
    }
    const FolderDesktop& d = p_.desktop;
    switch (step_) {
        case Step::Open:
            d.click(*w, w->rxStart);
            step_ = Step::Monitoring;
            break;
        case Step::Monitoring:
            if (listsShowBothPorts()) {
                d.click(*w, w->rxStart);
                step_ = Step::Choosing;
            }
            break;
        case Step::Choosing:
            if (w->rgRS_01.enabled() && w->rxControl_Data.enabled()) {
                choose(w->rgRS_01, "COM1");
                choose(w->rgRS_02, "COM2");
                // The up arrow, from the one cycle the window starts with.
                qobject_cast<QAbstractSpinBox*>(d.widget(*w, w->seCikl))->stepBy(cycles_ - 1);
                d.click(*w, w->rxControl_Data);
                step_ = Step::Testing;
            }
            break;
        case Step::Testing:
            if (w->rxControl_Data.checked() || !w->rxStart.enabled()) {
                break;
            }
            // The run has ended; its final box, if any, is up in a nested loop.
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(top);
                if (box != nullptr && box->isVisible()) {
                    finalBox_ = box->text().toStdString();
                    box->button(QMessageBox::Ok)->click();
                }
            }
            errors_ = w->stError.text();
            for (const platform::LogLine& line : w->reWin.lines()) {
                log_.push_back(line.text);
            }
            if (beforeExit_) {
                beforeExit_();
            }
            step_ = Step::Done;
            watch_.setEnabled(false);
            d.click(*w, w->mExit);
            break;
        case Step::Done:
            break;
    }
}

}  // namespace tools
