#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "RoomPoints.h"
#include "TempFolder.h"
#include "logic/result/DataProcessing.h"
#include "logic/room/EvaluationPoint.h"
#include "mapjob/RefinedResult.h"

// A fresh folder holding the engine's end-to-end result as real.dsr5, in which brisca-map
// runs; shared by the tests of its pictures, grids, doses and reports.
class MapFolder : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::copy_file(BRISCA_ENGINE_RESULT, dir_ / "real.dsr5"); }

    // Exit status of `command` run in the test's folder, its output in stdout.txt and stderr.txt.
    int Run(const std::string& command)
    {
        const std::string line = "cd '" + dir_.string() + "' && " + command + " > stdout.txt 2> stderr.txt";
        const int status = std::system(line.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // Exit status of brisca-map with `arguments`.
    int Map(const std::string& arguments) { return Run("'" BRISCA_MAP_PROGRAM "' " + arguments); }

    // The bytes of a file in the test's folder; empty when there is none.
    std::string Read(const std::string& name) const { return testsupport::ReadBytes(dir_ / name); }

    // The real result refined in memory.
    brisca::ProcessedResult InMemory() const
    {
        brisca::Expected<brisca::ProcessedResult> result = brisca::RefineResultInMemory(dir_ / "real.dsr5");
        if (!result) {
            ADD_FAILURE() << brisca::MessageText(result.Failure());
            return {};
        }
        return std::move(*result);
    }

    testsupport::TempFolder temp_{"map"};
    const std::filesystem::path dir_ = temp_.Path();
};
