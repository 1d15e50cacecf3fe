#include <gmock/gmock.h>

#include <gtest/gtest.h>
#include <fstream>

#include "kestrel/ports/PortCatalogue.h"
#include "kestrel/ports/ServerPort.h"
#include "kestrel/settings/In_RS232.h"
#include "kestrel/winlink/WinPort.h"
#include "kestrel/work/pWinServ.h"
#include "support/SettingsFile.h"
#include "support/VirtualKestrel.h"

using platform::DesktopRecord;
using platform::PortPresence;
using testing_support::SettingsFile;
using testing_support::TempFolder;
using testing_support::VirtualKestrel;

TEST(SpeedFromText, Table) {
    const std::pair<const char*, int> cases[] = {
        {"1200", 1200},        {"2400", 2400},     {"4800", 4800},     {"9600", 9600},
        {"19200", 19200},      {"38400", 38400},   {"57600", 57600},   {"115200", 115200},
        {" 115 200 ", 115200}, {"230000", 230000}, {"460000", 460000}, {"921000", 921000},
        {"300", 9600},         {"", 9600},         {"230400", 9600},   {"abc", 9600},
    };
    for (const auto& [text, speed] : cases) {
        EXPECT_EQ(kestrel::SpeedFromText(text), speed) << "[" << text << "]";
    }
}

namespace {

class Ports : public ::testing::Test {
  protected:
    void SetUp() override { k.app.start(); }
    kestrel::TInRS232& settings() { return *k.app.InRS232; }
    std::vector<DesktopRecord> boxesAfter(std::size_t before) const {
        const auto all = k.desktop.boxes();
        return {all.begin() + std::ptrdiff_t(before), all.end()};
    }

    TempFolder folder;
    platform::VirtualSystem system;
    VirtualKestrel k{system, folder};
};

}  // namespace

TEST_F(Ports, FillPortListGivesPresentAndBusyPortsInNumericOrder) {
    k.ports.device("COM12");
    k.ports.device("COM3");
    k.ports.device("COM5").setPresence(PortPresence::Busy);
    k.ports.device("COM7").setPresence(PortPresence::Absent);  // a vanished adapter
    kestrel::FillPortList(k.ports, settings().cbRS232_SERV);
    EXPECT_EQ(settings().cbRS232_SERV.items(), (std::vector<std::string>{"COM3", "COM5", "COM12"}));
    EXPECT_EQ(settings().cbRS232_SERV.itemIndex(), -1);
}

TEST_F(Ports, OpenServerPortReopensAfterAPauseThatDeliversNothingAndWritesOneU) {
    auto& device = k.ports.device("COM3");
    settings().cbRS232_SERV.setText("COM3");
    settings().cbSpeedServ.setText(" 921 000");
    ASSERT_TRUE(k.app.serverPort->OpenServerPort());
    k.loop.runFor(1000);
    int ticks = 0;
    platform::Timer timer(k.loop, 10, true);
    timer.onTick([&] { ++ticks; });

    const std::int64_t second = k.loop.now();
    settings().cbSpeedServ.setText("57600");
    ASSERT_TRUE(k.app.serverPort->OpenServerPort());
    EXPECT_EQ(ticks, 0);  // the 300 ms pause blocks
    EXPECT_EQ(k.loop.now(), second + 300);

    ASSERT_EQ(device.openChanges().size(), 3u);
    EXPECT_EQ(device.openChanges()[0].time, 300);
    EXPECT_EQ(device.openChanges()[0].speed, 921000);
    EXPECT_FALSE(device.openChanges()[1].open);
    EXPECT_EQ(device.openChanges()[1].time, second);
    EXPECT_TRUE(device.openChanges()[2].open);
    EXPECT_EQ(device.openChanges()[2].time, second + 300);
    EXPECT_EQ(device.openChanges()[2].speed, 57600);
    ASSERT_EQ(device.writes().size(), 2u);
    EXPECT_EQ(device.writes()[1].time, second + 300);
    EXPECT_EQ(device.written(), "UU");
    EXPECT_FALSE(device.dtr());
    EXPECT_FALSE(device.rts());
}

