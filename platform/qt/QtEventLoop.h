#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <deque>

#include "platform/core/EventLoop.h"

namespace platform {

// The event loop on Qt. Qt only wakes the loop; every program callback (timer ticks, posted
// receptions and widget actions) runs from runUntil's own code, never inside a Qt handler, so
// nested loops keep delivering every timer as the program expects.
class QtEventLoop : public QObject, public EventLoop {
  public:
    QtEventLoop();

    std::int64_t now() const override { return clock_.elapsed(); }
    DateTime wallNow() const override;
    void sleep(int ms) override;
    void processEvents() override;
    void runUntil(const std::function<bool()>& done) override;

  protected:
    void timersChanged() override;
    void wake() override;

  private:
    QElapsedTimer clock_;
    QTimer wakeUp_;
};

}  // namespace platform
