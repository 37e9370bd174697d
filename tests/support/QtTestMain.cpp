// Runs the GoogleTest cases of a front-end test binary inside one QApplication.
#include <QApplication>
#include <gtest/gtest.h>

#include "windows/JapaneseFont.h"

int main(int argc, char** argv)
{
    // Also when ctest lists the cases at build time, where no display may exist.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Brisca");
    brisca::InstallJapaneseFont();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
