#pragma once

#include <windows.h>

#include <functional>
#include <map>

#include "platform/core/EventLoop.h"

namespace platform {

// The event loop on the Win32 message loop. A hidden message-only window takes the wake-ups
// (posted events, due timers, receptions signalled by reader threads) and delivers what is due
// whenever any message loop dispatches to it, so timers and receptions keep running inside
// native modal loops too (MessageBoxW, menus, window dragging), not only inside runUntil.
class Win32EventLoop : public EventLoop {
  public:
    Win32EventLoop();
    ~Win32EventLoop() override;

    std::int64_t now() const override;
    DateTime wallNow() const override;
    void sleep(int ms) override;
    void processEvents() override;
    void runUntil(const std::function<bool()>& done) override;

    // A receiver runs on the loop thread once for each signal(id) made on any thread, never
    // inside the signalling call. A removed receiver's late signals are dropped.
    using ReceiverId = std::uint64_t;
    ReceiverId addReceiver(std::function<void()> receiver);
    void removeReceiver(ReceiverId id);
    void signal(ReceiverId id) const;

  protected:
    void timersChanged() override;
    void wake() override;

  private:
    static LRESULT CALLBACK HiddenProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void deliverDue();
    void pumpMessages();

    HWND hidden_ = nullptr;
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER start_{};
    bool wakePosted_ = false;
    std::map<ReceiverId, std::function<void()>> receivers_;
    ReceiverId nextReceiver_ = 1;
};

}  // namespace platform
