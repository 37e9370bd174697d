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

// A value that an option does not take.
Problem WrongValue(const std::string& option, const std::string& japanese, const std::string& english,
    const std::string& value)
{
    return PlainProblem(option + " には" + japanese + "を指定して下さい（「" + value + "」は使えません）",
        option + " takes " + english + ", not \"" + value + "\"");
}

// Applies one option with its value; a problem when it is unknown or its value is wrong.
std::optional<Problem> ApplyOption(MapOptions& options, const std::string& name, const std::string& value)
{
    if (name == "--quantity") {
        options.relativeError = value == "kerma-error" || value == "dose-error";
        if (value != "kerma" && value != "dose" && !options.relativeError)
            return WrongValue(name, " kerma、dose、kerma-error、dose-error のいずれか",
                "kerma, dose, kerma-error or dose-error", value);
        options.quantity = value.rfind("dose", 0) == 0 ? Quantity::Dose : Quantity::Kerma;
    } else if (name == "--grey-above") {
        double percent = 0.0;
        if (!ParseNumber(value, percent) || !(percent > 0.0 && percent <= 100.0))
            return WrongValue(name, " 0 より大きく 100 以下の相対誤差 (%) ",
                "a relative error in percent, above 0 and at most 100", value);
        options.greyAbovePercent = percent;
    } else if (name == "--height") {
        const std::optional<HeightLayer> layer = HeightFromKey(value);
        if (!layer)
            return WrongValue(name, " above、center、below のいずれか", "above, center or below", value);
        options.layer = *layer;
    } else if (name == "--room") {
        options.room = value;
    } else if (name == "--out") {
        options.out = value;
    } else if (name == "--points") {
        options.points = value;
    } else if (name == "--workload") {
        double number = 0.0;
        if (!ParseNumber(value, number) || number < 0.0)
            return WrongValue(
                name, "透視の mA·min/週を 0 以上の数値で", "a number of mA·min per week, 0 or more", value);
        options.workload = number;
    } else if (name == "--weeks") {
        if (!ParseNumber(value, options.weeks) || !(options.weeks > 0.0))
            return WrongValue(name, "年間の週数を正の数値で", "a positive number of weeks per year", value);
        options.weeksGiven = true;
    } else if (name == "--thresholds") {
        Thresholds thresholds{};
        if (value == "auto")
            options.thresholds.reset();
        else if (ParseThresholds(value, thresholds))
            options.thresholds = thresholds;
        else
            return WrongValue(name, " auto かコンマで区切った 11 個の数値",
                "auto or eleven numbers separated by commas", value);
    } else {
        return PlainProblem("オプション " + name + " はありません", "unknown option " + name);
    }
    return std::nullopt;
}

// What the options ask for, checked together; nothing when they go together.
std::optional<Problem> Inconsistency(const MapOptions& options, bool quantityGiven, bool heightGiven)
{
    const bool points = !options.points.empty();
    // The doses need neither a quantity (they are effective doses) nor a height (each point has its own).
    const bool doses = points && options.csv;
    if (options.result.empty())
        return PlainProblem("結果ファイルが指定されていません", "no result file given");
    if (!quantityGiven && !doses) return PlainProblem("--quantity が必要です", "--quantity is required");
    if (!heightGiven && !doses) return PlainProblem("--height が必要です", "--height is required");
    if (options.out.empty()) return PlainProblem("--out が必要です", "--out is required");
    if (!options.csv && !EndsWithNoCase(options.out, ".png"))
        return PlainProblem("--out には .png、.csv か .pdf のファイルを指定して下さい",
            "--out must name a .png, .csv or .pdf file");
    if (options.csv && !options.room.empty() && !points)
        return PlainProblem("--room は画像を描きます。--out は .png にして下さい",
            "--room draws a picture: --out must be .png");
    if (options.bothSides && options.room.empty())
        return PlainProblem("--both-sides には --room が必要です", "--both-sides needs --room");
    if (points && options.room.empty())
        return PlainProblem("--points には点を置くレイアウトの --room が必要です",
            "--points needs --room, the layout the points are placed in");
    if (doses && !options.workload)
        return PlainProblem("--points と .csv の --out は線量を書き出すので --workload が必要です",
            "--points with a .csv --out writes doses: --workload is required");
    if ((options.workload || options.weeksGiven) && !points)
        return PlainProblem(
            "--workload と --weeks は --points と一緒に使います", "--workload and --weeks go with --points");
    return std::nullopt;
}

} // namespace

Expected<MapOptions> ParseMapOptions(const std::vector<std::string>& arguments)
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
            if (!options.result.empty())
                return PlainProblem(
                    "結果ファイルが 2 つ以上指定されています", "more than one result file given");
            options.result = argument;
            continue;
        }
        if (i + 1 == arguments.size())
            return PlainProblem("オプション " + argument + " には値が要ります", argument + " needs a value");
        if (auto problem = ApplyOption(options, argument, arguments[i + 1])) return *problem;
        quantityGiven = quantityGiven || argument == "--quantity";
        heightGiven = heightGiven || argument == "--height";
        ++i;
    }
    options.csv = EndsWithNoCase(options.out, ".csv");
    options.pdf = EndsWithNoCase(options.out, ".pdf");
    if (options.pdf) {
        if (!quantityGiven) options.quantity = Quantity::Dose;
        if (auto problem = ReportOptionsProblem(options)) return *problem;
        if (auto problem = ErrorOptionsProblem(options)) return *problem;
        return options;
    }
    if (auto problem = Inconsistency(options, quantityGiven, heightGiven)) return *problem;
    if (auto problem = ErrorOptionsProblem(options)) return *problem;
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
