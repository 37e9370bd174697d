#include "refiner/fine_file.h"

#include "records/field_writer.h"
#include "refiner/pending_file.h"
#include "refiner/result_file.h"

namespace refiner {

namespace {

// Characters of one record with its line end.
constexpr std::size_t kRecordBytes = kFineLateral * kFieldWidth + 2;
// Records gathered before each write: large writes, modest memory.
constexpr std::size_t kRecordsPerWrite = 64;

void AppendLayer(std::string& buffer, PendingFile& file, const FineLayer& layer)
{
    for (const auto& record : layer.records) {
        AppendFineRecord(buffer, record);
        if (buffer.size() >= kRecordsPerWrite * kRecordBytes) {
            file.Write(buffer);
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
    PendingFile file(fileName);
    std::string buffer;
    buffer.reserve((kRecordsPerWrite + 1) * kRecordBytes);
    for (int h = 0; h < kHeights; ++h) {
        AppendLayer(buffer, file, fine.kerma[h]);
        AppendLayer(buffer, file, fine.dose[h]);
    }
    file.Write(buffer);
    file.Commit();
}

} // namespace refiner
