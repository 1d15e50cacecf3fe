#pragma once

#include <functional>
#include <string>

#include "platform/core/Form.h"
#include "platform/core/Timer.h"

namespace shared {

// Shown for about one and a half seconds while the desktop opens a document.
class TfWaitPDF : public platform::Form {
  public:
    TfWaitPDF(platform::EventLoop& loop, std::string waitText, std::function<void()> openDocument);

    platform::Control& pBaza;
    platform::Timer tInit;
    platform::Timer TimerClose;

  private:
    void tInitTimer();
    void TimerCloseTimer();

    std::string waitText_;
    std::function<void()> openDocument_;
};

}  // namespace shared
