#pragma once

#include <gtest/gtest.h>

#include "logic/start/DataTables.h"

// The data tables shipped in the source tree's data folder, loaded once per test binary.
inline const brisca::DataTables& ShippedTables()
{
    static const brisca::DataTables tables = [] {
        const brisca::Expected<brisca::DataTables> loaded = brisca::ReadDataTables(BRISCA_DATA_DIR);
        if (!loaded) ADD_FAILURE() << brisca::MessageText(loaded.Failure());
        return loaded ? *loaded : brisca::DataTables{};
    }();
    return tables;
}
