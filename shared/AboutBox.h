#pragma once

#include <string>

#include "platform/core/Form.h"
#include "platform/core/Timer.h"

namespace shared {

struct AboutTexts {
    std::string title;
    std::string software;
    std::string version;
    std::string yes;
    std::string programName;  // shown in quotes
    std::string picture;      // SVG
};

// The about box: borderless, centred; its texts arrive on the first tick of tInit.
class TAboutForm : public platform::Form {
  public:
    TAboutForm(platform::EventLoop& loop, AboutTexts texts);

    platform::Control& Label5;
    platform::Control& lNameFack;
    platform::Control& Label_versPr;
    platform::Control& Label1;
    platform::Control& lMail;
    platform::Control& lWeb;
    platform::Control& OKButton;
    platform::Timer tInit;

  private:
    void tInitTimer();
    void OKButtonKeyUp(int key);

    AboutTexts texts_;
};

}  // namespace shared
