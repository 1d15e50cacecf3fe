#pragma once

#include <memory>

#include "kestrel/common/ProgramValues.h"
#include "kestrel/ports/PortSettings.h"
#include "platform/core/Form.h"
#include "platform/core/Platform.h"

namespace kestrel {

class KestrelApp;

// The settings window: the working copy of the settings, and the owner of the SERVER and WIN
// ports for the whole run, shown or not. Others take its settings as values, never from its
// fields.
class TInRS232 : public platform::Form, public PortSettingsSource {
  public:
    explicit TInRS232(KestrelApp& app);

    // Captions of the current language, set each time the window is about to open.
    void SetSettingsCaptions();

    PortSettings ServerPortSettings() const override;
    PortSettings WinPortSettings() const override;
    RingPortSetting RingPortSettings() const override;
    std::string GprsApn() const { return lAPN_Serv.text(); }
    std::string GprsPort() const { return lPortS.text(); }

    platform::Control& lBaner;
    platform::Control& pPorts;
    platform::Control& lLengPO;
    platform::Control& CB_LANGUAGE;
    platform::Control& lRS_Serv;
    platform::Control& chRS_SERV_Off;
    platform::Control& chXCom_Bcom_SERVER;
    platform::Control& spBut_SERV;
    platform::Control& cbRS232_SERV;
    platform::Control& lSpeedServ;
    platform::Control& cbSpeedServ;
    platform::Control& chSORREL;
    platform::Control& lRS_winPO;
    platform::Control& chRS_WIN_Off;
    platform::Control& chXCom_Bcom_WIN;
    platform::Control& spBut_WIN;
    platform::Control& cbRS232_WIN;
    platform::Control& Label1;
    platform::Control& cbSpeedWIN;
    platform::Control& lRS_Phone;
    platform::Control& chAuto_Phone;
    platform::Control& chRS_RING_Off;
    platform::Control& spBut_modRing;
    platform::Control& cbRS232_modRing;
    platform::Control& lSpeed_modRing;
    platform::Control& cbSpeedModRing;

    platform::Control& pParServ;
    platform::Control& lServ;
    platform::Control& cbAutoStartServ;
    platform::Control& lAPN_Serv;
    platform::Control& lPortS;
    platform::Control& lWaitPowerOn;
    platform::Control& seWaitPowerOn;
    platform::Control& lTmOut_Conn;
    platform::Control& seTmOut_Conn;
    platform::Control& lTmOut_Online;
    platform::Control& seTmOut_Online;
    platform::Control& lTOutTicket;
    platform::Control& seTOutTicket;

    platform::Control& mmBaza;
    platform::Control& mSave;
    platform::Control& mNullMod;
    platform::Control& mExit;

    // The SERVER and WIN ports live as long as this window.
    std::unique_ptr<platform::SerialPort> XComm_Serv;
    std::unique_ptr<platform::SerialPort> XComm_WIN;

  private:
    void mSaveClick();
    void FormKeyDown(int key);
    void FormClose();

    KestrelApp& app_;
};

}  // namespace kestrel
