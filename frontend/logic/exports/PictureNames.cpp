#include "logic/exports/PictureNames.h"

#include "logic/result/ResultHeader.h"

namespace brisca {

namespace {

// The result file's name without its folder and extension; a corrected result ("…dsrC") gets
// "_corrected", so that its exports do not replace the uncorrected one's.
std::string ExportStem(std::string_view resultFile)
{
    std::string name(resultFile);
    const std::size_t slash = name.find_last_of('/');
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const std::size_t dot = name.find_last_of('.');
    const bool corrected = dot != std::string::npos && name.compare(dot, std::string::npos, ".dsrC") == 0;
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    if (corrected) name += "_corrected";
    return name;
}

} // namespace

const char* QuantityKey(Quantity quantity) { return quantity == Quantity::Kerma ? "kerma" : "dose"; }

const char* HeightKey(HeightLayer layer)
{
    switch (layer) {
    case HeightLayer::Above:
        return "above";
    case HeightLayer::Below:
        return "below";
    case HeightLayer::Centre:
        break;
    }
    return "center";
}

std::optional<HeightLayer> HeightFromKey(std::string_view key)
{
    for (const HeightLayer layer : {HeightLayer::Above, HeightLayer::Centre, HeightLayer::Below})
        if (key == HeightKey(layer)) return layer;
    return std::nullopt;
}

const char* QuantityCaption(Quantity quantity)
{
    return quantity == Quantity::Kerma ? "空気カーマ率" : "実効線量 (H1cm) 率";
}

const char* HeightCaption(HeightLayer layer)
{
    switch (layer) {
    case HeightLayer::Above:
        return "ファントム中心の上方 50 cm";
    case HeightLayer::Below:
        return "ファントム中心の下方 50 cm";
    case HeightLayer::Centre:
        break;
    }
    return "ファントム中心の高さ";
}

const char* QuantityUnit(Quantity quantity) { return quantity == Quantity::Kerma ? "μGy/min" : "μSv/min"; }

std::string ExportFileName(std::string_view resultFile, Quantity quantity, HeightLayer layer, bool overRoom,
    std::string_view extension)
{
    return ExportFileName(resultFile, QuantityKey(quantity), layer, overRoom, extension);
}

std::string ExportFileName(std::string_view resultFile, std::string_view quantityWord, HeightLayer layer,
    bool overRoom, std::string_view extension)
{
    std::string name = ExportStem(resultFile);
    name += "_";
    name += quantityWord;
    name += std::string("_") + HeightKey(layer);
    if (overRoom) name += "_room";
    return name + std::string(extension);
}

std::string ReportFileName(std::string_view resultFile) { return ExportStem(resultFile) + "_report.pdf"; }

std::vector<std::string> CsvComments(const std::string& resultName, Quantity quantity, HeightLayer layer,
    const std::vector<std::string>& conditions)
{
    std::vector<std::string> lines{resultName,
        std::string(QuantityCaption(quantity)) + " " + QuantityUnit(quantity), HeightCaption(layer)};
    lines.insert(lines.end(), conditions.begin(), conditions.end());
    return lines;
}

std::vector<std::string> ConditionLines(const ResultHeader& header)
{
    const auto text = [&header](HeaderValue which) { return header.labels[static_cast<int>(which)]; };
    struct Line {
        const char* caption;
        HeaderValue value;
        const char* unit;
    };
    static constexpr Line lines[] = {{"FSDにおける空気カーマ率", HeaderValue::FreeAirKermaRate, " Gy/min"},
        {"FSD", HeaderValue::Fsd, " cm"}, {"Ｘ線管電圧", HeaderValue::TubeVoltage, " kV"},
        {"管電流", HeaderValue::TubeCurrent, " mA"}, {"ターゲット角度", HeaderValue::TargetAngle, " 度"},
        {"固有ろ過", HeaderValue::InherentFiltration, " mmAl"},
        {"Al 付加フィルタ", HeaderValue::AddedAl, " mm"}, {"銅付加フィルタ", HeaderValue::AddedCu, " mm"},
        {"入射光子ヒストリー", HeaderValue::Histories, ""}};
    std::vector<std::string> result{text(HeaderValue::PatientPosition)};
    for (const Line& line : lines)
        result.push_back(std::string(line.caption) + " " + text(line.value) + line.unit);
    result.insert(result.begin() + 3, "照射野サイズ at FSD " + text(HeaderValue::FieldFirst) + " × " +
                                          text(HeaderValue::FieldSecond) + " cm²");
    return result;
}

} // namespace brisca
