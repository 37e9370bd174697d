#pragma once

#include <gtest/gtest.h>

#include "logic/start/DataTables.h"

// The data tables shipped in the source tree's data folder, loaded once per test binary.
inline const brisca::DataTables& ShippedTables()
{
    static const brisca::DataTables tables = [] {
        brisca::DataTables loaded;
        const std::string error = brisca::ReadDataTables(BRISCA_DATA_DIR, loaded);
        if (!error.empty()) ADD_FAILURE() << error;
        return loaded;
    }();
    return tables;
}
