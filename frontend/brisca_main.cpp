#include <QApplication>
#include <QDir>
#include <QLocale>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "i18n/Translations.h"
#include "logic/AppState.h"
#include "logic/files/UserFolder.h"
#include "platform/QtPlatform.h"
#include "records/exit_status.h"
#include "windows/JapaneseFont.h"
#include "windows/MainWindow.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Brisca");
    brisca::InstallJapaneseFont();

    std::vector<std::string> arguments;
    for (const QString& argument : QCoreApplication::arguments()) arguments.push_back(argument.toStdString());
    const brisca::Expected<brisca::Language> language =
        brisca::ChooseLanguage({brisca::LanguageOption(arguments),
            qEnvironmentVariable("BRISCA_LANG").toStdString(), QLocale::system().name().toStdString()});
    if (!language) {
        std::cerr << "brisca: " << brisca::MessageText(language.Failure()) << '\n';
        return records::kExitUsage;
    }
    if (!brisca::InstallTranslations(*language))
        std::cerr << "brisca: 翻訳を読めません。一部の文字はそのまま表示されます [a translation could not be "
                     "loaded; some texts stay untranslated]\n";

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
