#include "logic/result/CorrectedResult.h"

#include <cmath>

#include "logic/files/AtomicWrite.h"
#include "logic/text/FreeFormatReader.h"
#include "logic/text/NumberText.h"
#include "records/result_layout.h"

namespace brisca {

namespace layout = records::result_layout;

namespace {

// A result file read the way the correction needs it: whole lines to copy, and numbers taken
// free-format across line ends in between.
class SourceLines {
public:
    SourceLines(std::string name, std::string text) : name_(std::move(name)), text_(std::move(text)) { }

    // The rest of the current line without its line end; false past the end of the file.
    bool NextLine(std::string_view& line)
    {
        if (position_ >= text_.size()) return Fail(EndedEarly());
        std::size_t end = text_.find('\n', position_);
        const std::size_t next = end == std::string::npos ? text_.size() : end + 1;
        if (end == std::string::npos) end = text_.size();
        if (end > position_ && text_[end - 1] == '\r') --end;
        line = std::string_view(text_).substr(position_, end - position_);
        position_ = next;
        ++line_;
        return true;
    }

    // The next number, wherever its line breaks; false at the end of the file or at a field
    // that is not a number.
    bool NextValue(double& value)
    {
        while (position_ < text_.size() && IsSeparator(text_[position_])) Advance();
        const std::size_t start = position_;
        while (position_ < text_.size() && !IsSeparator(text_[position_])) ++position_;
        const std::string_view field = std::string_view(text_).substr(start, position_ - start);
        // A value not followed by its line end may be cut off: the file ends early.
        if (position_ >= text_.size()) return Fail(EndedEarly());
        if (!ParseNumberField(field, value))
            return Fail(Where() + "「" + std::string(field) + "」は数値ではありません");
        return true;
    }

    // Ends the line of the last value: only blanks may follow it, so that the next copied line
    // is a line of its own and not values left over from a differently shaped block.
    bool EndLine()
    {
        while (position_ < text_.size() && (text_[position_] == ' ' || text_[position_] == '\t' ||
                                               text_[position_] == '\r' || text_[position_] == ','))
            ++position_;
        if (position_ < text_.size() && text_[position_] != '\n')
            return Fail(Where() + "値が多すぎます（1 ブロックは " +
                        std::to_string(layout::kGridRecords * layout::kGridFields) + " 個です）");
        if (position_ < text_.size()) Advance();
        return true;
    }

    // What went wrong last.
    const std::string& Error() const { return error_; }

private:
    static bool IsSeparator(char c) { return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n'; }

    void Advance()
    {
        if (text_[position_++] == '\n') ++line_;
    }

    std::string EndedEarly() const
    {
        return name_ + " が途中で終わっています（" + std::to_string(line_) + " 行目まで。結果ファイルは " +
               std::to_string(layout::kRecords) + " 行です）";
    }

    std::string Where() const { return name_ + " の " + std::to_string(line_ + 1) + " 行目: "; }

    bool Fail(std::string message)
    {
        error_ = std::move(message);
        return false;
    }

    std::string name_;         // file name for messages
    std::string text_;         // the whole file
    std::size_t position_ = 0; // next character to read
    int line_ = 0;             // lines wholly consumed so far
    std::string error_;        // message of the last failure
};

// One scaled value in the result file's pattern "0.000E+00", to be placed in an 11-column
// field; false, with the reason in `error`, when it does not fit there.
bool ScaledText(double value, double factor, std::string& text, std::string& error)
{
    text = FormatNumber(value * factor, "0.000E+00");
    // A three-digit exponent would push every later field of the record out of the columns
    // where the refiner reads them.
    if (text.size() == 9) return true;
    error = "補正後の値 " + text + " が結果ファイルの欄に収まりません";
    return false;
}

// Copies `count` lines of `source` into `out`.
bool CopyLines(SourceLines& source, int count, std::string& out)
{
    std::string_view line;
    for (int n = 0; n < count; ++n) {
        if (!source.NextLine(line)) return false;
        out.append(line).append("\r\n");
    }
    return true;
}

// Reads one grid of 61 × 41 values and writes it scaled, 41 fields of "  0.000E+00" a line.
bool ScaleGrid(SourceLines& source, double factor, std::string& out, std::string& error)
{
    std::string text;
    for (int row = 0; row < layout::kGridRecords; ++row) {
        for (int field = 0; field < layout::kGridFields; ++field) {
            double value = 0.0;
            if (!source.NextValue(value)) return false;
            if (!ScaledText(value, factor, text, error)) return false;
            out.append("  ").append(text);
        }
        out.append("\r\n");
    }
    return source.EndLine();
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

CorrectionFactor CorrectionFactorOf(std::string_view measuredText, std::string_view currentText)
{
    if (!StartsWithNumber(measuredText)) return {0.0, FactorRefusal::NoMeasuredValue};
    const double current = LeadingNumber(currentText);
    if (current == 0.0) return {0.0, FactorRefusal::ZeroCurrentValue};
    const double measured = LeadingNumber(measuredText);
    const double factor = measured / current;
    // A negative dose rate has no meaning, and its minus sign would not fit the file's fields.
    if (measured < 0.0 || !std::isfinite(factor) || factor < 0.0)
        return {0.0, FactorRefusal::UnusableMeasured};
    return {factor, FactorRefusal::None};
}

std::string WriteCorrectedResult(
    const std::filesystem::path& source, const std::filesystem::path& target, double factor)
{
    const std::string name = source.filename().string();
    std::string text;
    if (!ReadTextFile(source, text)) return name + " を開けません";
    SourceLines lines(name, std::move(text));
    std::string out;
    out.reserve(static_cast<std::size_t>(layout::kRecords) * (layout::kGridFields * layout::kRate.width + 2));

    std::string error;
    const auto build = [&] {
        // The geometry code, then the free-air kerma rate, which scales with the dose.
        if (!CopyLines(lines, 1, out)) return false;
        double kermaRate = 0.0;
        std::string scaled;
        if (!lines.NextValue(kermaRate) || !lines.EndLine()) return false;
        if (!ScaledText(kermaRate, factor, scaled, error)) return false;
        out.append(scaled).append("\r\n");
        if (!CopyLines(lines, layout::kHeaderRecords - 2, out)) return false;
        for (int height = 0; height < layout::kHeights; ++height) {
            if (!CopyLines(lines, 2, out) || !ScaleGrid(lines, factor, out, error)) return false;
            if (!CopyLines(lines, 1, out) || !ScaleGrid(lines, factor, out, error)) return false;
        }
        return true;
    };
    if (!build()) return error.empty() ? lines.Error() : name + ": " + error;
    return WriteTextFileAtomically(target, out);
}

std::string CorrectResultFile(const std::filesystem::path& folder, const std::string& sourceName,
    double factor, std::string& correctedName)
{
    const std::string target = CorrectedFileName(sourceName);
    // The copy of a corrected file would bear its own name and replace it while it is read.
    if (target == sourceName)
        return sourceName +
               " は補正済みのファイルです（補正後のファイル名が元のファイルと同じになるため補正できません）";
    const std::string error = WriteCorrectedResult(folder / sourceName, folder / target, factor);
    if (error.empty()) correctedName = target;
    return error;
}

} // namespace brisca
