#pragma once

#include <string>

#include "CableTest.h"
#include "platform/core/Form.h"
#include "platform/core/Timer.h"

namespace plover {

class PloverApp;

// The port chosen in a list, without the new-port mark: the row "==>COM7" gives "COM7"; empty
// when no row is chosen.
std::string SelectedPort(const platform::Control& list);

// The tester window: the two switches, the port lists, the error and cycle counts, the language
// box and the run log. The cable test behind the switches is the app's.
class TfRS_Wren : public platform::Form, public CableTestView {
  public:
    explicit TfRS_Wren(PloverApp& app);

    // The captions of the current language.
    void SetCaptions();

    platform::Control& mMenu;
    platform::Control& mHelp;
    platform::Control& mPO;
    platform::Control& mInstr;
    platform::Control& mExit;
    platform::Control& pMenu;
    platform::Control& rxStart;
    platform::Control& rxControl_Data;
    platform::Control& lRS_01;
    platform::Control& stRS_01;
    platform::Control& lRS_02;
    platform::Control& stRS_02;
    platform::Control& lError;
    platform::Control& stError;
    platform::Control& lCikl;
    platform::Control& seCikl;
    platform::Control& CB_LANGUAGE;
    platform::Control& rgRS_01;
    platform::Control& rgRS_02;
    platform::Control& reWin;
    platform::Timer tInit;
    platform::Timer tContr;

    // CableTestView.
    void showPortLists(const std::vector<std::string>& names) override;
    std::string selectedPort(int side) const override;
    void showPortName(int side, const std::string& name) override;
    void showErrorCount(std::uint16_t errors) override;
    int cycles() const override;
    bool monitoringOn() const override;
    void enableMonitoring(bool enabled) override;
    void enableTest(bool enabled) override;
    void switchTestOff() override;
    void clearLog() override;
    void logLine(const platform::Colour& colour, const std::string& text) override;

  private:
    void tInitTimer();
    void tContrTimer();
    void LoadLanguage();
    void CB_LANGUAGEChange();
    void rxStartChange();
    void rxControl_DataChange();
    void KeyDown(int key);

    PloverApp& app_;
};

}  // namespace plover
