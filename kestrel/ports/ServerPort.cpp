#include "ServerPort.h"

#include "PortCatalogue.h"

namespace kestrel {

namespace {
// The probe byte every opening sends.
constexpr const char* kProbeByte = "U";
}  // namespace

ServerPort::ServerPort(platform::Platform& platform, platform::SerialPort& XComm_Serv,
                       const PortSettingsSource& settings, const ProgramValues& values)
    : platform_(platform), XComm_Serv_(XComm_Serv), settings_(settings), values_(values) {}

bool ServerPort::CheckServerPort() {
    return CheckPortPresent(platform_, values_.program.LanguageIndex,
                            settings_.ServerPortSettings(), "Err порт \"SERVER\"");
}

bool ServerPort::OpenServerPort() {
    const PortSettings settings = settings_.ServerPortSettings();
    if (settings.off) {
        return false;
    }
    ReopenPort(platform_.loop, XComm_Serv_, settings);
    if (XComm_Serv_.write(kProbeByte) != 1) {
        ReportPortFailure(platform_.desktop, XComm_Serv_);
        return false;
    }
    return true;
}

void ServerPort::CloseServerPort() {
    if (!settings_.ServerPortSettings().off && XComm_Serv_.isOpen()) {
        XComm_Serv_.close();
    }
}

bool ServerPort::IsOpen() const {
    return XComm_Serv_.isOpen();
}

void ServerPort::SetServerDtr(bool on) {
    XComm_Serv_.setDtr(on);
}

void ServerPort::SetServerRts(bool on) {
    XComm_Serv_.setRts(on);
}

}  // namespace kestrel
