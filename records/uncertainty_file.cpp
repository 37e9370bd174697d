#include "records/uncertainty_file.h"

#include "records/field_error.h"
#include "records/field_reader.h"
#include "records/line_source.h"
#include "records/read_file.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace records {

namespace {

namespace layout = result_layout;
namespace uncertainty = uncertainty_layout;

constexpr int kFieldWidth = layout::kRate.width;
constexpr int kRowColumns = layout::kGridFields * kFieldWidth;

// A fault already described in full, file and record included.
struct Refusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Hands out the records of one uncertainty file; every fault names the file and the record.
class ErrorRecords {
public:
    ErrorRecords(const std::string& fileName, std::string_view text) : fileName_(fileName)
    {
        source_.SetText(std::string(text));
    }

    [[noreturn]] void Fail(const std::string& japanese, const std::string& english) const
    {
        throw Refusal(DescribeRecordError(fileName_, source_.RecordNumber(), japanese, english));
    }

    std::string_view Next()
    {
        std::string_view record;
        if (!source_.Next(record)) {
            throw Refusal(DescribeRecordError(fileName_, source_.RecordNumber() + 1,
                "がありません: ファイルが途中で終わっています（誤差ファイルは " +
                    std::to_string(layout::kRecords) + " 行です）",
                "missing: the file ends early (an uncertainty file has " + std::to_string(layout::kRecords) +
                    " records)"));
        }
        return record;
    }

    void Label(const char* expected)
    {
        const std::string_view record = Next();
        if (record != expected)
            Fail("は誤差ファイルの「" + std::string(expected) + "」の行ではありません",
                "not the uncertainty file's label '" + std::string(expected) + "'");
    }

    void Layer(ErrorLayer& layer)
    {
        for (auto& row : layer.rows) {
            const std::string_view record = Next();
            if (static_cast<int>(record.size()) < kRowColumns)
                Fail("の長さが " + std::to_string(record.size()) + " 桁しかありません（" +
                         std::to_string(kRowColumns) + " 桁必要です）",
                    "the record holds " + std::to_string(record.size()) + " columns; " +
                        std::to_string(layout::kGridFields) + " fields need " + std::to_string(kRowColumns));
            FieldReader fields(record);
            for (float& value : row) {
                const int column = fields.NextColumn();
                try {
                    value = fields.Single(kFieldWidth, layout::kRate.decimals);
                } catch (const FieldError& error) {
                    Fail(error.Japanese(), error.what());
                }
                // The comparisons are false for NaN, which is refused with the rest.
                if (value == uncertainty::kNotScored ||
                    (value >= 0.0f && value <= uncertainty::kLargestError))
                    continue;
                const std::string columns =
                    std::to_string(column) + "-" + std::to_string(column + kFieldWidth - 1);
                const std::string text =
                    EchoText(record.substr(static_cast<std::size_t>(column - 1), kFieldWidth));
                Fail(columns + " 桁目「" + text +
                         "」は 0 から 100 % の相対誤差でも、未計数の印 -1 でもありません",
                    "columns " + columns + ": '" + text +
                        "' is neither a relative error from 0 to 100 % nor the mark -1 of a cell without "
                        "score");
            }
        }
    }

private:
    const std::string& fileName_;
    LineSource source_;
};

// Reads the geometry code of record 1, which must carry the uncertainty file's title.
int Heading(ErrorRecords& records)
{
    const std::string_view record = records.Next();
    const std::string_view code = record.substr(0, std::min<std::size_t>(3, record.size()));
    if ((code != "  1" && code != "  2") || record.substr(code.size()) != uncertainty::kTitle)
        records.Fail("は誤差ファイルの見出し（配置コードと「" + std::string(uncertainty::kTitle) +
                         "」）ではありません（結果ファイルではありませんか）",
            "not the heading of an uncertainty file (a geometry code and '" +
                std::string(uncertainty::kTitle) + "'); is it a result file?");
    return code[2] - '0';
}

// The 10 cm cells that the refined value at fine index `fine` (0-based from the grid's
// first scored node, 1 cm apart) is interpolated from, along one axis: the node itself on a
// node, else the two around it; beyond the last node, the last node.
struct Nodes {
    int first; // index of the first node
    int count; // 1 or 2
};

Nodes NodesOf(int fine, int firstNode, int lastNode)
{
    const int node = firstNode + fine / 10;
    if (node >= lastNode) return {lastNode, 1};
    return {node, fine % 10 == 0 ? 1 : 2};
}

} // namespace

std::string UncertaintyFileName(std::string_view resultName)
{
    std::string name(resultName);
    for (const std::string_view ending : {".dsr5", ".dsrC"}) {
        if (name.size() > ending.size() && name.ends_with(ending)) {
            name.back() = 'E';
            return name;
        }
    }
    return name + ".dsrE";
}

std::string ReadUncertaintyFile(const std::string& path, RelativeErrors& errors)
{
    std::string text;
    if (const auto failure = ReadWholeFile(path, text))
        return DescribeFileError(path, failure->japanese, failure->english);
    return ReadUncertaintyText(path, text, errors);
}

std::string ReadUncertaintyText(const std::string& fileName, std::string_view text, RelativeErrors& errors)
{
    // Read into a copy, so that a refused file leaves the caller's errors as they were.
    const auto read = std::make_unique<RelativeErrors>();
    try {
        ErrorRecords records(fileName, text);
        read->geometryCode = Heading(records);
        for (int k = 1; k < layout::kHeaderRecords; ++k) records.Next();
        for (int h = 0; h < layout::kHeights; ++h) {
            records.Next(); // the height, as in the result file
            records.Label(uncertainty::kKermaLabel);
            records.Layer(read->kerma[static_cast<std::size_t>(h)]);
            records.Label(uncertainty::kDoseLabel);
            records.Layer(read->dose[static_cast<std::size_t>(h)]);
        }
    } catch (const Refusal& refusal) {
        return refusal.what();
    }
    errors = *read;
    return {};
}

float FineRelativeError(const ErrorLayers& layers, int layer, int column, int row)
{
    constexpr int kColumns = 381;
    constexpr int kRows = 601;
    if (layer < 1 || layer > layout::kHeights || column < 1 || column > kColumns || row < 1 || row > kRows)
        return uncertainty::kNotScored;
    const ErrorLayer& grid = layers[static_cast<std::size_t>(layer - 1)];
    // Column c lies at 20 + c cm, 2 + c/10 nodes from 0 cm; row r at -300 + r cm, r/10 nodes
    // from -300 cm.
    const Nodes lateral = NodesOf(column, 2, layout::kGridFields - 1);
    const Nodes along = NodesOf(row, 0, layout::kGridRecords - 1);
    float largest = 0.0f;
    for (int b = along.first; b < along.first + along.count; ++b) {
        for (int i = lateral.first; i < lateral.first + lateral.count; ++i) {
            const float error = grid.rows[static_cast<std::size_t>(b)][static_cast<std::size_t>(i)];
            if (error == uncertainty::kNotScored) return uncertainty::kNotScored;
            largest = std::max(largest, error);
        }
    }
    return largest;
}

} // namespace records
