#include "refiner/fine_file.h"

#include "records/atomic_file.h"
#include "records/field_error.h"
#include "records/field_writer.h"
#include "refiner/result_file.h"
#include "refiner/run_error.h"

#include <optional>

namespace refiner {

namespace {

// Characters of one record with its line end.
constexpr std::size_t kRecordBytes = kFineLateral * kFieldWidth + 2;
// Records gathered before each write: large writes, modest memory.
constexpr std::size_t kRecordsPerWrite = 64;

// Turns a failure to write or replace the file into the RunError that names it.
void ThrowOnFailure(const std::string& fileName, const std::optional<records::ReplaceFailure>& failure)
{
    if (!failure) return;
    const bool create = failure->step == records::ReplaceStep::Create;
    const bool write = failure->step == records::ReplaceStep::Write;
    const char* japanese = create ? "を作成できません" : write ? "を書き込めません" : "を置き換えられません";
    const char* english = create ? "created" : write ? "written" : "replaced";
    throw RunError(records::DescribeFileError(
        fileName, japanese, std::string("cannot be ") + english + " (" + failure->reason + ")"));
}

void AppendLayer(
    std::string& buffer, records::PendingFile& file, const std::string& fileName, const FineLayer& layer)
{
    for (const auto& record : layer.records) {
        AppendFineRecord(buffer, record);
        if (buffer.size() >= kRecordsPerWrite * kRecordBytes) {
            ThrowOnFailure(fileName, file.Append(buffer));
            buffer.clear();
        }
    }
}

} // namespace

void AppendFineRecord(std::string& out, const std::array<float, kFineLateral>& values)
{
    for (const float value : values) {
        records::AppendE(out, value, kFieldWidth, kFieldDecimals);
    }
    out += "\r\n";
}

void WriteFineFile(const std::string& fileName, const FineResult& fine)
{
    records::PendingFile file(fileName);
    std::string buffer;
    buffer.reserve((kRecordsPerWrite + 1) * kRecordBytes);
    for (int h = 0; h < kHeights; ++h) {
        AppendLayer(buffer, file, fileName, fine.kerma[h]);
        AppendLayer(buffer, file, fileName, fine.dose[h]);
    }
    ThrowOnFailure(fileName, file.Append(buffer));
    ThrowOnFailure(fileName, file.Commit());
}

} // namespace refiner
