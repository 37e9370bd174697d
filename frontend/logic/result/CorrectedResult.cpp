#include "logic/result/CorrectedResult.h"

#include <cmath>

#include "logic/files/AtomicWrite.h"
#include "logic/text/FreeFormatReader.h"
#include "logic/text/NumberText.h"
#include "records/field_error.h"
#include "records/result_layout.h"

namespace brisca {

namespace layout = records::result_layout;

namespace {

// A result file read the way the correction needs it: whole lines to copy, and numbers taken
// free-format across line ends in between.
class SourceLines {
public:
    SourceLines(std::string name, std::string text) : name_(std::move(name)), text_(std::move(text)) { }

    // The rest of the current line without its line end; a problem past the end of the file.
    Expected<std::string_view> NextLine()
    {
        if (position_ >= text_.size()) return EndedEarly();
        std::size_t end = text_.find('\n', position_);
        const std::size_t next = end == std::string::npos ? text_.size() : end + 1;
        if (end == std::string::npos) end = text_.size();
        if (end > position_ && text_[end - 1] == '\r') --end;
        const std::string_view line = std::string_view(text_).substr(position_, end - position_);
        position_ = next;
        ++line_;
        return line;
    }

    // The next number, wherever its line breaks; a problem at the end of the file or at a
    // field that is not a number.
    Expected<double> NextValue()
    {
        while (position_ < text_.size() && IsSeparator(text_[position_])) Advance();
        const std::size_t start = position_;
        while (position_ < text_.size() && !IsSeparator(text_[position_])) ++position_;
        const std::string_view field = std::string_view(text_).substr(start, position_ - start);
        // A value not followed by its line end may be cut off: the file ends early.
        if (position_ >= text_.size()) return EndedEarly();
        if (const std::optional<double> number = ParseNumberField(field)) return *number;
        const std::string shown = records::EchoText(field);
        return HereProblem("「" + shown + "」は数値ではありません", "\"" + shown + "\" is not a number");
    }

