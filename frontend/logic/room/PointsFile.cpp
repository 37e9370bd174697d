#include "logic/room/PointsFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>

#include "logic/files/AtomicWrite.h"
#include "logic/text/CsvText.h"
#include "logic/text/FreeFormatReader.h"
#include "logic/text/NumberText.h"
#include "records/utf8_cut.h"

namespace brisca {

namespace {

constexpr std::array<const char*, 8> Columns = {
    "name", "x_cm", "y_cm", "height", "occupancy", "apron_mm_pb", "barrier", "limit_msv_per_year"};
constexpr std::array<const char*, 3> HeightWords = {"above", "center", "below"};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

void AppendNumber(std::string& out, double value)
{
    char text[32];
    // Adding 0 turns a negative zero into 0.
    const auto end = std::to_chars(text, text + sizeof text, value + 0.0).ptr;
    out.append(text, end);
}

// A number with nothing else in the field; false for text, infinity and NaN.
bool ParseNumber(std::string_view text, double& value)
{
    if (!ReadsAsNumber(text)) return false;
    value = LeadingNumber(text);
    return std::isfinite(value);
}

// The fields of one line, unquoted; false when a quoted field is not closed or is followed by
// more than blanks.
bool SplitFields(std::string_view line, std::vector<std::string>& fields)
{
    fields.clear();
    std::size_t at = 0;
    for (;;) {
        std::size_t start = at;
        while (start < line.size() && IsBlank(line[start])) ++start;
        std::string field;
        if (start < line.size() && line[start] == '"') {
            std::size_t k = start + 1;
            for (;; ++k) {
                if (k >= line.size()) return false;
                if (line[k] != '"') {
                    field.push_back(line[k]);
                } else if (k + 1 < line.size() && line[k + 1] == '"') {
                    field.push_back('"');
                    ++k;
                } else {
                    break;
                }
            }
            at = k + 1;
            while (at < line.size() && IsBlank(line[at])) ++at;
            if (at < line.size() && line[at] != ',') return false;
        } else {
            at = std::min(line.find(',', start), line.size());
            field = std::string(Trimmed(line.substr(start, at - start)));
        }
        fields.push_back(std::move(field));
        if (at >= line.size()) return true;
        ++at; // the comma
    }
}

// One line's fault: where, the field's text, and why, in both languages.
struct Fault {
    const char* column; // the column's name, or none for the line as a whole
    std::string text;   // what the field holds
    std::string whyJa;  // the reason in Japanese
    std::string whyEn;  // the reason in English
};

Problem Describe(std::string_view fileName, int line, const Fault& fault)
{
    const std::string file(fileName);
    if (!fault.column) return RecordProblem(file, line, fault.whyJa, fault.whyEn);
    // A whole field in the message, however long, would bury the reason.
    const std::string text = records::FirstCodePoints(fault.text, 40);
    return RecordProblem(file, line, std::string(fault.column) + " 列の「" + text + "」: " + fault.whyJa,
        std::string("field ") + fault.column + ": \"" + text + "\" " + fault.whyEn);
}

std::optional<Fault> ParseOccupancy(const std::string& text, double& occupancy)
{
    const std::size_t slash = text.find('/');
    double value = 0.0;
    bool read = false;
    if (slash == std::string::npos) {
        read = ParseNumber(text, value);
    } else {
        double numerator = 0.0;
        double denominator = 0.0;
        read = ParseNumber(std::string_view(text).substr(0, slash), numerator) &&
               ParseNumber(std::string_view(text).substr(slash + 1), denominator) && denominator != 0.0;
        value = read ? numerator / denominator : 0.0;
    }
    if (!read || !(value > 0.0 && value <= 1.0))
        return Fault{Columns[4], text, "居住係数は 0 より大きく 1 以下の小数か分数 (1/8 など) です",
            "is not an occupancy factor above 0 and at most 1, as a decimal or a fraction such as 1/8"};
    occupancy = value;
    return std::nullopt;
}

std::optional<Fault> ParseBarrier(const std::string& text, Barrier& barrier)
{
    const std::string lower = Lower(text);
    if (lower.empty() || lower == "none") {
        barrier = {};
        return std::nullopt;
    }
    const std::size_t blank = lower.find_first_of(" \t");
    const std::string word = lower.substr(0, blank);
    const BarrierMaterial material = word == "pb"         ? BarrierMaterial::Lead
                                     : word == "concrete" ? BarrierMaterial::Concrete
                                                          : BarrierMaterial::None;
    double mm = 0.0;
    if (material == BarrierMaterial::None || blank == std::string::npos ||
        !ParseNumber(std::string_view(text).substr(blank), mm) || mm < 0.0)
        return Fault{Columns[6], text, "遮蔽は空欄、「Pb 厚さ mm」または「concrete 厚さ mm」です",
            "is not a barrier: leave it empty, or write Pb <mm> or concrete <mm>"};
    barrier = {material, mm};
    return std::nullopt;
}

// One row of fields into `point`.
std::optional<Fault> ParseRow(const std::vector<std::string>& fields, EvaluationPoint& point)
{
    if (fields.size() < Columns.size()) {
        const std::string column = Columns[fields.size()];
        return Fault{nullptr, "", column + " の列がありません (8 列必要です)",
            "field " + column + " is missing (a row has 8 fields)"};
    }
    if (fields.size() > Columns.size())
        return Fault{nullptr, "", "列が多すぎます (8 列です)", "has more than the 8 fields of a row"};
    point.name = fields[0];
    const auto number = [&fields](std::size_t column, double& value) -> std::optional<Fault> {
        if (ParseNumber(fields[column], value)) return std::nullopt;
        return Fault{Columns[column], fields[column], "数値として読めません", "is not a number"};
    };
    if (auto fault = number(1, point.xCm)) return fault;
    if (auto fault = number(2, point.yCm)) return fault;
    const std::string height = Lower(fields[3]);
    const auto word = std::find(HeightWords.begin(), HeightWords.end(), height);
    if (word == HeightWords.end())
        return Fault{Columns[3], fields[3], "高さは above、center、below のいずれかです",
            "is not a height: above, center or below"};
    point.layer = static_cast<HeightLayer>(word - HeightWords.begin() + 1);
    if (auto fault = ParseOccupancy(fields[4], point.occupancy)) return fault;
    if (fields[5].empty())
        point.apronMmPb = 0.0;
    else if (!ParseNumber(fields[5], point.apronMmPb) || point.apronMmPb < 0.0)
        return Fault{Columns[5], fields[5], "防護衣の鉛当量は 0 以上の数値 (mm) か空欄です",
            "is not an apron's lead equivalent in mm (0 or more; empty for none)"};
    if (auto fault = ParseBarrier(fields[6], point.barrier)) return fault;
    if (!ParseNumber(fields[7], point.limitMsvPerYear) || !(point.limitMsvPerYear > 0.0))
        return Fault{Columns[7], fields[7], "線量限度は正の数値 (mSv/年) です",
            "is not a dose limit: a positive number of mSv per year"};
    return std::nullopt;
}

bool IsEmptyRow(std::string_view line) { return line.find_first_not_of(" \t,") == std::string_view::npos; }

bool IsUtf8(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t length = records::Utf8SequenceLength(text);
        if (length == 0) return false;
        text.remove_prefix(length);
    }
    return true;
}

// The next line of `bytes`, which it leaves after the line's end (CR LF, LF or CR).
std::string_view NextLine(std::string_view& bytes)
{
    const std::size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
    const std::string_view line = bytes.substr(0, end);
    std::size_t skip = end;
    if (skip < bytes.size())
        skip += bytes[skip] == '\r' && skip + 1 < bytes.size() && bytes[skip + 1] == '\n' ? 2 : 1;
    bytes.remove_prefix(skip);
    return line;
}

} // namespace

