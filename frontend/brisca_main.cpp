#include <QApplication>
#include <QDir>

#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "logic/AppState.h"
#include "logic/files/UserFolder.h"
#include "platform/QtPlatform.h"
#include "windows/JapaneseFont.h"
#include "windows/MainWindow.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Brisca");
    brisca::InstallJapaneseFont();

    // An installed brisca started from any folder works in the user's own folder; a failure
    // here leaves it where it is, and the table check below then names the missing table.
    try {
        std::filesystem::current_path(brisca::ChooseWorkingFolder(std::filesystem::current_path(),
            QCoreApplication::applicationDirPath().toStdString(), QDir::homePath().toStdString()));
    } catch (const std::exception& e) {
        std::cerr << "brisca: " << e.what() << '\n';
    }

    brisca::AppState state;
    brisca::QtPlatform platform;
    brisca::MainWindow mainWindow(state, platform);
    mainWindow.loadTablesAndDefaults();
    if (platform.EndRequested()) return 1; // the data tables could not be loaded
    mainWindow.show();
    return app.exec();
}
