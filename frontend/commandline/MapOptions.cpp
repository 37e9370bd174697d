#include "commandline/MapOptions.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "commandline/MapErrorOptions.h"
#include "commandline/MapReportOptions.h"

namespace brisca {

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& end)
{
    return text.size() > end.size() &&
           std::equal(end.begin(), end.end(), text.end() - static_cast<long>(end.size()),
               [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

// One finite number and nothing else.
bool ParseNumber(const std::string& field, double& value)
{
    char* end = nullptr;
    value = std::strtod(field.c_str(), &end);
    return !field.empty() && *end == '\0' && std::isfinite(value);
}

// Eleven numbers separated by commas; false for anything else.
bool ParseThresholds(const std::string& text, Thresholds& thresholds)
{
    std::size_t start = 0;
    for (int n = 1; n <= 11; ++n) {
        const std::size_t comma = text.find(',', start);
        if ((n < 11) == (comma == std::string::npos)) return false;
        const std::string field =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (!ParseNumber(field, thresholds[n])) return false;
        start = comma + 1;
    }
    return true;
}

// Applies one option with its value; false with `error` set when it is unknown or its value is wrong.
bool ApplyOption(MapOptions& options, const std::string& name, const std::string& value, std::string& error)
{
    if (name == "--quantity") {
        options.relativeError = value == "kerma-error" || value == "dose-error";
        if (value != "kerma" && value != "dose" && !options.relativeError)
            error = "--quantity takes kerma, dose, kerma-error or dose-error, not \"" + value + "\"";
        options.quantity = value.rfind("dose", 0) == 0 ? Quantity::Dose : Quantity::Kerma;
    } else if (name == "--grey-above") {
        double percent = 0.0;
        if (ParseNumber(value, percent) && percent > 0.0 && percent <= 100.0)
            options.greyAbovePercent = percent;
        else
            error = "--grey-above takes a relative error in percent, above 0 and at most 100, not \"" +
                    value + "\"";
    } else if (name == "--height") {
        const std::optional<HeightLayer> layer = HeightFromKey(value);
        if (layer) options.layer = *layer;
        if (!layer) error = "--height takes above, center or below, not \"" + value + "\"";
    } else if (name == "--room") {
        options.room = value;
    } else if (name == "--out") {
        options.out = value;
    } else if (name == "--points") {
        options.points = value;
    } else if (name == "--workload") {
        double number = 0.0;
        if (ParseNumber(value, number) && number >= 0.0)
            options.workload = number;
        else
            error = "--workload takes a number of mA·min per week, 0 or more, not \"" + value + "\"";
    } else if (name == "--weeks") {
        if (ParseNumber(value, options.weeks) && options.weeks > 0.0)
            options.weeksGiven = true;
        else
            error = "--weeks takes a positive number of weeks per year, not \"" + value + "\"";
    } else if (name == "--thresholds") {
        Thresholds thresholds{};
        if (value == "auto")
            options.thresholds.reset();
        else if (ParseThresholds(value, thresholds))
            options.thresholds = thresholds;
        else
            error = "--thresholds takes auto or eleven numbers separated by commas, not \"" + value + "\"";
    } else {
        error = "unknown option " + name;
    }
    return error.empty();
}

} // namespace

MapOptions ParseMapOptions(const std::vector<std::string>& arguments)
{
    MapOptions options;
    bool quantityGiven = false;
    bool heightGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            return options;
        }
        if (argument == "--both-sides") {
            options.bothSides = true;
            continue;
        }
        if (argument.rfind("--", 0) != 0) {
            if (!options.result.empty()) options.usageError = "more than one result file given";
            options.result = argument;
        } else if (i + 1 == arguments.size()) {
            options.usageError = argument + " needs a value";
        } else if (ApplyOption(options, argument, arguments[i + 1], options.usageError)) {
            quantityGiven = quantityGiven || argument == "--quantity";
            heightGiven = heightGiven || argument == "--height";
            ++i;
        }
        if (!options.usageError.empty()) return options;
    }
    options.csv = EndsWithNoCase(options.out, ".csv");
    options.pdf = EndsWithNoCase(options.out, ".pdf");
    if (options.pdf) {
        if (!quantityGiven) options.quantity = Quantity::Dose;
        options.usageError = ReportUsageError(options);
        if (options.usageError.empty()) options.usageError = ErrorUsageError(options);
        return options;
    }
    const bool points = !options.points.empty();
    // The doses need neither a quantity (they are effective doses) nor a height (each point has its own).
    const bool doses = points && options.csv;
    if (options.result.empty())
        options.usageError = "no result file given";
    else if (!quantityGiven && !doses)
        options.usageError = "--quantity is required";
    else if (!heightGiven && !doses)
        options.usageError = "--height is required";
    else if (options.out.empty())
        options.usageError = "--out is required";
    else if (!options.csv && !EndsWithNoCase(options.out, ".png"))
        options.usageError = "--out must name a .png, .csv or .pdf file";
    else if (options.csv && !options.room.empty() && !points)
        options.usageError = "--room draws a picture: --out must be .png";
    else if (options.bothSides && options.room.empty())
        options.usageError = "--both-sides needs --room";
    else if (points && options.room.empty())
        options.usageError = "--points needs --room, the layout the points are placed in";
    else if (doses && !options.workload)
        options.usageError = "--points with a .csv --out writes doses: --workload is required";
    else if ((options.workload || options.weeksGiven) && !points)
        options.usageError = "--workload and --weeks go with --points";
    else
        options.usageError = ErrorUsageError(options);
    return options;
}

