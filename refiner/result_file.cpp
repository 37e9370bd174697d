#include "refiner/result_file.h"

#include "records/field_error.h"
#include "records/field_reader.h"
#include "records/line_source.h"
#include "records/read_file.h"
#include "records/result_layout.h"
#include "refiner/run_error.h"

#include <cmath>

namespace refiner {

namespace {

constexpr int kRowColumns = kCoarseLateral * kFieldWidth;

// Hands out the records of a result file, turning every fault into a RunError that names
// the file and the record.
class ResultRecords {
public:
    // Reads the records from `text`, read from the file of that name.
    ResultRecords(const std::string& fileName, std::string text) : fileName_(fileName)
    {
        source_.SetText(std::move(text));
    }

    void Skip(int count)
    {
        std::string_view record;
        for (int k = 0; k < count; ++k) {
            Next(record);
        }
    }

    void ReadLayer(CoarseLayer& layer)
    {
        std::string_view record;
        for (auto& row : layer.rows) {
            Next(record);
            try {
                ReadGridRow(record, row);
            } catch (const records::FieldError& error) {
                throw RunError(records::DescribeRecordError(
                    fileName_, source_.RecordNumber(), error.Japanese(), error.what()));
            }
        }
    }

private:
    void Next(std::string_view& record)
    {
        if (!source_.Next(record)) {
            throw RunError(records::DescribeRecordError(fileName_, source_.RecordNumber() + 1,
                "ありません: ファイルが途中で終わっています（結果ファイルは " +
                    std::to_string(kResultRecords) + " 行です）",
                "missing: the file ends early (a result file has " + std::to_string(kResultRecords) +
                    " records)"));
        }
    }

    const std::string& fileName_;
    records::LineSource source_;
};

} // namespace

void ReadGridRow(std::string_view record, std::array<float, kCoarseLateral>& row)
{
    // A record cut short would otherwise read as blank fields, that is as zero dose.
    if (static_cast<int>(record.size()) < kRowColumns) {
        throw records::FieldError("行の長さが " + std::to_string(record.size()) + " 桁しかありません（" +
                                      std::to_string(kRowColumns) + " 桁必要です）",
            "the record holds " + std::to_string(record.size()) + " columns; " +
                std::to_string(kCoarseLateral) + " fields of " + std::to_string(kFieldWidth) +
                " columns need " + std::to_string(kRowColumns));
    }
    records::FieldReader fields(record);
    for (auto& value : row) {
        const int column = fields.NextColumn();
        value = fields.Single(kFieldWidth, kFieldDecimals);
        if (std::fabs(value) > kLargestRate) {
            const std::string columns =
                std::to_string(column) + "-" + std::to_string(column + kFieldWidth - 1);
            const std::string text =
                records::EchoText(record.substr(static_cast<std::size_t>(column - 1), kFieldWidth));
            throw records::FieldError(columns + " 桁目「" + text + "」は線量率として大きすぎます",
                "columns " + columns + ": '" + text + "' is beyond any dose rate");
        }
    }
}

void ReadResultFile(const std::string& fileName, CoarseResult& result)
{
    std::string text;
    if (const auto failure = records::ReadWholeFile(fileName, text))
        throw RunError(records::DescribeFileError(fileName, failure->japanese, failure->english));
    ReadResultText(fileName, std::move(text), result);
}

void ReadResultText(const std::string& fileName, std::string text, CoarseResult& result)
{
    ResultRecords file(fileName, std::move(text));
    // The header and the height and unit labels carry nothing the refiner needs.
    file.Skip(records::result_layout::kHeaderRecords);
    for (int h = 0; h < kHeights; ++h) {
        file.Skip(2); // height label, kerma unit label
        file.ReadLayer(result.kerma[h]);
        file.Skip(1); // dose unit label
        file.ReadLayer(result.dose[h]);
    }
}

} // namespace refiner
