#include "Module1.h"

#include <QString>
#include <cmath>
#include <filesystem>
#include <limits>

#include "platform/Platform.h"

namespace brisca {

DisplayGrid::DisplayGrid()
    : values(static_cast<std::size_t>(Layers + 1) * (Columns + 1) * (Rows + 1),
             std::numeric_limits<double>::quiet_NaN()) {}

Module1& module1() {
    static Module1 state;
    return state;
}

bool LoadDataTables() {
    const std::string error = ReadDataTables(std::filesystem::current_path(), module1().Tables);
    if (error.empty()) return true;
    platform().MsgBox(QString::fromStdString(error), MsgButtons::Ok, MsgIcon::Warning);
    return false;
}

}  // namespace brisca
