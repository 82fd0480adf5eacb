#include <QApplication>

#include <gtest/gtest.h>

// Widget tests need an application object; without a screen they use the offscreen platform.
// Dates and times are written as the user's locale writes them: the tests fix one, read when the
// application starts, so that what they expect is the same on every machine.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "en_US.UTF-8");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
