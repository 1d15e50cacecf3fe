#include <gtest/gtest.h>

#include <fstream>

#include "support/ServerRun.h"

using testing_support::ServerRun;
using testing_support::TempFolder;
using testing_support::VirtualKestrel;

namespace {

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

// A termination request (a signal on the real platform) ends the run as the exit button does:
// the receptions waiting for their log tick go into the exchange log file, the file closes, the
// SERVER port gets DTR and closes, and the program ends.
TEST(Termination, DuringAServerRunEndsItAsTheExitButtonDoes) {
    ServerRun r;
    r.values().debug.DebugFile = true;
    r.polling.command(100, "AT");
    r.at(1000, [&] { EXPECT_TRUE(r.k.desktop.requestTermination()); });
    r.run(3000);
    // The program ends with the SERVER port's close; the virtual loop alone runs on after it.
    EXPECT_EQ(r.transcript().between(900, 1101),
              "00900 COM4 -> \"AT\\r\"\n"
              "01000 COM3 DTR on\n"
              "01100 COM3 close\n");
    EXPECT_TRUE(r.k.loop.quitRequested());
    EXPECT_FALSE(r.k.app.logs->ExchangeLogFile.isOpen());
    EXPECT_EQ(FileText(r.k.app.logs->ExchangeLogFile.path()),
              "win: 01.03.2024 09:00:01.000\r\n"
              "41 54 0D \r\n");
}

TEST(Termination, AtTheMainWindowClosesIt) {
    platform::VirtualSystem system;
    TempFolder folder;
    VirtualKestrel k(system, folder);
    k.app.start();
    k.operatorScript.after(500, [&] { k.desktop.requestTermination(); });
    k.loop.runFor(1000);
    EXPECT_EQ(k.transcript.text(),
              "00000 window SplashForm opened\n"
              "00000 window SplashForm closed\n"
              "00000 window fKestrel opened\n"
              "00500 window fKestrel closed\n");
    EXPECT_TRUE(k.loop.quitRequested());
}

// "Already running" only when another instance holds the lock; any other failure says what it is.
TEST(InstanceLock, LockThatCannotBeTakenIsReportedWithItsReason) {
    platform::VirtualSystem system;
    const std::string error =
        "The single-instance lock /tmp/KESTREL-0.lock cannot be taken: "
        "Is a directory";
    system.brokenLocks["KESTREL"] = error;
    TempFolder folder;
    VirtualKestrel k(system, folder);
    k.app.start();
    const auto boxes = k.desktop.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, error);
    EXPECT_EQ(boxes[0].icon, platform::BoxIcon::Error);
    EXPECT_TRUE(k.loop.quitRequested());
    EXPECT_EQ(k.desktop.shownForm("fKestrel"), nullptr);
}
