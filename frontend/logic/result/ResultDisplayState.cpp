#include "logic/result/ResultDisplayState.h"

namespace brisca {

namespace {

constexpr const char* kNothingSelected =
    " 結果ファイルが選ばれていません（一覧から選んで「OK」を押して下さい） ";

} // namespace

void ResultDisplayState::Select(std::optional<ResultFile> file)
{
    selected = std::move(file);
    processed.reset();
    painted.reset();
    kermaMax = 0.0;
    doseMax = 0.0;
    kermaScale.reset();
    doseScale.reset();
    errors.reset();
}

void ResultDisplayState::StartConversion()
{
    converted = selected;
    conversion = Conversion::Running;
    conversionProblem.clear();
    processed.reset();
    painted.reset();
    errors.reset();
}

void ResultDisplayState::EndConversion(bool succeeded, std::string problem)
{
    conversion = succeeded ? Conversion::Succeeded : Conversion::Failed;
    conversionProblem = std::move(problem);
}

std::string ResultDisplayState::ProcessingRefusal() const
{
    if (!selected) return kNothingSelected;
    // The refined grid file holds whatever file "OK" last handed to the refiner.
    if (!converted || converted->name != selected->name)
        return " 選択中の結果ファイル " + selected->name +
               " はまだ変換されていません（「OK」を押して変換してから「データ処理」を押して下さい） ";
    if (conversion == Conversion::Failed)
        return " 結果ファイル " + converted->name + " の変換に失敗したため、データ処理できません \n" +
               conversionProblem;
    return {};
}

void ResultDisplayState::TakeProcessed(ProcessedResult&& result)
{
    processed = converted;
    kermaGrid = std::move(result.kermaGrid);
    doseGrid = std::move(result.doseGrid);
    kermaMax = result.kermaMax;
    doseMax = result.doseMax;
    kermaScale = result.kermaScale;
    doseScale = result.doseScale;
    // The errors belong to the file processed before; the caller reads this one's.
    errors.reset();
}

std::string ResultDisplayState::PaintingRefusal() const
{
    if (processed) return {};
    if (std::string refusal = ProcessingRefusal(); !refusal.empty()) return refusal;
    return " 結果ファイル " + converted->name +
           " のデータ処理がまだです（「データ処理」を押してから「散乱線量分布表示」を押して下さい） ";
}

void ResultDisplayState::Paint(const DisplayChoice& choice) { painted = PaintedMap{*processed, choice}; }

std::string ResultDisplayState::CorrectionRefusal() const
{
    if (painted) return {};
    if (selected && converted && converted->name != selected->name)
        return " 選択中の結果ファイル " + selected->name + " は、変換した結果ファイル " + converted->name +
               " と異なります（補正する結果ファイルを選び、「OK」「データ処理」「散乱線量分布表示」を押してか"
               "ら補正して下さい） ";
    return " 補正する結果が表示されていません（「散乱線量分布表示」を押してから補正して下さい） ";
}

bool ResultDisplayState::ReadsOut(const DisplayChoice& choice) const
{
    return painted && painted->choice.quantity == choice.quantity && painted->choice.layer == choice.layer;
}

std::string ResultDisplayState::ContentRefusal(const DisplayChoice& choice) const
{
    if (choice.content == MapContent::Rates) return {};
    if (!errors || errors->source != UncertaintySource::Read) {
        const std::string why =
            errors && errors->problem ? "\n" + MessageText(*errors->problem) : std::string();
        return " この結果には読める不確かさファイルがないため、誤差の表示も誤差による灰色表示もできません " +
               why;
    }
    if (choice.content == MapContent::GreyedRates &&
        !(choice.greyAbovePercent > 0.0 && choice.greyAbovePercent <= 100.0))
        return " 灰色にする誤差の上限は 0 より大きく 100 以下の数値 (%) で入れて下さい ";
    return {};
}

MapShading ResultDisplayState::Shading(const DisplayChoice& choice) const
{
    MapShading shading;
    const DisplayGrid* grid = Errors(choice.quantity);
    if (!grid || choice.content == MapContent::Rates) return shading;
    shading.errors = grid;
    shading.showErrors = choice.content == MapContent::Errors;
    if (choice.content == MapContent::GreyedRates) shading.greyAbovePercent = choice.greyAbovePercent;
    return shading;
}

const DisplayGrid* ResultDisplayState::Errors(Quantity quantity) const
{
    if (!errors || errors->source != UncertaintySource::Read) return nullptr;
    return quantity == Quantity::Kerma ? &errors->kerma : &errors->dose;
}

} // namespace brisca
