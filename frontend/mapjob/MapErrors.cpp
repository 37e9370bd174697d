#include "mapjob/MapErrors.h"

#include <filesystem>
#include <ostream>

#include "logic/exports/ErrorExport.h"
#include "logic/exports/GridCsv.h"
#include "mapjob/MapCommand.h"
#include "records/exit_status.h"

namespace brisca {

namespace {

const DisplayGrid& ErrorsOfQuantity(const MapOptions& options, const ResultErrors& resultErrors)
{
    return options.quantity == Quantity::Kerma ? resultErrors.kerma : resultErrors.dose;
}

} // namespace

bool MapNeedsErrors(const MapOptions& options)
{
    return options.relativeError || options.greyAbovePercent || (!options.points.empty() && options.csv);
}

int ReadMapErrors(const MapOptions& options, ResultErrors& resultErrors, std::ostream& errors)
{
    ReadResultErrors(options.result, resultErrors);
    if (resultErrors.source == UncertaintySource::Read) return 0;
    if (options.relativeError || options.greyAbovePercent) {
        const std::string option = options.relativeError
                                       ? std::string("--quantity ") + ErrorQuantityKey(options.quantity)
                                       : std::string("--grey-above");
        errors << BilingualText(*resultErrors.problem) << "\n"
               << "相対標準誤差がないため " << option << " の出力を作れません [" << option
               << " needs the relative standard errors; nothing written]\n";
        return records::kExitFile;
    }
    errors << "注意: " << BilingualText(*resultErrors.problem) << "\n"
           << "注意: 線量ファイルの rate_error_percent は空欄になります [warning: rate_error_percent left "
              "empty]\n";
    return 0;
}

MapShading MapShadingOf(const MapOptions& options, const ResultErrors& resultErrors)
{
    MapShading shading;
    if (!options.relativeError && !options.greyAbovePercent) return shading;
    shading.errors = &ErrorsOfQuantity(options, resultErrors);
    shading.showErrors = options.relativeError;
    shading.greyAbovePercent = options.greyAbovePercent;
    return shading;
}

std::string ErrorGridCsv(
    const MapOptions& options, const ResultErrors& resultErrors, const std::vector<std::string>& conditions)
{
    const std::string name = std::filesystem::path(options.result).filename().string();
    return GridCsvText(ErrorsOfQuantity(options, resultErrors), options.layer,
        ErrorCsvComments(name, options.quantity, options.layer, conditions));
}

} // namespace brisca
