#pragma once

#include <string>

#include "platform/core/Form.h"
#include "platform/core/Timer.h"

namespace kestrel {

class ClientCall;

// The modem window: where a client call starts, by hand from the phone directory or by itself
// with the number the polling software dialled. It holds the RING port while it is open.
class TModC : public platform::Form {
  public:
    explicit TModC(ClientCall& call);

    // What the call needs of this window.
    std::string NumberText() const { return ComboBox1.text(); }
    void ShowModemAnswer(const std::string& answer) { StaticText1.setText(answer); }
    void CloseWindow();

    void LoadPhoneDirectory();

    platform::Control& mModem;
    platform::Control& CONNECT1;
    platform::Control& N1;
    platform::Control& Label1;
    platform::Control& ComboBox1;
    platform::Control& Panel2;
    platform::Control& Label2;
    platform::Control& StaticText1;
    platform::Control& pConnect;
    platform::Control& Label3;
    platform::Timer tInit;

  private:
    void tInitTimer();
    void ApplyCaptions();
    void CONNECT1Click();
    void N1Click();
    void FormClose();

    ClientCall& call_;
    bool closing_ = false;
};

}  // namespace kestrel
