#include <gtest/gtest.h>

#include "support/ServerRun.h"

using testing_support::ModemServerRun;
using testing_support::SettingsFile;

namespace {

// A server run with the GSM modem simulator and no power control; the device fields and the
// modem's signal and address are lines of the transcript too.
struct DeviceRun : ModemServerRun {
    DeviceRun() : ModemServerRun(WithoutPowerControl()) {
        for (const char* field :
             {"leManuf", "leTypeCorr", "leSerNumCl", "leNumPh", "leTm_out", "lCSQ", "lIP_Sim"}) {
            transcript().watch(field);
        }
        modem.connectDeviceOnceListening(device, 3000);
    }

    static SettingsFile WithoutPowerControl() {
        SettingsFile settings;
        settings.sorrel = false;
        return settings;
    }

    sim::DeviceSim device{k.loop,
                          {.requestTimeout = 30, .serial = 123456, .manufacturer = 2, .type = 3}};
};

}  // namespace

TEST(DeviceConnection, ADeviceConnectsOverGprsIdentifiesAndIsRelayed) {
    DeviceRun r;
    // After its record the device sends modem-like text: relayed, not taken for the modem's.
    r.device.send(500, "\r\nRDY\r\ndata");
    r.polling.dial(0, "0501234567");
    r.polling.send(23000, "to the device");
    // Once identified, the modem's own lines are the device's data too: the polling software
    // sees the socket close.
    r.at(24000, [&] { r.modem.disconnectDevice(0); });
    r.run(25000);
    EXPECT_EQ(r.transcript().between(17000, 25000),
              "17500 COM3 <- \"\\r\\nAT+CIPSERVER=1,5001\\r\\n\"\n"
              "17520 COM3 -> \"\\r\\nOK\\r\\n\\r\\nSERVER OK\\r\\n\"\n"
              "18750 sStartServ \"YES\"\n"
              "18750 window fStartMod closed\n"
              "20520 COM3 -> \"\\r\\nREMOTE IP: 10.20.30.40\\r\\n\"\n"
              "20520 sConn_SERV \"YES\"\n"
              "20720 COM3 -> \"CSD_GPRS0501234567\\x1E\\x00@\\xE2\\x01\\x00\\x02\\x03\"\n"
              "20720 leManuf \"Gas Flow Instruments\"\n"
              "20720 leTypeCorr \"GFI-103 flow computer\"\n"
              "20720 leSerNumCl \"123456\"\n"
              "20720 leNumPh \"0501234567\"\n"
              "20720 leTm_out \"30\"\n"
              "20720 sConn_CSD_GPRS \"YES\"\n"
              // all three links up: the fault line of the start goes
              "21010 lErr_Power hidden\n"
              "21220 COM3 -> \"\\r\\nRDY\\r\\ndata\"\n"
              "21220 COM4 <- \"\\r\\nRDY\\r\\ndata\"\n"
              "23801 COM4 -> \"to the device\"\n"
              "23801 COM3 <- \"to the device\"\n"
              "24001 COM3 -> \"\\r\\nCLOSED\\r\\n\"\n"
              "24001 COM4 <- \"\\r\\nCLOSED\\r\\n\"\n");
    EXPECT_EQ(r.values().links.ClientTimeout, 30);
    EXPECT_EQ(r.device.received().all(), "to the device");
}

TEST(DeviceConnection, AfterAFailedWinWriteTheDevicesBytesAreDropped) {
    DeviceRun r;
    r.device.send(500, "one");
    r.device.send(500, "two");
    r.device.send(500, "three");
    r.at(21500, [&] { r.winPort.cutWritesTo(1); });
    r.at(22000, [&] { r.winPort.cutWritesTo(-1); });
    r.run(23000);
    EXPECT_EQ(r.transcript().of({"COM4"}),
              "00800 COM4 open 115200\n"
              "00800 COM4 <- \"U\"\n"
              "21220 COM4 <- \"one\"\n"
              "21720 COM4 <- \"t\" short 3\n");
    EXPECT_TRUE(r.k.app.relay->WinWriteFailed());
    EXPECT_EQ(r.k.app.comModem->ServerRxBuffer, "three");
}
