#include "engine/parallel/partial_result.h"

#include "engine/input_error.h"
#include "engine/input_files.h"
#include "engine/score_bound.h"
#include "records/field_error.h"
#include "records/read_file.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>
#include <vector>

namespace engine {

namespace {

constexpr const char* kKind = "brisca-partial-result";
// The layout's version: 2 added the seed, the sums of squares and the largest conversion
// coefficient; 3 came when the chunked mode began to sample through the job's sampling
// tables, so an earlier part holds other streams' sums and cannot join a newer one.
constexpr int kVersion = 3;

std::uint64_t Fnv1a(std::string_view bytes, std::uint64_t hash = 0xcbf29ce484222325ULL)
{
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

std::string Hex64(std::uint64_t value)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

// Floats as exact hexadecimal text: the merge must normalise with the very same values.
void AppendFloat(std::string& out, float value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::hex).ptr;
    out += ' ';
    out.append(text, end);
}

// Reads the records of one part, each parse step naming the part and the record.
class PartReader {
public:
    PartReader(const std::string& name, const std::string& text) : name_(name)
    {
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) lines_.push_back(line);
    }

    [[noreturn]] void Fail(const std::string& japanese, const std::string& english) const
    {
        throw InputError(records::DescribeRecordError(name_, record_, japanese, english));
    }

    // The next record, which must open with `key`; its words after the key.
    std::vector<std::string> Next(const std::string& key)
    {
        if (static_cast<std::size_t>(record_) >= lines_.size()) {
            ++record_;
            Fail("がありません（途中で切れています）", "missing: the part is truncated");
        }
        const std::string& line = lines_[static_cast<std::size_t>(record_++)];
        std::istringstream words(line);
        std::vector<std::string> result;
        for (std::string word; words >> word;) result.push_back(word);
        if (result.empty() || result[0] != key)
            Fail("は「" + key + "」の行ではありません", "not the '" + key + "' record");
        result.erase(result.begin());
        return result;
    }

    // The whole text after `key ` of the next record.
    std::string NextText(const std::string& key)
    {
        Next(key);
        const std::string& line = lines_[static_cast<std::size_t>(record_ - 1)];
        return line.size() > key.size() ? line.substr(key.size() + 1) : "";
    }

    // The next record with exactly `count` words after `key`.
    std::vector<std::string> Next(const std::string& key, std::size_t count)
    {
        std::vector<std::string> words = Next(key);
        if (words.size() != count)
            Fail("の値の数が " + std::to_string(count) + " ではありません",
                "the record does not hold " + std::to_string(count) + " values");
        return words;
    }

    float Float(const std::string& word) const
    {
        float value = 0.0f;
        const auto [end, error] =
            std::from_chars(word.data(), word.data() + word.size(), value, std::chars_format::hex);
        if (error != std::errc() || end != word.data() + word.size())
            Fail("の「" + records::EchoText(word) + "」は数値ではありません",
                "'" + records::EchoText(word) + "' is not a number");
        return value;
    }

    long long Integer(const std::string& word, long long low, long long high) const
    {
        long long value = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (error != std::errc() || end != word.data() + word.size() || value < low || value > high) {
            const std::string echo = records::EchoText(word);
            Fail(std::string("の「").append(echo).append("」は範囲内の整数ではありません"),
                std::string("'").append(echo).append("' is not a whole number in range"));
        }
        return value;
    }

    // Reads a grid whose sums must lie between 0 and `largest` steps.
    void Grid(const std::string& key, std::array<ExactInt, Grids::kCells>& cells, double largest)
    {
        Next(key, 0);
        for (int along = 0; along < Grids::kHeights * Grids::kAlong; ++along) {
            const std::vector<std::string> words = Next("g", Grids::kLateral);
            for (int i = 0; i < Grids::kLateral; ++i) {
                const std::string echo = records::EchoText(words[static_cast<std::size_t>(i)]);
                ExactInt& cell = cells[along * Grids::kLateral + i];
                if (!ExactFromText(words[static_cast<std::size_t>(i)], cell))
                    Fail("の和「" + echo + "」が読めません", "sum '" + echo + "' is unreadable");
                if (cell < 0)
                    Fail(key + " の和「" + echo + "」が負です", key + " sum '" + echo + "' is negative");
                if (static_cast<double>(cell) > largest)
                    Fail(key + " の和「" + echo + "」はこの部分結果の履歴数では届かない値です",
                        key + " sum '" + echo + "' is beyond what the part's histories can reach");
            }
        }
    }

