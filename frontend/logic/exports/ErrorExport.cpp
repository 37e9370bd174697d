#include "logic/exports/ErrorExport.h"

#include "logic/text/NumberText.h"

namespace brisca {

const char* ErrorQuantityKey(Quantity quantity)
{
    return quantity == Quantity::Kerma ? "kerma-error" : "dose-error";
}

std::string GreyOutKeyText(double limitPercent)
{
    const std::string limit = PlainNumberText(limitPercent);
    return "誤差 " + limit + " % 超 [error > " + limit + " % or none]";
}

std::vector<std::string> ErrorCsvComments(const std::string& resultName, Quantity quantity, HeightLayer layer,
    const std::vector<std::string>& conditions)
{
    const char* english = quantity == Quantity::Kerma ? "air kerma rate" : "effective dose (H1cm) rate";
    std::vector<std::string> lines{resultName,
        std::string(QuantityCaption(quantity)) + "の相対標準誤差 % [relative standard error of the " +
            english + ", %]",
        "空欄: 未計数のため誤差の推定なし [empty field: not scored, no estimate of the error]",
        "1 cm 点の誤差: 値の補間元の 10 cm セルの誤差の最大値 [a 1 cm cell's error: the largest of the "
        "10 cm cells its value is interpolated from]",
        HeightCaption(layer)};
    lines.insert(lines.end(), conditions.begin(), conditions.end());
    return lines;
}

std::string ErrorExportFileName(std::string_view resultFile, Quantity quantity, HeightLayer layer,
    bool overRoom, std::string_view extension)
{
    return ExportFileName(resultFile, ErrorQuantityKey(quantity), layer, overRoom, extension);
}

} // namespace brisca
