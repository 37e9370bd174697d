#include "icru_soft_table.h"

#include "table_reader.h"

#include <stdexcept>
#include <string>

namespace tabletest {

IcruSoftTable ReadIcruSoft()
{
    const std::vector<std::string> lines = ReadCrLfLines(DataPath("ICRUSoft.dat"));
    IcruSoftTable t;
    if (lines.size() < 2) throw std::runtime_error("ICRUSoft.dat too short");
    t.rows = static_cast<int>(Field(lines[0], 1, 3));
    t.density = Field(lines[1], 1, 9);
    if (lines.size() != static_cast<std::size_t>(t.rows) + 47) {
        throw std::runtime_error("ICRUSoft.dat: " + std::to_string(lines.size()) + " records");
    }
    for (const std::string& line : lines) t.recordLengths.push_back(static_cast<int>(line.size()));
    for (int r = 0; r < t.rows; ++r) {
        const std::string& line = lines[static_cast<std::size_t>(2 + r)];
        t.energy.push_back(Field(line, 1, 9) * 1000.0);
        t.coherent.push_back(Field(line, 10, 10));
        t.incoherent.push_back(Field(line, 20, 10));
        t.photoelectric.push_back(Field(line, 30, 10));
    }
    for (int r = 0; r < 45; ++r) {
        const std::string& line = lines[static_cast<std::size_t>(2 + t.rows + r)];
        t.x.push_back(Field(line, 1, 10));
        t.cumulative.push_back(Field(line, 11, 12));
        t.incoherentS.push_back(Field(line, 23, 12));
    }
    return t;
}

} // namespace tabletest
