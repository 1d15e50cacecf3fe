#pragma once

#include "kestrel/common/WorkWindowIntents.h"
#include "kestrel/ringcall/CallLinks.h"
#include "platform/core/Form.h"
#include "platform/core/Timer.h"

namespace kestrel {

class KestrelApp;

// The operator's window of a server run: the link indicators, the device and modem fields, the
// silence countdown, the logs and the commands. The program lives in it until the exit button.
// Units reach it only through its intents.
class TfWinServ : public platform::Form, public WorkWindowIntents, public CallWorkWindow {
  public:
    explicit TfWinServ(KestrelApp& app);

    void StartRestartServer();
    void ShowServerState();

    void SetServerStarted(bool on) override;
    void SetClientConnected(bool on) override;
    void SetClientIdentified(bool on) override;
    void SetPollingLinkUp(bool on) override;
    void ShowDialledNumber(const std::string& digits) override;
    void ShowCallBusy() override;
    void StartAutoDial() override;
    void ShowModemFault(const std::string& line) override;
    void HideModemFault() override;
    void ShowModemFaultLine() override;
    void SetModemFaultText(const std::string& text) override;
    void ShowSignalQuality(std::uint8_t quality) override;
    void ShowSimAddress(const std::string& address) override;
    void ShowDevice(const DeviceFields& device) override;
    void ClearDeviceFields() override;
    platform::Control* LogPane(LogPaneId pane) override;
    void LogRing(LogKind kind, const std::string& text) override;
    void ClearRingLog() override;
    std::string DialledNumber() const override;

    platform::Control& TB_WinServ;
    platform::Control& TB_Retry;
    platform::Control& TB_ContrSost;
    platform::Control& TB_Phone;
    platform::Control& TB_EditPhone;
    platform::Control& TB_Help;
    platform::Control& TB_Exit;

    platform::Control& pLogDeb;
    platform::Control& Split_Baza;
    platform::Control& reLogDeb_Serv;
    platform::Control& Split_Log;
    platform::Control& reLogDeb_WinPh;

    platform::Control& pWrk;
    platform::Control& lErr_Power;
    platform::Control& lSostServ;
    platform::Control& lStartServ;
    platform::Control& sStartServ;
    platform::Control& lConn_SERV;
    platform::Control& sConn_SERV;
    platform::Control& lConn_CSD_GPRS;
    platform::Control& sConn_CSD_GPRS;
    platform::Control& lConnWin;
    platform::Control& sConnWin;
    platform::Control& leManuf;
    platform::Control& leTypeCorr;
    platform::Control& leSerNumCl;
    platform::Control& leNumPh;
    platform::Control& leTm_out;
    platform::Control& rxAuto_Phone;
    platform::Control& pTimeOK;
    platform::Control& lTM_OK;
    platform::Control& sStepStopOK;
    platform::Control& lPhoneRing;
    platform::Control& stPhoneRing;
    platform::Control& lCSQ;
    platform::Control& lIP_Sim;
    platform::Control& lPortS;
    platform::Control& lAPN_Serv;
    platform::Control& reLogDeb_Phone;

    platform::Timer tInit;
    platform::Timer tContrWinSost;
    platform::Timer tStopOK;
    platform::Timer tStartPhone;
    platform::Timer tStopPO;

    // The end of the run: the exchange log file closes, then the SERVER port and the program.
    void TB_ExitClick();

  private:
    void tInitTimer();
    void tStopOKTimer();
    void tStartPhoneTimer();
    void tStopPOTimer();
    void ApplyWorkWindowTexts();
    void TB_ContrSostClick();
    void TB_PhoneClick();
    void rxAuto_PhoneChange();
    void ShowAutoDial(bool on);

    KestrelApp& app_;
};

}  // namespace kestrel
