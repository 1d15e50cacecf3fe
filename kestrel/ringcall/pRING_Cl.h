#pragma once

#include "platform/core/Form.h"
#include "platform/core/Timer.h"

namespace kestrel {

class ClientCall;

// The call window: runs one call over the dial-out modem and reports how it ended. It closes only
// through the stop keys or at the end of the call.
class TfRING_Cl : public platform::Form {
  public:
    explicit TfRING_Cl(ClientCall& call);

    void CloseWindow();

    platform::Control& lBaner;
    platform::Control& ProgBar_PHONE;
    platform::Control& lWait;
    platform::Control& lExit;
    platform::Timer tInit;
    platform::Timer tStep_Phone;
    platform::Timer tWait;

  private:
    void tInitTimer();
    void tStep_PhoneTimer();
    void tWaitTimer();
    void FormKeyDown(int key);
    void EndCall();
    void CloseModemWindow();
    void ErrorBox(const std::string& text);

    ClientCall& call_;
    bool closing_ = false;
};

}  // namespace kestrel
