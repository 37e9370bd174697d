#include "table_reader.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tabletest {

std::string DataPath(const std::string& name) { return std::string(BRISCA_DATA_DIR) + "/" + name; }

std::vector<std::string> ReadCrLfLines(const std::string& path)
{
    if (!std::ifstream(path, std::ios::binary)) throw std::runtime_error("cannot open " + path);
    const std::string text = testsupport::ReadBytes(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string::npos) {
            ADD_FAILURE() << path << ": last line has no line end";
            lines.push_back(text.substr(start));
            break;
        }
        if (lf == start || text[lf - 1] != '\r') {
            ADD_FAILURE() << path << ": line " << lines.size() + 1 << " ends in a bare LF";
            lines.push_back(text.substr(start, lf - start));
        } else {
            lines.push_back(text.substr(start, lf - 1 - start));
        }
        start = lf + 1;
    }
    return lines;
}

double Field(const std::string& record, int first, int width)
{
    const std::size_t begin = static_cast<std::size_t>(first - 1);
    const std::string raw = begin < record.size() ? record.substr(begin, width) : "";
    std::string digits;
    for (char c : raw) {
        if (c != ' ') digits += c;
    }
    if (digits.empty()) return 0.0;
    char* end = nullptr;
    const double value = std::strtod(digits.c_str(), &end);
    if (*end != '\0') throw std::runtime_error("not a number: '" + raw + "'");
    return value;
}

std::vector<double> FreeFormNumbers(const std::vector<std::string>& lines, std::size_t firstLine)
{
    std::vector<double> numbers;
    for (std::size_t n = firstLine; n < lines.size(); ++n) {
        std::string line = lines[n];
        for (char& c : line) {
            if (c == ',') c = ' ';
        }
        std::istringstream tokens(line);
        std::string token;
        while (tokens >> token) {
            char* end = nullptr;
            numbers.push_back(std::strtod(token.c_str(), &end));
            if (*end != '\0') throw std::runtime_error("not a number: '" + token + "'");
        }
    }
    return numbers;
}

double LogLogAt(const std::vector<double>& energies, const std::vector<double>& values, double E)
{
    std::size_t k = 1;
    while (k + 1 < energies.size() && energies[k] <= E) ++k;
    const double f = std::log(E / energies[k - 1]) / std::log(energies[k] / energies[k - 1]);
    return std::exp(std::log(values[k - 1]) + (std::log(values[k]) - std::log(values[k - 1])) * f);
}

} // namespace tabletest