    // Ends the line of the last value: only blanks may follow it, so that the next copied line
    // is a line of its own and not values left over from a differently shaped block.
    std::optional<Problem> EndLine()
    {
        while (position_ < text_.size() && (text_[position_] == ' ' || text_[position_] == '\t' ||
                                               text_[position_] == '\r' || text_[position_] == ','))
            ++position_;
        if (position_ < text_.size() && text_[position_] != '\n') {
            const std::string block = std::to_string(layout::kGridRecords * layout::kGridFields);
            return HereProblem("値が多すぎます（1 ブロックは " + block + " 個です）",
                "too many values (a block holds " + block + ")");
        }
        if (position_ < text_.size()) Advance();
        return std::nullopt;
    }

private:
    static bool IsSeparator(char c) { return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n'; }

    void Advance()
    {
        if (text_[position_++] == '\n') ++line_;
    }

    Problem EndedEarly() const
    {
        const std::string lines = std::to_string(line_);
        const std::string expected = std::to_string(layout::kRecords);
        return FileProblem(name_,
            "が途中で終わっています（" + lines + " 行目まで。結果ファイルは " + expected + " 行です）",
            "the file ends after line " + lines + "; a result file has " + expected + " lines");
    }

    // A problem of the line being read.
    Problem HereProblem(std::string japanese, std::string english) const
    {
        return RecordProblem(name_, line_ + 1, std::move(japanese), std::move(english));
    }

    std::string name_;         // file name for messages
    std::string text_;         // the whole file
    std::size_t position_ = 0; // next character to read
    int line_ = 0;             // lines wholly consumed so far
};

// One scaled value in the result file's pattern "0.000E+00", to be placed in an 11-column
// field; nothing when it does not fit there or the refiner would refuse it.
std::optional<std::string> ScaledText(double value, double factor)
{
    const double scaled = value * factor;
    if (!(std::fabs(scaled) <= layout::kLargestRate)) return std::nullopt;
    std::string text = FormatNumber(scaled, "0.000E+00");
    // A three-digit exponent would push every later field of the record out of the columns
    // where the refiner reads them.
    if (text.size() != 9) return std::nullopt;
    return text;
}

// Why a scaled value cannot be written.
Problem UnfitValue(const std::string& name, double value, double factor)
{
    const std::string text = FormatNumber(value * factor, "0.000E+00");
    const std::string largest = FormatNumber(layout::kLargestRate, "0.0E+00");
    return FileProblem(name,
        "の補正後の値 " + text + " が結果ファイルの欄に収まりません（" + largest +
            " 以下で 1E-99 以上の値しか書けません。実測値を確かめて下さい）",
        "the corrected value " + text + " does not fit the file's 11-column field (at most " + largest + ")");
}

// The measured text as a warning quotes it.
std::string Quoted(std::string_view text) { return "「" + records::EchoText(text) + "」"; }
std::string EnglishQuoted(std::string_view text) { return "\"" + records::EchoText(text) + "\""; }

// Copies `count` lines of `source` into `out`.
std::optional<Problem> CopyLines(SourceLines& source, int count, std::string& out)
{
    for (int n = 0; n < count; ++n) {
        const Expected<std::string_view> line = source.NextLine();
        if (!line) return line.Failure();
        out.append(*line).append("\r\n");
    }
    return std::nullopt;
}

// Reads one grid of 61 × 41 values and writes it scaled, 41 fields of "  0.000E+00" a line.
std::optional<Problem> ScaleGrid(
    SourceLines& source, const std::string& name, double factor, std::string& out)
{
    for (int row = 0; row < layout::kGridRecords; ++row) {
        for (int field = 0; field < layout::kGridFields; ++field) {
            const Expected<double> value = source.NextValue();
            if (!value) return value.Failure();
            const std::optional<std::string> text = ScaledText(*value, factor);
            if (!text) return UnfitValue(name, *value, factor);
            out.append("  ").append(*text);
        }
        out.append("\r\n");
    }
    return source.EndLine();
}

// The corrected copy of the result file `source`, or the problem that names its line.
Expected<std::string> CorrectedText(const std::filesystem::path& source, double factor)
{
    const std::string name = source.filename().string();
    Expected<std::string> text = ReadTextFile(source);
    if (!text) return text.Failure();
    SourceLines lines(name, std::move(*text));
    std::string out;
    out.reserve(static_cast<std::size_t>(layout::kRecords) * (layout::kGridFields * layout::kRate.width + 2));

    const auto build = [&]() -> std::optional<Problem> {
        // The geometry code, then the free-air kerma rate, which scales with the dose.
        if (auto problem = CopyLines(lines, 1, out)) return problem;
        const Expected<double> kermaRate = lines.NextValue();
        if (!kermaRate) return kermaRate.Failure();
        if (auto problem = lines.EndLine()) return problem;
        const std::optional<std::string> scaled = ScaledText(*kermaRate, factor);
        if (!scaled) return UnfitValue(name, *kermaRate, factor);
        out.append(*scaled).append("\r\n");
        if (auto problem = CopyLines(lines, layout::kHeaderRecords - 2, out)) return problem;
        for (int height = 0; height < layout::kHeights; ++height) {
            if (auto problem = CopyLines(lines, 2, out)) return problem;
            if (auto problem = ScaleGrid(lines, name, factor, out)) return problem;
            if (auto problem = CopyLines(lines, 1, out)) return problem;
            if (auto problem = ScaleGrid(lines, name, factor, out)) return problem;
        }
        return std::nullopt;
    };
    if (auto problem = build()) return *problem;
    return out;
}

} // namespace

std::string CorrectedFileName(std::string_view sourceName)
{
    std::string name(sourceName);
    // The last character, not the last byte, of a name in UTF-8.
    while (!name.empty() && (static_cast<unsigned char>(name.back()) & 0xC0) == 0x80) name.pop_back();
    if (!name.empty()) name.pop_back();
    return name + "C";
}

Expected<double> MeasuredValueOf(std::string_view text)
{
    // Blanks around the number, ideographic spaces (U+3000) among them, do not count.
    constexpr std::string_view wideSpace = "\u3000";
    for (bool trimmed = true; trimmed;) {
        trimmed = true;
        if (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
            text.remove_prefix(1);
        else if (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
            text.remove_suffix(1);
        else if (text.starts_with(wideSpace))
            text.remove_prefix(wideSpace.size());
        else if (text.ends_with(wideSpace))
            text.remove_suffix(wideSpace.size());
        else
            trimmed = false;
    }
    if (text.empty()) return TranslatedProblem(NoMeasuredValueWarning, "Enter the measured value.");
    if (!ReadsAsNumber(text))
        return TranslatedProblem(" 実測値" + Quoted(text) +
                                     "は数値として読めません（半角の数字で数値を 1 つだけ入力して下さい。"
                                     "小数点は「.」です） ",
            "The measured value " + EnglishQuoted(text) +
                " is not a number (enter one number in ASCII digits, with a full stop for decimals).");
    const double measured = LeadingNumber(text);
    if (!std::isfinite(measured))
        return TranslatedProblem(" 実測値" + Quoted(text) + "は大きすぎます ",
            "The measured value " + EnglishQuoted(text) + " is too large.");
    if (!(measured > 0.0))
        return TranslatedProblem(" 実測値" + Quoted(text) + "は 0 より大きい値にして下さい ",
            "The measured value " + EnglishQuoted(text) + " must be above 0.");
    return measured;
}

Expected<double> CorrectionFactorOf(std::string_view measuredText, std::string_view currentText)
{
    const Expected<double> measured = MeasuredValueOf(measuredText);
    if (!measured) return measured.Failure();
    const double current = LeadingNumber(currentText);
    if (current == 0.0)
        return TranslatedProblem(ZeroCurrentValueWarning,
            "The current value is 0, so no correction is possible (a point calculated as 0 cannot be "
            "corrected by a measurement).");
    const double factor = *measured / current;
    // A negative dose rate has no meaning, and its minus sign would not fit the file's fields.
    if (!std::isfinite(factor) || !(factor > 0.0))
        return TranslatedProblem(" 実測値" + Quoted(measuredText) + "と現在値 " + std::string(currentText) +
                                     " の比が大きすぎるか小さすぎて補正できません ",
            "The ratio of the measured value " + EnglishQuoted(measuredText) + " to the current value " +
                std::string(currentText) + " is too large or too small to correct by.");
    return factor;
}

std::optional<Problem> WriteCorrectedResult(
    const std::filesystem::path& source, const std::filesystem::path& target, double factor)
{
    const Expected<std::string> text = CorrectedText(source, factor);
    if (!text) return text.Failure();
    return WriteTextFileAtomically(target, *text);
}

Expected<std::string> CorrectResultFile(const std::filesystem::path& folder, const std::string& sourceName,
    const CorrectionNote& note, const std::function<bool(const std::string&)>& replaceExisting)
{
    const std::string target = CorrectedFileName(sourceName);
    // The copy of a corrected file would bear its own name and replace it while it is read.
    if (target == sourceName)
        return FileProblem(sourceName,
            "は補正済みのファイルです（補正後のファイル名が元のファイルと同じになるため補正できません）",
            "the file is a corrected result: its copy would bear its own name");
    const Expected<std::string> text = CorrectedText(folder / sourceName, note.factor);
    if (!text) return text.Failure();
    if (replaceExisting && std::filesystem::exists(folder / target) && !replaceExisting(target))
        return std::string();
    if (auto problem = WriteTextFileAtomically(folder / target, *text)) return *problem;
    // A copy without its note would show as an uncorrected result.
    if (auto problem =
            WriteTextFileAtomically(folder / CorrectionNoteName(target), CorrectionNoteText(note))) {
        std::error_code ignored;
        std::filesystem::remove(folder / target, ignored);
        return *problem;
    }
    return target;
}

} // namespace brisca