    int Record() const { return record_; }
    std::size_t Records() const { return lines_.size(); }

private:
    std::string name_;
    std::vector<std::string> lines_;
    int record_ = 0; // records read so far
};

void AppendGrid(std::string& out, const char* key, const std::array<ExactInt, Grids::kCells>& cells)
{
    out += key;
    out += '\n';
    for (int along = 0; along < Grids::kHeights * Grids::kAlong; ++along) {
        out += 'g';
        for (int i = 0; i < Grids::kLateral; ++i) {
            out += ' ';
            out += ExactToText(cells[along * Grids::kLateral + i]);
        }
        out += '\n';
    }
}

} // namespace

std::string PartSeal(std::string_view text) { return Hex64(Fnv1a(text)); }

std::string PartialName(const std::string& resultName, Slice slice)
{
    return resultName + ".part-" + std::to_string(slice.index) + "-of-" + std::to_string(slice.count);
}

std::string InputsFingerprint(const std::string& directory)
{
    std::uint64_t hash = Fnv1a("");
    for (const char* file : {records::kInteractionTableFile, records::kAirTableFile,
             records::kConversionTableFile, records::kJobFile, records::kSpectrumFile}) {
        const std::string path = directory.empty() ? file : directory + "/" + file;
        std::string text;
        if (const auto failure = records::ReadWholeFile(path, text))
            throw InputError(records::DescribeFileError(file, failure->japanese, failure->english));
        hash = Fnv1a(text, hash);
        hash = Fnv1a(std::string_view("\0", 1), hash); // the files' boundaries count too
    }
    return Hex64(hash);
}

std::string FormatPartial(const Tables& tables, const EngineGeometry& geometry, Slice slice, long long seed,
    const std::string& fingerprint, long long histories, const ExactGrids& sums)
{
    const Job& job = tables.job;
    std::string out = std::string(kKind) + " " + std::to_string(kVersion) + "\n";
    out += "slice " + std::to_string(slice.index) + " " + std::to_string(slice.count) + "\n";
    out += "geometry " +
           std::string(geometry.geometryCode.substr(geometry.geometryCode.find_first_not_of(' '))) + "\n";
    out += "chunk-histories " + std::to_string(kChunkHistories) + "\n";
    out += "seed " + std::to_string(seed) + "\n";
    out += "inputs " + fingerprint + "\n";
    out += "job";
    for (const float value : {job.tubeOutput, job.fsd, job.fieldLength, job.fieldWidth, job.photonCount})
        AppendFloat(out, value);
    out += "\nname " + job.resultName + "\n";
    out += "descriptors";
    for (const float value : tables.spectrum.descriptors) AppendFloat(out, value);
    out += "\nlast-bin " + std::to_string(tables.spectrum.lastBin) + "\n";
    out += "spectrum";
    for (int i = 1; i <= 300; ++i) AppendFloat(out, tables.spectrum.intensity[i]);
    out += "\nair";
    for (int i = 1; i <= 300; ++i) AppendFloat(out, tables.air.coefficient[i]);
    out += "\nconversion-max";
    AppendFloat(out, LargestConversion(tables.conversion));
    out += "\nhistories " + std::to_string(histories) + "\n";
    out += std::string("overflow ") + (sums.overflow ? "1" : "0") + "\n";
    AppendGrid(out, "kerma", sums.kerma);
    AppendGrid(out, "dose", sums.dose);
    AppendGrid(out, "kerma-squares", sums.kermaSquares);
    AppendGrid(out, "dose-squares", sums.doseSquares);
    out += "end " + PartSeal(out) + "\n";
    return out;
}

