#pragma once

#include <gtest/gtest.h>

#include "setup/DataTables.h"

// The data tables shipped in the source tree's data folder, loaded once per test binary.
inline const DataTables& ShippedTables()
{
    static const DataTables tables = [] {
        DataTables loaded;
        const std::string error = ReadDataTables(BRISCA_DATA_DIR, loaded);
        if (!error.empty()) ADD_FAILURE() << error;
        return loaded;
    }();
    return tables;
}
