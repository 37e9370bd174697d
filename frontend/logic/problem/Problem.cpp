#include "logic/problem/Problem.h"

#include <filesystem>

#include "logic/text/Language.h"
#include "records/field_error.h"

namespace brisca {

Problem PlainProblem(std::string japanese, std::string english)
{
    return {{}, 0, std::move(japanese), std::move(english)};
}

Problem TranslatedProblem(std::string japanese, std::string english)
{
    return {{}, 0, std::move(japanese), std::move(english), true};
}

Problem FileProblem(std::string file, std::string japanese, std::string english)
{
    return {std::move(file), 0, std::move(japanese), std::move(english)};
}

Problem RecordProblem(std::string file, int record, std::string japanese, std::string english)
{
    return {std::move(file), record, std::move(japanese), std::move(english)};
}

namespace {

// The English detail alone, with its file and record: what the English interface shows.
std::string EnglishText(const Problem& problem)
{
    if (problem.file.empty()) return problem.english;
    const std::string name = records::EchoText(std::filesystem::path(problem.file).filename().string());
    if (problem.record > 0)
        return name + ", record " + std::to_string(problem.record) + ": " + problem.english;
    return name + ": " + problem.english;
}

} // namespace

std::string MessageText(const Problem& problem)
{
    if (MessageLanguage() == Language::English && !problem.english.empty()) return EnglishText(problem);
    if (problem.englishTranslates) return problem.japanese;
    return BilingualText(problem);
}

std::string BilingualText(const Problem& problem)
{
    if (problem.file.empty())
        return problem.english.empty() ? problem.japanese : problem.japanese + " [" + problem.english + "]";
    if (!problem.english.empty())
        return problem.record > 0
                   ? records::DescribeRecordError(
                         problem.file, problem.record, problem.japanese, problem.english)
                   : records::DescribeFileError(problem.file, problem.japanese, problem.english);
    // The same shape as the engines' messages, without the English part.
    const std::string name = records::EchoText(std::filesystem::path(problem.file).filename().string());
    if (problem.record > 0)
        return name + " の " + std::to_string(problem.record) + " 行目: " + problem.japanese;
    return name + " " + problem.japanese;
}

} // namespace brisca
