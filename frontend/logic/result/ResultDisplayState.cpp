#include "logic/result/ResultDisplayState.h"

#include "logic/text/Language.h"

namespace brisca {

namespace {

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
    if (!selected)
        return InMessageLanguage(" 結果ファイルが選ばれていません（一覧から選んで「OK」を押して下さい） ",
            "No result file is chosen (choose one in the list and press OK).");
    // The refined grid file holds whatever file "OK" last handed to the refiner.
    if (!converted || converted->name != selected->name)
        return InMessageLanguage(" 選択中の結果ファイル " + selected->name +
                                     " はまだ変換されていません（「OK」を押して変換してから「データ処理」を押"
                                     "して下さい） ",
            "The chosen result file " + selected->name +
                " is not converted yet (press OK to convert it, then Process data).");
    if (conversion == Conversion::Failed)
        return InMessageLanguage(
                   " 結果ファイル " + converted->name + " の変換に失敗したため、データ処理できません \n",
                   "The result file " + converted->name +
                       " could not be converted, so it cannot be processed.\n") +
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
    return InMessageLanguage(
        " 結果ファイル " + converted->name +
            " のデータ処理がまだです（「データ処理」を押してから「散乱線量分布表示」を押して"
            "下さい） ",
        "The result file " + converted->name +
            " is not processed yet (press Process data, then Show scatter map).");
}

void ResultDisplayState::Paint(const DisplayChoice& choice) { painted = PaintedMap{*processed, choice}; }

std::string ResultDisplayState::CorrectionRefusal() const
{
    if (painted) return {};
    if (selected && converted && converted->name != selected->name)
        return InMessageLanguage(" 選択中の結果ファイル " + selected->name + " は、変換した結果ファイル " +
                                     converted->name +
                                     " と異なります（補正する結果ファイルを選び、「OK」「データ処理」「散乱線"
                                     "量分布表示」を押してから補正して下さい） ",
            "The chosen result file " + selected->name + " is not the converted one, " + converted->name +
                " (choose the result to correct, press OK, Process data and Show scatter map, then "
                "correct it).");
    return InMessageLanguage(
        " 補正する結果が表示されていません（「散乱線量分布表示」を押してから補正して下さい） ",
        "No result is shown to correct (press Show scatter map first).");
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
        return InMessageLanguage(" この結果には読める不確かさファイルがないため、誤差の表示も誤差による灰色表"
                                 "示もできません ",
                   "This result has no readable uncertainty file, so neither the error map nor the grey-out "
                   "can be shown.") +
               why;
    }
    if (choice.content == MapContent::GreyedRates &&
        !(choice.greyAbovePercent > 0.0 && choice.greyAbovePercent <= 100.0))
        return InMessageLanguage(" 灰色にする誤差の上限は 0 より大きく 100 以下の数値 (%) で入れて下さい ",
            "Enter the error above which the map is greyed as a percentage above 0 and at most 100.");
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