void AppendCsvText(std::string& out, std::string_view text)
{
    const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                        (!text.empty() && (IsBlank(text.front()) || IsBlank(text.back())));
    if (!quoted) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

Expected<std::string> PointsCsvBytes(const std::vector<EvaluationPoint>& points)
{
    std::string out = std::string(Utf8ByteOrderMark) + PointsHeader + "\r\n";
    for (const EvaluationPoint& point : points) {
        if (point.name.find_first_of("\r\n") != std::string::npos)
            return PlainProblem("点の名前「" + point.name + "」は改行を含むため保存できません",
                "the point name holds a line break");
        bool storable = point.occupancy > 0.0 && point.occupancy <= 1.0 && point.apronMmPb >= 0.0 &&
                        point.barrier.thicknessMm >= 0.0 && point.limitMsvPerYear > 0.0;
        for (const double value :
            {point.xCm, point.yCm, point.apronMmPb, point.barrier.thicknessMm, point.limitMsvPerYear})
            storable = storable && std::isfinite(value);
        // What the reader would refuse is not written.
        if (!storable)
            return PlainProblem("点「" + point.name + "」に保存できない値があります",
                "point \"" + point.name +
                    "\" holds a value the points file cannot hold: an occupancy outside (0, 1], a negative "
                    "apron or barrier, a limit not above 0, or a number that is not finite");
        AppendCsvText(out, point.name);
        out += ',';
        AppendNumber(out, point.xCm);
        out += ',';
        AppendNumber(out, point.yCm);
        out += ',';
        out += HeightWords[static_cast<std::size_t>(point.layer) - 1];
        out += ',';
        AppendNumber(out, point.occupancy);
        out += ',';
        AppendNumber(out, point.apronMmPb);
        out += ',';
        if (point.barrier.material != BarrierMaterial::None) {
            out += point.barrier.material == BarrierMaterial::Lead ? "Pb " : "concrete ";
            AppendNumber(out, point.barrier.thicknessMm);
        }
        out += ',';
        AppendNumber(out, point.limitMsvPerYear);
        out += "\r\n";
    }
    return out;
}

std::optional<double> OccupancyOfText(std::string_view text)
{
    double occupancy = 0.0;
    if (ParseOccupancy(std::string(Trimmed(text)), occupancy)) return std::nullopt;
    return occupancy;
}

Expected<std::vector<EvaluationPoint>> ParsePointsCsv(std::string_view bytes, std::string_view fileName)
{
    bytes = WithoutByteOrderMark(bytes);
    std::vector<EvaluationPoint> read;
    std::vector<std::string> fields;
    int line = 0;
    bool header = true;
    while (!bytes.empty()) {
        const std::string_view text = NextLine(bytes);
        ++line;
        if (!IsUtf8(text))
            return Describe(
                fileName, line, {nullptr, "", "UTF-8 として読めない文字があります", "is not UTF-8 text"});
        if (header) {
            header = false;
            std::string found;
            if (SplitFields(text, fields))
                for (std::size_t k = 0; k < fields.size(); ++k) {
                    if (k > 0) found += ',';
                    found += Lower(fields[k]);
                }
            if (found != PointsHeader)
                return Describe(fileName, line,
                    {nullptr, "", "見出し行が違います",
                        std::string("the header row is not ") + PointsHeader});
            continue;
        }
        if (IsEmptyRow(text)) continue;
        if (!SplitFields(text, fields))
            return Describe(fileName, line,
                {nullptr, "", "引用符 \" が閉じていません",
                    "has a quoted field that is not closed properly"});
        EvaluationPoint point;
        if (const std::optional<Fault> fault = ParseRow(fields, point))
            return Describe(fileName, line, *fault);
        read.push_back(std::move(point));
    }
    if (header)
        return Describe(fileName, 1,
            {nullptr, "", "見出し行がありません (空のファイルです)",
                std::string("the file is empty; it needs the header row ") + PointsHeader});
    return read;
}

Expected<std::vector<EvaluationPoint>> ReadPointsFile(const std::filesystem::path& path)
{
    const Expected<std::string> bytes = ReadTextFile(path);
    if (!bytes) return bytes.Failure();
    return ParsePointsCsv(*bytes, path.filename().string());
}

std::optional<Problem> WritePointsFile(
    const std::filesystem::path& path, const std::vector<EvaluationPoint>& points)
{
    const Expected<std::string> text = PointsCsvBytes(points);
    if (!text) return text.Failure();
    return WriteTextFileAtomically(path, *text);
}

std::filesystem::path LayoutPointsPath(const std::filesystem::path& roomFile)
{
    return roomFile.parent_path() / PointsFileName(roomFile.filename().string());
}

Expected<std::vector<EvaluationPoint>> ReadLayoutPoints(const std::filesystem::path& roomFile)
{
    const std::filesystem::path file = LayoutPointsPath(roomFile);
    std::error_code absent;
    if (!std::filesystem::exists(file, absent)) return std::vector<EvaluationPoint>{};
    return ReadPointsFile(file);
}

std::optional<Problem> WriteLayoutPoints(
    const std::filesystem::path& roomFile, const std::vector<EvaluationPoint>& points)
{
    const std::filesystem::path file = LayoutPointsPath(roomFile);
    std::error_code absent;
    const bool exists = std::filesystem::exists(file, absent);
    if (!exists && points.empty()) return std::nullopt;
    if (exists) {
        if (const Expected<std::vector<EvaluationPoint>> saved = ReadPointsFile(file); !saved) {
            Problem kept = saved.Failure();
            kept.japanese += "（読めないため上書きしません）";
            kept.english += " (left as it is, since it cannot be read)";
            return kept;
        }
    }
    return WritePointsFile(file, points);
}

} // namespace brisca
