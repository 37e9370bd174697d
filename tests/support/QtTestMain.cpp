// Runs the GoogleTest cases of a front-end test binary inside one QApplication, in the Japanese
// interface on a desktop screen whatever the machine's language and screen.
#include <QApplication>
#include <gtest/gtest.h>

#include "i18n/Translations.h"
#include "windows/JapaneseFont.h"

int main(int argc, char** argv)
{
    // Also when ctest lists the cases at build time, where no display may exist.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", BRISCA_DESKTOP_SCREEN);
    QApplication app(argc, argv);
    QApplication::setApplicationName("Brisca");
    brisca::InstallJapaneseFont();
    brisca::InstallTranslations(brisca::Language::Japanese);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