std::string MapOptionsHelp()
{
    return "使い方 (usage): brisca-map RESULT.dsr5 --quantity kerma|dose --height above|center|below\n"
           "                  [--room FILE.Room] [--both-sides] [--thresholds auto|t1,...,t11]\n"
           "                  [--grey-above P]\n"
           "                  [--points POINTS.csv [--workload MA_MIN_PER_WEEK] [--weeks N]]\n"
           "                  --out FILE.png|FILE.csv\n"
           "       brisca-map RESULT.dsr5 --room FILE.Room --points POINTS.csv\n"
           "                  --workload MA_MIN_PER_WEEK [--weeks N] --out DOSES.csv\n" +
           MapReportHelp() +
           "\n"
           "結果ファイルを精細化し、分布図 (PNG) または 1 cm 格子の値 (CSV) を書き出します。\n"
           "(Refines the result file in memory and writes the distribution map as PNG, or the 1 cm\n"
           " display grid of the chosen quantity and height as CSV.)\n"
           "\n"
           "  --quantity kerma|dose    空気カーマ率 (μGy/min) / 実効線量 (H1cm) 率 (μSv/min)\n"
           "  --quantity kerma-error|dose-error\n"
           "                           その相対標準誤差 % の図または格子 (the relative standard error in\n"
           "                           percent, from RESULT's .dsrE; CSV: an empty field is not scored)\n"
           "  --height above|center|below\n"
           "                           ファントム中心の上方 50 cm / 高さ / 下方 50 cm\n"
           "  --room FILE.Room         部屋レイアウトに重ねて描く (draw over the room layout)\n"
           "  --both-sides             両側の分布を表示 (with --room: both sides of the bed's axis)\n"
           "  --grey-above P           相対誤差が P % を超える点を灰色に (a .png: grey the cells whose\n"
           "                           relative error exceeds P %, or is unknown)\n"
           "  --thresholds auto|t1,...,t11\n"
           "                           凡例のしきい値、降順 (legend thresholds, descending;\n"
           "                           auto: the default legend, as データ処理 fills it)\n"
           "  --points POINTS.csv      評価点 (evaluation points, with --room): .csv の --out には各点の\n"
           "                           年間線量、.png の --out には点を描く (a .csv --out gets each\n"
           "                           point's doses, a .png --out shows the points; docs/room-doses.md)\n"
           "  --workload X             ワークロード、透視の mA·min/週 (beam-on workload, mA·min per week)\n"
           "  --weeks N                年間の週数 (weeks of work per year; default 50)\n"
           "  --out FILE.png|FILE.csv|FILE.pdf\n"
           "                           出力ファイル (output file; replaced only when complete)\n"
           "  --help                   この説明 (this text)\n"
           "\n"
           "終了コード (exit status): 0 成功 (done), 1 拒否 (refused: a result without positive\n"
           "rates and auto thresholds; for doses, a tube voltage outside 50-150 kV or a tube current\n"
           "the header does not hold), 2 コマンドラインの誤り (bad command line), 3 ファイルの誤り\n"
           "(a file missing, malformed or not writable).\n";
}

} // namespace brisca
