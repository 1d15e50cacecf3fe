#include <gtest/gtest.h>

#include <QApplication>

// Widget tests need one application object for the whole run.
int main(int argc, char* argv[]) {
    // Offscreen unless the run asks for a real display (test discovery sets no environment).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
