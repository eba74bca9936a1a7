// Entry of the GUI test executables: a real QApplication, headless.

#include "common/ProgramName.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(marbelo::kProgramName));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
