// brisca-map: a result file as a distribution map or overlay picture, or as the CSV of its
// display grid, without a display: for batches of results made by brisca-job --run.
#include <QGuiApplication>
#include <iostream>
#include <string>
#include <vector>

#include "mapjob/MapCommand.h"
#include "records/exit_status.h"

int main(int argc, char** argv)
{
    using namespace brisca;
    const Expected<MapOptions> options = ParseMapOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options) {
        std::cerr << "brisca-map: " << BilingualText(options.Failure())
                  << "\n（オプションの一覧は brisca-map --help で見られます） [brisca-map --help lists the "
                     "options]\n";
        return records::kExitUsage;
    }
    if (options->help) {
        std::cout << MapOptionsHelp();
        return records::kExitDone;
    }
    // Fonts and images need the GUI library, but no screen: a batch may run with none.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    return RunMapCommand(*options, std::cout, std::cerr);
}
