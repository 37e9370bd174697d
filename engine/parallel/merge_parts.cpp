#include "engine/parallel/merge_parts.h"

#include "engine/input_error.h"
#include "engine/parallel/partial_result.h"
#include "engine/result_file.h"
#include "engine/scoring.h"
#include "records/atomic_file.h"
#include "records/exit_status.h"
#include "records/field_error.h"
#include "records/file_names.h"
#include "records/read_file.h"
#include "records/uncertainty_file.h"

#include <filesystem>
#include <map>
#include <memory>
#include <ostream>
#include <stdexcept>

namespace engine {

namespace {

// Why the parts cannot be merged; the message is complete.
struct Refusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

PartialResult ReadPart(const std::string& name)
{
    std::string text;
    if (const auto failure = records::ReadWholeFile(name, text))
        throw Refusal(records::DescribeFileError(name, failure->japanese, failure->english));
    try {
        return ParsePartial(name, text);
    } catch (const InputError& e) {
        throw Refusal(e.what());
    }
}

// The parts in slice order, each slice present exactly once.
std::vector<const PartialResult*> CheckCoverage(
    const std::vector<std::string>& names, const std::vector<PartialResult>& parts)
{
    const PartialResult& first = parts.front();
    std::map<int, std::size_t> bySlice;
    for (std::size_t p = 0; p < parts.size(); ++p) {
        const PartialResult& part = parts[p];
        if (part.jobText != first.jobText || part.geometryCode != first.geometryCode)
            throw Refusal(records::DescribeFileError(names[p],
                "は " + names[0] + " と別の計算（ジョブ・シード・スペクトル・データ表）の部分です",
                "belongs to another job, seed, spectrum or set of tables than " + names[0]));
        if (part.slice.count != first.slice.count)
            throw Refusal(records::DescribeFileError(names[p],
                "の分割数 " + std::to_string(part.slice.count) + " が " + names[0] + " の " +
                    std::to_string(first.slice.count) + " と違います",
                "is one of " + std::to_string(part.slice.count) + " slices, " + names[0] + " one of " +
                    std::to_string(first.slice.count)));
        const auto [at, inserted] = bySlice.emplace(part.slice.index, p);
        if (!inserted)
            throw Refusal(records::DescribeFileError(names[p],
                "はスライス " + std::to_string(part.slice.index) + " で、" + names[at->second] +
                    " と重複しています",
                "holds slice " + std::to_string(part.slice.index) + ", as " + names[at->second] + " does"));
    }
    std::vector<const PartialResult*> ordered;
    for (int k = 1; k <= first.slice.count; ++k) {
        const auto found = bySlice.find(k);
        if (found == bySlice.end()) {
            const std::string which = std::to_string(k) + " / " + std::to_string(first.slice.count);
            throw Refusal(
                "スライス " + which + " の部分結果がありません [no part holds slice " + which + "]");
        }
        ordered.push_back(&parts[found->second]);
    }
    return ordered;
}

// Refuses a result that would replace one of the parts or an engine input, as the engines
// refuse such a result name: the merge would destroy what it reads, or every later run.
void CheckOutName(const std::vector<std::string>& names, const std::string& out)
{
    const std::string file = std::filesystem::path(out).filename().string();
    const std::string echo = records::EchoText(file);
    for (const char* input : {records::kInteractionTableFile, records::kAirTableFile,
             records::kConversionTableFile, records::kJobFile, records::kSpectrumFile}) {
        if (file == input)
            throw Refusal("結果ファイル名「" + echo + "」は計算の入力ファイルと同じです [result file name '" +
                          echo + "' is one of the engine's input files]");
    }
    // The same file by another spelling, or by another link to it, counts as the same.
    std::error_code outError;
    const std::filesystem::path target = std::filesystem::weakly_canonical(out, outError);
    for (const std::string& name : names) {
        std::error_code partError;
        std::error_code ignored;
        const std::filesystem::path part = std::filesystem::weakly_canonical(name, partError);
        if ((!outError && !partError && part == target) || std::filesystem::equivalent(name, out, ignored)) {
            const std::string partFile = records::EchoText(std::filesystem::path(name).filename().string());
            throw Refusal("結果ファイル名「" + echo + "」は部分結果 " + partFile +
                          " と同じファイルです [result file name '" + echo + "' is the part " + partFile +
                          "]");
        }
    }
}

} // namespace

int MergeParts(const std::vector<std::string>& names, const std::string& out, std::ostream& messages)
{
    try {
        if (names.empty()) throw Refusal("部分結果が指定されていません [no partial results given]");
        // The uncertainty file is written beside the result: it must not replace a part or
        // an input either.
        CheckOutName(names, out);
        CheckOutName(names, records::UncertaintyFileName(out));
        std::vector<PartialResult> parts;
        for (const std::string& name : names) parts.push_back(ReadPart(name));
        const std::vector<const PartialResult*> ordered = CheckCoverage(names, parts);

        const Tables& tables = parts.front().tables;
        ExactGrids& sums = *parts.front().sums;
        long long histories = parts.front().histories;
        for (std::size_t k = 1; k < parts.size(); ++k) {
            sums.Add(*parts[k].sums);
            histories += parts[k].histories;
        }
        if (histories != JobHistories(tables))
            throw Refusal("部分結果の履歴数の合計 " + std::to_string(histories) + " がジョブの " +
                          std::to_string(JobHistories(tables)) + " と合いません [the parts ran " +
                          std::to_string(histories) + " histories, the job has " +
                          std::to_string(JobHistories(tables)) + "]");

        const EngineGeometry& geometry = ordered.front()->geometryCode == kStandingGeometry.geometryCode
                                             ? kStandingGeometry
                                             : kSupineGeometry;
        auto grids = std::make_unique<Grids>();
        sums.ToGrids(*grids);
        const std::string uncertainty = FormatUncertainty(tables, geometry, *grids, histories);
        Normalise(tables, *grids);
        const std::string content = FormatResult(tables, geometry, *grids, histories);
        if (const auto failure = WriteResultFiles(out, content, uncertainty)) throw Refusal(*failure);
        messages << out << " を書き込みました（" << parts.size() << " 個の部分結果から） [" << out
                 << " written from " << parts.size() << " parts]\n";
        return records::kExitDone;
    } catch (const std::runtime_error& e) {
        messages << e.what() << '\n';
        return records::kExitRefused;
    }
}

} // namespace engine
