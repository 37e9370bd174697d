#pragma once

#include "TempFolder.h"

#include <filesystem>
#include <string>

using testsupport::ReadBytes;
using testsupport::WriteBytes;

// Runs each test in a fresh, empty working directory of its own, as the programs expect.
class InWorkDir : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder_.Path());
    }
    void TearDown() override { std::filesystem::current_path(previous); }
    // Number of entries in the working directory.
    static int Entries()
    {
        const std::filesystem::directory_iterator list(".");
        return static_cast<int>(std::distance(begin(list), end(list)));
    }

    testsupport::TempFolder folder_{"refiner"};
    std::filesystem::path previous;
};

// The committed sample result file, 387 records with CR LF line ends.
inline std::string SampleResult() { return ReadBytes(std::string(BRISCA_REFINER_DATA) + "/sample.dsr5"); }