TEST_F(Ports, OpenServerPortFailureShowsThePortLayersReport) {
    k.ports.device("COM3").refuseOpen(true);
    settings().cbRS232_SERV.setText("COM3");
    EXPECT_FALSE(k.app.serverPort->OpenServerPort());
    const auto boxes = k.desktop.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].icon, platform::BoxIcon::Error);
    EXPECT_NE(boxes[0].text.find("COM3"), std::string::npos);

    k.ports.device("COM3").refuseOpen(false);
    k.ports.device("COM3").stallWrites(true);
    EXPECT_FALSE(k.app.serverPort->OpenServerPort());
}

TEST_F(Ports, SwitchedOffServerPortIsNeitherProbedNorOpened) {
    k.app.values.settings.ServerPortOff = true;
    settings().cbRS232_SERV.setText("");
    EXPECT_TRUE(k.app.serverPort->CheckServerPort());
    EXPECT_FALSE(k.app.serverPort->OpenServerPort());
    EXPECT_EQ(k.loop.now(), 0);  // no pause either
    EXPECT_TRUE(k.desktop.boxes().empty());
}

TEST_F(Ports, PresenceChecksSayWhatIsWrong) {
    k.ports.device("COM4");
    struct Case {
        bool win;
        std::string name;
        bool result;
        std::string box;
    };
    const Case cases[] = {
        {false, "", false, "Err порт \"SERVER\""},
        {true, "", false, "Err порт \"WIN\""},
        {false, "COM9", false, "Помилка відкриття портуCOM9"},
        {true, "COM9", false, "Помилка відкриття портуCOM9"},
        {false, "COM4", true, ""},
        {true, "COM4", true, ""},
    };
    for (const Case& c : cases) {
        const std::size_t before = k.desktop.boxes().size();
        (c.win ? settings().cbRS232_WIN : settings().cbRS232_SERV).setText(c.name);
        EXPECT_EQ(c.win ? k.app.winPort->WinPortPresent() : k.app.serverPort->CheckServerPort(),
                  c.result);
        const auto boxes = boxesAfter(before);
        if (c.box.empty()) {
            EXPECT_TRUE(boxes.empty());
        } else {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, c.box);
            EXPECT_EQ(boxes[0].icon, platform::BoxIcon::Error);
        }
    }
}

TEST_F(Ports, ServerLinesAreDrivenOnTheOpenPort) {
    auto& device = k.ports.device("COM3");
    settings().cbRS232_SERV.setText("COM3");
    ASSERT_TRUE(k.app.serverPort->OpenServerPort());
    k.app.serverPort->SetServerDtr(true);
    k.app.serverPort->SetServerRts(true);
    k.app.serverPort->SetServerRts(false);
    ASSERT_EQ(device.lineChanges().size(), 3u);
    EXPECT_EQ(device.lineChanges()[0].line, "DTR");
    EXPECT_TRUE(device.dtr());
    EXPECT_FALSE(device.rts());
    k.app.serverPort->CloseServerPort();
    EXPECT_FALSE(device.openByProgram());
}

