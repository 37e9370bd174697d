#include "commandline/MapErrorOptions.h"

namespace brisca {

std::optional<Problem> ErrorOptionsProblem(const MapOptions& options)
{
    const bool doses = !options.points.empty() && options.csv;
    if (options.relativeError && options.pdf)
        return PlainProblem(
            "報告書は線量率を示します。--quantity kerma-error と dose-error は .png か .csv の "
            "--out と使います",
            "the report shows the rates: --quantity kerma-error or dose-error goes with a .png or .csv "
            "--out");
    if (options.relativeError && doses)
        return PlainProblem("--points と .csv の --out は線量を書き出します。--quantity kerma-error と "
                            "dose-error は分布図と使います",
            "--points with a .csv --out writes doses: --quantity kerma-error or dose-error goes with a map");
    if (options.relativeError && options.thresholds)
        return PlainProblem("誤差の分布図の凡例は固定です。--thresholds は kerma か dose と使います",
            "the error map's legend is fixed: --thresholds goes with kerma or dose");
    if (options.greyAbovePercent && options.relativeError)
        return PlainProblem(
            "--grey-above は線量率の分布図を灰色にします。--quantity kerma か dose と使います",
            "--grey-above greys the rates' map: it goes with --quantity kerma or dose");
    if (options.greyAbovePercent && (options.csv || options.pdf))
        return PlainProblem("--grey-above は画像を灰色にします。--out は .png にして下さい",
            "--grey-above greys a picture: --out must be .png");
    return std::nullopt;
}

} // namespace brisca