PartialResult ParsePartial(const std::string& name, const std::string& text)
{
    // The last record seals the rest: a part cut short or altered is refused as a whole.
    const std::size_t endAt = text.rfind("end ");
    if (endAt == std::string::npos || (endAt != 0 && text[endAt - 1] != '\n') ||
        text.compare(
            endAt, std::string::npos, "end " + PartSeal(std::string_view(text).substr(0, endAt)) + "\n") != 0)
        throw InputError(
            records::DescribeFileError(name, "は途中で切れているか壊れています（末尾の検査値が合いません）",
                "the part is truncated or damaged (its closing check value does not match)"));

    PartReader reader(name, text.substr(0, endAt));
    PartialResult part;
    const std::string version = reader.Records() == 0 ? "" : reader.NextText(kKind);
    if (version != std::to_string(kVersion)) {
        if (version == "1" || version == "2")
            throw InputError(records::DescribeFileError(name,
                "は古い版 (" + version +
                    ") のエンジンが書いた部分結果です。このスライスを今のエンジンで計算し直してください",
                "a partial result of the older layout " + version +
                    ", written by an earlier engine; run this slice again with the current engine"));
        throw InputError(records::DescribeFileError(
            name, "は部分結果ファイルではありません", "not a partial result of this version"));
    }
    const std::vector<std::string> slice = reader.Next("slice", 2);
    part.slice.count = static_cast<int>(reader.Integer(slice[1], 1, 1000000));
    part.slice.index = static_cast<int>(reader.Integer(slice[0], 1, part.slice.count));

    // Everything from here to the histories must agree between the parts of one job.
    const int jobFirst = reader.Record();
    part.geometryCode = "  " + reader.Next("geometry", 1)[0];
    if (part.geometryCode != kStandingGeometry.geometryCode &&
        part.geometryCode != kSupineGeometry.geometryCode)
        reader.Fail("の配置コードが不明です", "unknown geometry code");
    if (reader.Integer(reader.Next("chunk-histories", 1)[0], 1, 1LL << 40) != kChunkHistories)
        reader.Fail("のチャンクの大きさがこのエンジンと違います", "chunk size differs from this engine's");
    reader.Integer(reader.Next("seed", 1)[0], std::numeric_limits<long long>::min(),
        std::numeric_limits<long long>::max());
    reader.Next("inputs", 1);
    Job& job = part.tables.job;
    const std::vector<std::string> jobWords = reader.Next("job", 5);
    job.tubeOutput = reader.Float(jobWords[0]);
    job.fsd = reader.Float(jobWords[1]);
    job.fieldLength = reader.Float(jobWords[2]);
    job.fieldWidth = reader.Float(jobWords[3]);
    job.photonCount = reader.Float(jobWords[4]);
    job.resultName = reader.NextText("name");
    const std::vector<std::string> descriptors = reader.Next("descriptors", 6);
    for (std::size_t k = 0; k < 6; ++k) part.tables.spectrum.descriptors[k] = reader.Float(descriptors[k]);
    part.tables.spectrum.lastBin =
        static_cast<int>(reader.Integer(reader.Next("last-bin", 1)[0], Spectrum::kFirstBin - 1, 300));
    const std::vector<std::string> spectrum = reader.Next("spectrum", 300);
    const std::vector<std::string> air = reader.Next("air", 300);
    for (std::size_t i = 1; i <= 300; ++i) {
        part.tables.spectrum.intensity[i] = reader.Float(spectrum[i - 1]);
        part.tables.air.coefficient[i] = reader.Float(air[i - 1]);
    }
    part.largestConversion = reader.Float(reader.Next("conversion-max", 1)[0]);
    const int jobLast = reader.Record();
    std::istringstream lines(text);
    std::string line;
    for (int record = 0; record < jobLast && std::getline(lines, line); ++record)
        if (record >= jobFirst) part.jobText += line + "\n";

    part.histories = reader.Integer(reader.Next("histories", 1)[0], 0, 1LL << 50);
    if (reader.Integer(reader.Next("overflow", 1)[0], 0, 1) == 1)
        reader.Fail(
            "和が計算中に溢れています（結合できません）", "the slice's sums overflowed; it cannot be merged");
    // Each chunk's sum is rounded to a whole step once, by half a step at most, and a part
    // holds no more chunks than histories: one step per history on top. A cell receives at
    // most one score per history, so its sum of squares is bounded by the square of the bound.
    const CellScoreBound bound =
        LargestCellScore(part.tables.air, part.tables.spectrum.lastBin, part.largestConversion);
    const double histories = static_cast<double>(part.histories);
    const double steps = std::ldexp(1.0, ExactGrids::kFractionBits) * histories;
    const double slack = 1.0 + 1e-6;
    reader.Grid("kerma", part.sums->kerma, steps * bound.kerma * slack + histories);
    reader.Grid("dose", part.sums->dose, steps * bound.dose * slack + histories);
    reader.Grid(
        "kerma-squares", part.sums->kermaSquares, steps * bound.kerma * bound.kerma * slack + histories);
    reader.Grid("dose-squares", part.sums->doseSquares, steps * bound.dose * bound.dose * slack + histories);
    if (static_cast<std::size_t>(reader.Record()) != reader.Records())
        reader.Fail("の後に余分な行があります", "unexpected records after the grids");
    return part;
}

} // namespace engine
