#include "commandline/MapErrorOptions.h"

namespace brisca {

std::string ErrorUsageError(const MapOptions& options)
{
    const bool doses = !options.points.empty() && options.csv;
    if (options.relativeError && options.pdf)
        return "the report shows the rates: --quantity kerma-error or dose-error goes with a .png or .csv "
               "--out";
    if (options.relativeError && doses)
        return "--points with a .csv --out writes doses: --quantity kerma-error or dose-error goes with a "
               "map";
    if (options.relativeError && options.thresholds)
        return "the error map's legend is fixed: --thresholds goes with kerma or dose";
    if (options.greyAbovePercent && options.relativeError)
        return "--grey-above greys the rates' map: it goes with --quantity kerma or dose";
    if (options.greyAbovePercent && (options.csv || options.pdf))
        return "--grey-above greys a picture: --out must be .png";
    return {};
}

} // namespace brisca
