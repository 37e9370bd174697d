#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "RoomPoints.h"
#include "logic/result/DataProcessing.h"
#include "logic/room/EvaluationPoint.h"
#include "mapjob/RefinedResult.h"

// A fresh folder holding the engine's end-to-end result as real.dsr5, in which brisca-map
// runs; shared by the tests of its pictures, grids, doses and reports.
class MapFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::path(::testing::TempDir()) /
               (std::string("map-") + test->test_suite_name() + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        std::filesystem::copy_file(BRISCA_ENGINE_RESULT, dir_ / "real.dsr5");
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

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
    std::string Read(const std::string& name) const
    {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

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

    std::filesystem::path dir_;
};
