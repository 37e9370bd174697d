#include <QApplication>

#include "Forms.h"
#include "JapaneseFont.h"
#include "platform/Platform.h"
#include "setup/Form2.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Brisca");
    brisca::InstallJapaneseFont();

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
