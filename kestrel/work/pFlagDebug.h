#pragma once

#include <string>

#include "platform/core/Form.h"
#include "platform/core/Timer.h"

namespace kestrel {

class KestrelApp;

// The debug switches, behind an access code built from the clock: the minute, then the hour.
class TfFlagDebug : public platform::Form {
  public:
    explicit TfFlagDebug(KestrelApp& app);

    // The code accepted now.
    static std::string AccessCode(int hour, int minute);

    platform::Control& chTM_DebMod;
    platform::Control& chTM_debLog;
    platform::Control& SpeedButton2;
    platform::Control& pPass;
    platform::Control& ePass;
    platform::Control& SpeedButton1;
    platform::Timer tInit;

  private:
    void tInitTimer();
    void CheckCode();
    void ePassKeyDown(int key);
    void SpeedButton2Click();

    KestrelApp& app_;
};

}  // namespace kestrel
