#include <gtest/gtest.h>

#include "kestrel/work/pFlagDebug.h"
#include "support/ServerRun.h"

using testing_support::ServerRun;

namespace {

// Opens the flags window with a right click at 100 ms and acts in it at `at` ms.
void InFlagsWindow(ServerRun& r, int at, std::function<void(kestrel::TfFlagDebug&)> action) {
    r.at(100, [&r] { r.k.app.fKestrel->rxL_Baza.mouseUp(platform::MouseButton::Right); });
    r.at(at, [&r, action] {
        ASSERT_NE(r.k.app.fFlagDebug, nullptr);
        action(*r.k.app.fFlagDebug);
    });
}

}  // namespace

TEST(DebugFlags, AccessCodeIsMinuteThenHour) {
    EXPECT_EQ(kestrel::TfFlagDebug::AccessCode(9, 5), "0509");
    EXPECT_EQ(kestrel::TfFlagDebug::AccessCode(23, 59), "5923");
}

TEST(DebugFlags, OnlyTheRightButtonOpensTheWindow) {
    ServerRun r;
    r.at(100, [&] { r.k.app.fKestrel->rxL_Baza.mouseUp(platform::MouseButton::Left); });
    r.k.loop.runFor(500);
    EXPECT_EQ(r.k.desktop.shownForm("fFlagDebug"), nullptr);
}

TEST(DebugFlags, CorrectCodeUncoversTheSwitchesAndApplyingSetsTheFlags) {
    ServerRun r;
    r.k.loop.setWallClock({2024, 3, 1, 9, 5, 0, 0});
    InFlagsWindow(r, 300, [](kestrel::TfFlagDebug& w) {
        EXPECT_TRUE(w.pPass.visible());
        EXPECT_EQ(w.pPass.align(), platform::Align::Client);
        EXPECT_FALSE(w.chTM_DebMod.checked());
        w.ePass.userSetText("0509");
        w.ePass.keyDown(platform::keys::Return);
        EXPECT_FALSE(w.pPass.visible());
        w.chTM_DebMod.userSetChecked(true);
        w.chTM_debLog.userSetChecked(true);
        w.SpeedButton2.click();
    });
    r.k.loop.runFor(1000);
    EXPECT_TRUE(r.values().debug.DebugMonitor);
    EXPECT_TRUE(r.values().debug.DebugFile);
    EXPECT_EQ(r.k.app.fFlagDebug, nullptr);

    // Opened again, the switches show the flags; both unticked switch both off.
    InFlagsWindow(r, 1300, [](kestrel::TfFlagDebug& w) {
        w.ePass.userSetText("0509");
        w.SpeedButton1.click();
        EXPECT_TRUE(w.chTM_DebMod.checked());
        EXPECT_TRUE(w.chTM_debLog.checked());
        w.chTM_DebMod.userSetChecked(false);
        w.chTM_debLog.userSetChecked(false);
        w.SpeedButton2.click();
    });
    r.k.loop.runFor(1000);
    EXPECT_FALSE(r.values().debug.DebugMonitor);
    EXPECT_FALSE(r.values().debug.DebugFile);
}

TEST(DebugFlags, WrongOrStaleCodeAndEscapeCloseWithoutChanges) {
    struct Case {
        const char* what;
        std::string code;
        int key;
    };
    const Case cases[] = {
        {"wrong code", "1234", platform::keys::Return},
        {"the code of the minute before", "0909", platform::keys::Return},
        {"escape, even with the right code", "1009", platform::keys::Escape},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ServerRun r;
        r.k.loop.setWallClock({2024, 3, 1, 9, 9, 59, 800});  // 09:10 by the time it is typed
        InFlagsWindow(r, 300, [&c](kestrel::TfFlagDebug& w) {
            w.ePass.userSetText(c.code);
            w.ePass.keyDown(c.key);
        });
        r.k.loop.runFor(1000);
        EXPECT_EQ(r.k.app.fFlagDebug, nullptr);
        EXPECT_FALSE(r.values().debug.DebugMonitor);
        EXPECT_FALSE(r.values().debug.DebugFile);
    }
}

TEST(DebugFlags, FlagsChosenBeforeTheRunReachIt) {
    ServerRun r;
    r.k.loop.setWallClock({2024, 3, 1, 9, 5, 0, 0});
    InFlagsWindow(r, 300, [](kestrel::TfFlagDebug& w) {
        w.ePass.userSetText("0509");
        w.SpeedButton1.click();
        w.chTM_DebMod.userSetChecked(true);
        w.chTM_debLog.userSetChecked(true);
        w.SpeedButton2.click();
    });
    r.k.loop.runFor(900);
    bool debugArea = false;
    r.at(1500, [&] { debugArea = r.work().pLogDeb.visible(); });
    r.at(1000, [&] { r.k.app.fKestrel->mSERVER.click(); });
    r.at(2500, [&] { r.work().TB_Exit.click(); });
    r.k.loop.runFor(3000);
    EXPECT_TRUE(debugArea);
    EXPECT_TRUE(std::filesystem::exists(r.folder.work("0905010000FlLog.000")));
}
