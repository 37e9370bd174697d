#include <QApplication>
#include <QDir>

#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "Forms.h"
#include "JapaneseFont.h"
#include "logic/UserFolder.h"
#include "platform/Platform.h"
#include "setup/Form2.h"

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

    brisca::Form2& mainWindow = brisca::form2();
    mainWindow.Form_Load();
    int exitCode = 1; // the data tables could not be loaded
    if (!brisca::platform().EndRequested()) {
        mainWindow.show();
        exitCode = app.exec();
    }
    brisca::DestroyForms();
    return exitCode;
}
