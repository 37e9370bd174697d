#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

// Runs each test in a fresh, empty working directory of its own, as the programs expect.
class InWorkDir : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::path(::testing::TempDir()) /
              ("refiner-" + std::to_string(::getpid()) + "-" + info->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(dir);
    }
    void TearDown() override
    {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(dir);
    }
    static void Put(const std::filesystem::path& name, const std::string& bytes)
    {
        std::ofstream(name, std::ios::binary) << bytes;
    }
    static std::string Get(const std::filesystem::path& name)
    {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Number of entries in the working directory.
    static int Entries()
    {
        const std::filesystem::directory_iterator list(".");
        return static_cast<int>(std::distance(begin(list), end(list)));
    }

    std::filesystem::path dir, previous;
};

// The committed sample result file, 387 records with CR LF line ends.
inline std::string SampleResult()
{
    std::ifstream in(std::string(BRISCA_REFINER_DATA) + "/sample.dsr5", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
