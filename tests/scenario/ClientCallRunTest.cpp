#include <gtest/gtest.h>

#include "kestrel/ringcall/EditAM.h"
#include "sim/DialOutModemSim.h"
#include "support/ClientCallRig.h"
#include "support/ServerRun.h"

using testing_support::ServerRun;
using testing_support::SettingsFile;

namespace {

// A server run whose RING port is COM5 with a dial-out modem on the line.
struct RingRun : ServerRun {
    explicit RingRun(bool autoDial, const std::string& ring = "COM5")
        : ServerRun(SettingsFile{.ring = ring, .ringSpeed = "9600", .autoDial = autoDial}) {}

    std::string lines() {
        return testing_support::ReadableText(
            transcript().of({"COM5", "window", "box", "stPhoneRing", "lErr_Power"}));
    }

    platform::VirtualPortDevice& ringPort = k.ports.device("COM5");
    testing_support::VirtualEndpoint ringLine{ringPort};
    sim::DialOutModemSim ringModem{k.loop, ringLine};
};

}  // namespace

TEST(ClientCallRun, AutoDialRingsTheNumberThePollingSoftwareDialled) {
    RingRun r(true);
    r.polling.dial(200, "0501234567");
    platform::Colour shown;
    std::vector<platform::LogLine> pane;
    r.at(7000, [&] {
        shown = *r.work().stPhoneRing.colour();
        pane = r.work().reLogDeb_Phone.lines();
    });
    r.run(8000);
    EXPECT_EQ(r.lines(),
              "00000 window SplashForm opened\n"
              "00000 window SplashForm closed\n"
              "00000 window fKestrel opened\n"
              "00010 window fKestrel closed\n"
              "00010 window fWinServ opened\n"
              "00800 window fStartMod opened\n"
              "00800 window fStartMod closed\n"
              "01000 stPhoneRing \"0501234567\"\n"
              "01250 window ModC opened\n"
              "01350 window fRING_Cl opened\n"
              "01700 COM5 open 9600\n"
              "01700 COM5 DTR on\n"
              "01700 COM5 RTS on\n"
              "01950 COM5 <- \"ATE0\\r\"\n"
              "01950 COM5 -> \"ATE0\\r\"\n"
              "01970 COM5 -> \"\\r\\nOK\\r\\n\"\n"
              "03200 COM5 <- \"ATD0501234567;\\r\"\n"
              "05200 COM5 -> \"\\r\\nBUSY\\r\\n\"\n"
              "05450 window fRING_Cl closed\n"
              "05650 COM5 <- \"ATH0\\r\"\n"
              "05670 COM5 -> \"\\r\\nOK\\r\\n\"\n"
              "05750 window ModC closed\n"
              "05750 COM5 close\n");
    EXPECT_EQ(shown, platform::colours::Green);
    // The RING pane of the work window got both directions.
    ASSERT_GE(pane.size(), 2u);
    EXPECT_EQ(pane[1].text, "->:ATE0 // hex: 41 54 45 30 0D ");
    EXPECT_EQ(pane[1].colour, platform::colours::Maroon);
}

TEST(ClientCallRun, AutoDialWithoutARingPortShowsTheFaultLine) {
    RingRun r(true, "COM9");
    r.polling.dial(200, "0501234567");
    r.run(4000);
    EXPECT_NE(r.lines().find("01350 box error \"Помилка відкриття портуCOM9\"\n"
                             "02350 lErr_Power \"Err Phone\"\n"
                             "02350 lErr_Power shown\n"
                             "02350 window ModC closed\n"),
              std::string::npos)
        << r.lines();
}

TEST(ClientCallRun, ThePhoneButtonOpensTheModemWindowAndTheEditorButtonTheEditor) {
    RingRun r(false);
    r.folder.writeBytes("FlInPh.000", "//phones\r\n012345 // office\r\n");
    platform::Colour before;
    r.at(1000, [&] {
        r.work().SetServerStarted(true);
        r.work().stPhoneRing.setColour(platform::colours::Green);
        r.work().TB_Phone.click();
    });
    r.at(1200, [&] {
        before = *r.work().stPhoneRing.colour();
        kestrel::TModC& modem = *r.k.app.clientCall->windows.fModC;
        modem.ComboBox1.userSetItemIndex(0);
        modem.CONNECT1.click();
    });
    std::size_t editorRows = 0;
    r.at(7000, [&] { r.work().TB_EditPhone.click(); });
    r.at(7500, [&] {
        kestrel::TEditorAdrM& editor = *r.k.app.clientCall->windows.EditorAdrM;
        editor.ListBox1.userSetItemIndex(1);
        editorRows = editor.ListBox1.items().size();
        editor.BitBtn2.click();
    });
    r.run(8000);
    EXPECT_EQ(before, platform::colours::Black);
    const std::string lines = r.lines();
    EXPECT_NE(lines.find("03050 stPhoneRing \"012345\"\n"), std::string::npos) << lines;
    EXPECT_NE(lines.find("05600 window ModC closed\n"), std::string::npos) << lines;
    EXPECT_NE(lines.find("07000 window EditorAdrM opened\n07500 window EditorAdrM closed\n"),
              std::string::npos)
        << lines;
    EXPECT_EQ(editorRows, 3u);
}