// The SERVER item's checks, in their order, each stopping the item when it fails.
class ServerItem : public Ports {
  protected:
    void settingsFile(const std::string& apn, const std::string& port, const std::string& server,
                      const std::string& win, bool serverOff = false) {
        SettingsFile{.server = server, .win = win, .apn = apn, .port = port, .serverOff = serverOff}
            .store(folder);
    }
    std::vector<std::string> serverItemBoxes() {
        const std::size_t before = k.desktop.boxes().size();
        k.operatorScript.after(10, [this] { k.app.fKestrel->mSERVER.click(); });
        // Once the work window is open, the operator leaves it.
        k.operatorScript.after(5000, [this] {
            if (k.app.fWinServ != nullptr) {
                k.app.fWinServ->TB_Exit.click();
            }
        });
        k.loop.runFor(10'000);
        std::vector<std::string> texts;
        for (const auto& b : boxesAfter(before)) {
            texts.push_back(b.text);
        }
        return texts;
    }
};

TEST_F(ServerItem, BothApnAndPortMissingGiveTwoBoxesAndNoPortCheck) {
    settingsFile("", "", "", "");
    EXPECT_EQ(serverItemBoxes(), (std::vector<std::string>{
                                     "Помилка! У вікні \"УСТАНОВКИ ПЗ\" не визначено \"APN\"",
                                     "Помилка! У вікні \"УСТАНОВКИ ПЗ\" не визначено \"Порт\""}));
    EXPECT_EQ(k.app.values.settings.GprsApn, "");
}

TEST_F(ServerItem, MissingPortAloneAndThenTheSerialPortChecksInOrder) {
    settingsFile("apn", "", "COM3", "COM4");
    EXPECT_EQ(
        serverItemBoxes(),
        (std::vector<std::string>{"Помилка! У вікні \"УСТАНОВКИ ПЗ\" не визначено \"Порт\""}));

    settingsFile("apn", "5001", "COM3", "COM4");  // neither port exists: only SERVER is reported
    EXPECT_EQ(serverItemBoxes(), (std::vector<std::string>{"Помилка відкриття портуCOM3"}));
    EXPECT_EQ(k.app.values.settings.GprsApn, "apn");
    EXPECT_EQ(k.app.values.settings.GprsPort, "5001");

    k.ports.device("COM3");
    EXPECT_EQ(serverItemBoxes(), (std::vector<std::string>{"Помилка відкриття портуCOM4"}));

    k.ports.device("COM4");
    EXPECT_TRUE(serverItemBoxes().empty());
    EXPECT_FALSE(k.app.fKestrel->visible());
    const auto& records = k.desktop.records();
    EXPECT_TRUE(std::any_of(records.begin(), records.end(), [](const DesktopRecord& r) {
        return r.kind == DesktopRecord::Kind::Shown && r.text == "fWinServ" && r.modal;
    }));
    EXPECT_TRUE(k.loop.quitRequested());
}

TEST_F(ServerItem, SwitchedOffServerPortSkipsItsCheckButNotTheWinCheck) {
    settingsFile("apn", "5001", "", "", true);
    EXPECT_EQ(serverItemBoxes(), (std::vector<std::string>{"Err порт \"WIN\""}));
}

// The program expects its Work folder and never creates it: a missing or unusable folder or an
// unreadable settings file is reported with its path, not as a missing APN.
TEST_F(ServerItem, AnUnusableWorkFolderOrSettingsFileIsReportedWithItsPath) {
    using testing::AllOf;
    using testing::ElementsAre;
    using testing::HasSubstr;
    const auto work = folder.path() / "Work";
    const auto file = work / "FileInRS.000";
    k.ports.device("COM3");
    k.ports.device("COM4");

    std::filesystem::remove_all(work);
    EXPECT_THAT(serverItemBoxes(),
                ElementsAre(AllOf(HasSubstr("Не знайдено папку Work: " + work.string()),
                                  HasSubstr("не створює її"))));

    std::ofstream(work) << "a file where the folder should be";
    EXPECT_THAT(serverItemBoxes(),
                ElementsAre(AllOf(HasSubstr("Work не є папкою: " + work.string()),
                                  HasSubstr("не створює її"))));

    std::filesystem::remove(work);
    std::filesystem::create_directories(file);
    EXPECT_THAT(serverItemBoxes(), ElementsAre(AllOf(HasSubstr("Файл налаштувань не прочитано"),
                                                     HasSubstr(file.string()))));
    EXPECT_NE(k.app.fKestrel, nullptr);
    EXPECT_TRUE(k.app.fKestrel->visible());  // the run did not start
}

// A port name read from the settings file is shown in a box cut to a sensible length.
TEST_F(ServerItem, AHugePortNameIsCutInItsBox) {
    const std::string huge = "COM" + std::string(1'000'000, '7');
    settingsFile("apn", "5001", huge, "COM4");
    const auto boxes = serverItemBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Помилка відкриття портуCOM777", 0), 0u);
    EXPECT_LE(boxes[0].size(), 400u);
}
