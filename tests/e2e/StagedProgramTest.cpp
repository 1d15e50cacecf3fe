#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

// The staged program itself starts on the offscreen platform and keeps running until stopped.
TEST(StagedProgram, StartsAndRuns) {
    QProcess kestrel;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    kestrel.setProcessEnvironment(env);
    kestrel.start(QStringLiteral(KESTREL_STAGE_DIR "/Kestrel"), {});
    ASSERT_TRUE(kestrel.waitForStarted(5000));
    EXPECT_FALSE(kestrel.waitForFinished(1500));  // still running: no crash at start-up
    EXPECT_EQ(kestrel.state(), QProcess::Running);
    kestrel.terminate();
    EXPECT_TRUE(kestrel.waitForFinished(5000));
}
