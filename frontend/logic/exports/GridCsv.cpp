#include "logic/exports/GridCsv.h"

#include <charconv>
#include <cmath>

#include "logic/text/CsvText.h"

namespace brisca {

namespace {

void AppendNumber(std::string& out, double value)
{
    if (std::isnan(value)) return;
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    out.append(text, end);
}

} // namespace

std::string GridCsvText(const DisplayGrid& grid, HeightLayer layer, const std::vector<std::string>& comments)
{
    std::string out(Utf8ByteOrderMark);
    out.reserve(static_cast<std::size_t>(DisplayGrid::Rows) * DisplayGrid::Columns * 12);
    for (const std::string& comment : comments) {
        out += "# ";
        out += comment;
        out += "\r\n";
    }
    out += "cm";
    for (int c = 1; c <= DisplayGrid::Columns; ++c) {
        out += ',';
        out += std::to_string(20 + c);
    }
    out += "\r\n";
    for (int r = 1; r <= DisplayGrid::Rows; ++r) {
        out += std::to_string(-300 + r);
        for (int c = 1; c <= DisplayGrid::Columns; ++c) {
            out += ',';
            AppendNumber(out, grid.At(layer, c, r));
        }
        out += "\r\n";
    }
    return out;
}

} // namespace brisca
