#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>
#include <fstream>

#include "CableDemo.h"
#include "InProcessPlover.h"
#include "plover/TestFrames.h"
#include "shared/Helpers.h"
#include "support/TempFolder.h"

// Plover on the Qt backend over a simulated good cable between two pseudo-terminals, its port map
// in its own folder, the operator clicking the rendered widgets. Real time, a few seconds.
TEST(PloverCable, OneCycleOverAGoodCableReportsNoErrors) {
    testing_support::TempFolder folder;
    tools::InProcessPlover p(folder.path() / "Plover");
    tools::CableDemo demo(p.loop, sim::NullModemCable::Fault::None);
    ASSERT_EQ(demo.prepare({}, folder.path()), "");
    std::ofstream(folder.path() / "Plover" / "Type_Leng.000", std::ios::binary) << "EN\r\n";
    tools::CableTestOperator tester(p, 1);
    // A run that hangs ends the test instead of the whole suite.
    platform::Timer limit(p.loop, 20'000, true);
    limit.onTick([&] { p.loop.quit(); });
    p.app.start();
    p.app.run();

    ASSERT_TRUE(tester.finished());
    EXPECT_EQ(tester.errors(), "0");
    EXPECT_EQ(tester.finalBox(), "DATA TRANSMISSION TEST - NO ERRORS");
    const std::string a = shared::BytesToHexText(plover::FrameA());
    const std::string b = shared::BytesToHexText(plover::FrameB());
    EXPECT_EQ(tester.log(), (std::vector<std::string>{"OVER COM1", a, "RECEPTION COM2", a,
                                                      "OVER COM2", b, "RECEPTION COM1", b}));
    EXPECT_EQ(demo.cable.exchanges(), 2);
}

// The staged program starts from its own folder beside a simulated cable and keeps running.
TEST(PloverCable, StagedProgramStartsAndRuns) {
    testing_support::TempFolder folder;
    platform::QtEventLoop loop;
    tools::CableDemo demo(loop, sim::NullModemCable::Fault::None);
    ASSERT_EQ(demo.prepare(KESTREL_STAGE_DIR, folder.path()), "");
    QProcess plover;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    plover.setProcessEnvironment(env);
    plover.start(QString::fromStdString((folder.path() / "Plover" / "Plover").string()), {});
    ASSERT_TRUE(plover.waitForStarted(5000));
    EXPECT_FALSE(plover.waitForFinished(1500));  // still running: no crash at start-up
    EXPECT_EQ(plover.state(), QProcess::Running);
    plover.terminate();
    EXPECT_TRUE(plover.waitForFinished(5000));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "Plover" / "Plover.pdf"));
}
