#include <QApplication>

#include "logic/AppState.h"
#include "platform/QtPlatform.h"
#include "windows/JapaneseFont.h"
#include "windows/MainWindow.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Brisca");
    brisca::InstallJapaneseFont();

    brisca::AppState state;
    brisca::QtPlatform platform;
    brisca::MainWindow mainWindow(state, platform);
    mainWindow.loadTablesAndDefaults();
    if (platform.EndRequested()) return 1; // the data tables could not be loaded
    mainWindow.show();
    return app.exec();
}
