#include "logic/start/ResultNameCheck.h"

#include "logic/start/JobFile.h"
#include "records/utf8_cut.h"

namespace brisca {

namespace {

// Characters as the engine counts them when it cuts the name: UTF-8 code points.
std::size_t CodePoints(const std::string& text)
{
    std::size_t count = 0;
    for (const char ch : text) count += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    return count;
}

} // namespace

std::optional<Problem> CheckResultName(const std::string& name)
{
    if (name.empty()) return TranslatedProblem(ResultNameWarning, "Enter a name for the result file.");
    if (name.find_first_not_of(' ') == std::string::npos)
        return TranslatedProblem(" 結果保存ファイル名が空白だけです。文字を入力して下さい ",
            "The result file name is only blanks. Enter a name.");
    if (name.find_first_of("/\\") != std::string::npos)
        return TranslatedProblem(
            " 結果保存ファイル名に「/」や「\\」は使えません ", "The result file name cannot hold / or \\.");
    // A control character cannot stand in a file name here, and a line end would split the
    // job file's name record.
    for (const char ch : name) {
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F)
            return TranslatedProblem(
                " 結果保存ファイル名にファイル名として使えない文字（制御文字）が含まれています ",
                "The result file name holds a control character, which a file name cannot hold.");
    }
    if (name == "." || name == "..")
        return TranslatedProblem(" 結果保存ファイル名に「.」や「..」だけの名前は使えません ",
            "The result file name cannot be . or .. alone.");

    // The engine keeps only the first characters of the name record; a longer name would
    // lose its extension, and the result list would never show the file.
    const std::string fileName = name + ResultExtension;
    if (records::FirstCodePoints(fileName, ResultFileNameLength) != fileName) {
        const std::size_t allowed = ResultFileNameLength - CodePoints(ResultExtension);
        return TranslatedProblem(" 結果保存ファイル名は拡張子なしで " + std::to_string(allowed) +
                                     " 文字以内にして下さい（" + std::to_string(CodePoints(name)) +
                                     " 文字あります） ",
            "The result file name may have at most " + std::to_string(allowed) +
                " characters without its extension (it has " + std::to_string(CodePoints(name)) + ").");
    }
    return std::nullopt;
}

} // namespace brisca
