#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "support/TempFolder.h"

// The staged program itself starts on the offscreen platform and keeps running until stopped.
TEST(StagedProgram, StartsAndRuns) {
    testing_support::TempFolder runtime;  // a lock folder of its own
    QProcess kestrel;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.path().string()));
    kestrel.setProcessEnvironment(env);
    kestrel.start(QStringLiteral(KESTREL_STAGE_DIR "/Kestrel"), {});
    ASSERT_TRUE(kestrel.waitForStarted(5000));
    EXPECT_FALSE(kestrel.waitForFinished(1500));  // still running: no crash at start-up
    EXPECT_EQ(kestrel.state(), QProcess::Running);
    kestrel.terminate();
    EXPECT_TRUE(kestrel.waitForFinished(5000));
}
