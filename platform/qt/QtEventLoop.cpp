#include "QtEventLoop.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QThread>
#include <algorithm>

namespace platform {

QtEventLoop::QtEventLoop() {
    clock_.start();
    wakeUp_.setSingleShot(true);
    wakeUp_.setTimerType(Qt::PreciseTimer);
    // The wake-up only ends the wait in processEvents; the due timers fire from runUntil.
    connect(&wakeUp_, &QTimer::timeout, this, [] {});
}

DateTime QtEventLoop::wallNow() const {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

void QtEventLoop::sleep(int ms) {
    QThread::msleep(unsigned(std::max(0, ms)));
}

void QtEventLoop::wake() {
    QMetaObject::invokeMethod(
        this, [] {}, Qt::QueuedConnection);
}

void QtEventLoop::timersChanged() {
    const auto next = timers().nextDue();
    if (!next) {
        wakeUp_.stop();
        return;
    }
    wakeUp_.start(int(std::clamp<std::int64_t>(*next - now(), 0, 24 * 3600 * 1000)));
}

void QtEventLoop::processEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    deliverPosted();
    timers().fireDue(now());
}

void QtEventLoop::runUntil(const std::function<bool()>& done) {
    while (!done() && !quitRequested()) {
        deliverPosted();
        timers().fireDue(now());
        if (done() || quitRequested()) {
            break;
        }
        if (hasPosted()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            continue;
        }
        // Re-arm from the current state: a tick may have moved the next due time.
        timersChanged();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

}  // namespace platform
