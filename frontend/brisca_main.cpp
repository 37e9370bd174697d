#include <QApplication>
#include <QDir>

#include <filesystem>
#include <iostream>

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
    const brisca::Expected<std::filesystem::path> folder =
        brisca::ChooseWorkingFolder(std::filesystem::current_path(),
            QCoreApplication::applicationDirPath().toStdString(), QDir::homePath().toStdString());
    std::error_code error;
    if (folder) std::filesystem::current_path(*folder, error);
    if (!folder)
        std::cerr << "brisca: " << brisca::MessageText(folder.Failure()) << '\n';
    else if (error)
        std::cerr << "brisca: フォルダ " << folder->string() << " に移れません [cannot work in "
                  << folder->string() << ": " << error.message() << "]\n";

    brisca::AppState state;
    brisca::QtPlatform platform;
    brisca::MainWindow mainWindow(state, platform);
    mainWindow.loadTablesAndDefaults();
    if (platform.EndRequested()) return 1; // the data tables could not be loaded
    mainWindow.show();
    return app.exec();
}
