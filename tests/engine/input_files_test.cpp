#include "engine/input_files.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

namespace {

using enginetest::JobFolder;

struct RefusedCase {
    const char* label;
    std::function<void(const JobFolder&)> spoil; // makes the inputs unacceptable
    const char* message;                         // the console must show this
};

void WriteConversionTable(const JobFolder& folder, float first, float step)
{
    std::ofstream out(folder.File("Ak2Sv.dat"), std::ios::binary);
    for (int k = 0; k < 1001; ++k) {
        char line[64];
        std::snprintf(line, sizeof line, "%9.3E%12.5E\r\n", first + step * static_cast<float>(k), 1.2);
        out << line;
    }
}

TEST(InputFilesTest, RefusedInputsNameFileAndRecordAndWriteNothing)
{
    const std::string name = "e2e-結果.dsr5";
    const std::vector<RefusedCase> cases = {
        {"too many rows", [](auto& f) { f.SetRecord("ICRUSoft.dat", 1, " 26"); },
            "ICRUSoft.dat, record 1: number of interaction rows 26 is not between 2 and 25"},
        {"one row", [](auto& f) { f.SetRecord("ICRUSoft.dat", 1, "  1"); },
            "ICRUSoft.dat, record 1: number of interaction rows 1"},
        {"rows not ascending",
            [](auto& f) { f.SetRecord("ICRUSoft.dat", 5, "0.100E-01 0.150E+00 0.180E+00 0.550E+00"); },
            "ICRUSoft.dat, record 5: energy is not above the previous row's"},
        {"first row above 5 keV",
            [](auto& f) { f.SetRecord("ICRUSoft.dat", 3, "0.600E-02 0.120E+01 0.600E-01 0.140E+03"); },
            "ICRUSoft.dat, record 3: the interaction table starts above 5 keV"},
        {"rows below the top energy", [](auto& f) { f.SetRecord("B_SPCTL.dat", 250, "0125.0, 0.10000"); },
            "ICRUSoft.dat, record 7: the interaction table does not reach beyond the top spectrum energy 125 "
            "keV"},
        {"zero coefficient",
            [](auto& f) { f.SetRecord("ICRUSoft.dat", 4, "0.100E-01 0.400E+00 0.000E+00 0.500E+01"); },
            "ICRUSoft.dat, record 4: an interaction coefficient is not positive"},
        {"x not ascending",
            [](auto& f) { f.SetRecord("ICRUSoft.dat", 10, " 0.250E+00 0.00000E+00 0.00000E+00"); },
            "ICRUSoft.dat, record 10: x is not above"},
        {"cumulative decreasing",
            [](auto& f) { f.SetRecord("ICRUSoft.dat", 20, " 0.300E+01 0.10000E+01 0.32000E+01"); },
            "ICRUSoft.dat, record 20: coherent cumulative is below"},
        {"x short of 10",
            [](auto& f) {
                const char* rows[] = {" 0.980E+01", " 0.985E+01", " 0.990E+01", " 0.995E+01", " 0.999E+01"};
                for (int k = 0; k < 5; ++k)
                    f.SetRecord("ICRUSoft.dat", 48 + k, std::string(rows[k]) + " 0.50000E+01 0.33000E+01");
            },
            "ICRUSoft.dat, record 52: the last x is below 10"},
        {"malformed air field", [](auto& f) { f.SetRecord("Air.eac", 12, "0.9990E+03   0.27x576E+05"); },
            "Air.eac, record 12: columns 11-25: '   0.27x576E+05' is not a number"},
        {"short air file", [](auto& f) { f.Truncate("Air.eac", 200); },
            "Air.eac, record 201: the file ends before this record"},
        {"missing file", [](auto& f) { std::filesystem::remove(f.File("Ak2Sv.dat")); },
            "Ak2Sv.dat: the file cannot be opened"},
        {"folder in place of the job",
            [](auto& f) {
                std::filesystem::remove(f.File("B2F.txt"));
                std::filesystem::create_directory(f.File("B2F.txt"));
            },
            "B2F.txt はフォルダです（ファイルではありません） [B2F.txt: is a folder, not a file]"},
        {"conversion starts above 10 keV", [](auto& f) { WriteConversionTable(f, 10.5f, 0.1f); },
            "Ak2Sv.dat, record 1: the first energy is above 10 keV"},
        {"conversion below the top energy", [](auto& f) { WriteConversionTable(f, 10.0f, 0.049f); },
            "Ak2Sv.dat, record 1001: the conversion table does not reach beyond the top spectrum energy 59.5 "
            "keV"},
        {"negative tube output", [](auto& f) { f.SetRecord("B2F.txt", 1, "-1.000E-02"); },
            "B2F.txt, record 1: tube output is negative"},
        {"zero distance", [](auto& f) { f.SetRecord("B2F.txt", 2, "000.0"); },
            "B2F.txt の 2 行目: 焦点-表面間距離が正ではありません [B2F.txt, record 2: focus-surface distance "
            "is not positive]"},
        {"focus on the surface", [](auto& f) { f.SetRecord("B2F.txt", 2, "1e-30"); },
            "B2F.txt, record 2: focus-surface distance 1e-30 cm is not between 1 and 10000 cm"},
        {"focus beyond the room", [](auto& f) { f.SetRecord("B2F.txt", 2, "1.5e4"); },
            "B2F.txt, record 2: focus-surface distance 15000 cm is not between"},
        {"field wider than a room", [](auto& f) { f.SetRecord("B2F.txt", 4, "1000.5"); },
            "B2F.txt, record 4: field width 1000.5 cm is above 1000 cm"},
        {"surface rate beyond single precision", [](auto& f) { f.SetRecord("B2F.txt", 1, "3.0E+38"); },
            "B2F.txt, record 1: tube output × 10000 / focus-surface distance² = 3.7037e+38 is beyond"},
        {"air coefficient beyond single precision",
            [](auto& f) { f.SetRecord("Air.eac", 100, "0.5000E+02   0.340000E+39"); },
            "Air.eac, record 100: air coefficient 3.4e+38 makes a score beyond single precision"},
        {"conversion coefficient beyond single precision",
            [](auto& f) { f.SetRecord("Ak2Sv.dat", 500, "0.599E+02 0.34000E+39"); },
            "Ak2Sv.dat, record 500: conversion coefficient 3.4e+38 makes a dose beyond"},
        {"negative conversion coefficient",
            [](auto& f) { f.SetRecord("Ak2Sv.dat", 500, "0.599E+02-0.12000E+01"); },
            "Ak2Sv.dat の 500 行目: 換算係数が負です [Ak2Sv.dat, record 500: conversion coefficient is "
            "negative]"},
        {"rates beyond single precision", [](auto& f) { f.SetRecord("B2F.txt", 1, "1.0E+30"); },
            "B2F.txt, record 1: tube output 1e+30 makes dose rates beyond single precision"},
        {"zero length", [](auto& f) { f.SetRecord("B2F.txt", 3, "0.0"); },
            "B2F.txt, record 3: field length is not positive"},
        {"negative width", [](auto& f) { f.SetRecord("B2F.txt", 4, "-5.0"); },
            "B2F.txt, record 4: field width is not positive"},
        {"photon count below 1", [](auto& f) { f.SetRecord("B2F.txt", 5, "0.500E+00"); },
            "B2F.txt, record 5: photon count is below 1"},
        {"not a number", [](auto& f) { f.SetRecord("B2F.txt", 2, "nan"); },
            "B2F.txt, record 2: 'nan' is not a number"},
        {"infinite", [](auto& f) { f.SetRecord("B2F.txt", 3, "1e999"); },
            "B2F.txt, record 3: number out of single-precision range"},
        {"no name record", [](auto& f) { f.Truncate("B2F.txt", 5); },
            "B2F.txt, record 6: the file ends before this record"},
        {"blank name", [](auto& f) { f.SetRecord("B2F.txt", 6, "     "); },
            "B2F.txt, record 6: result file name is blank"},
        {"result over a table", [](auto& f) { f.SetRecord("B2F.txt", 6, "ICRUSoft.dat"); },
            "B2F.txt, record 6: result file name 'ICRUSoft.dat' is one of the engine's input files"},
        {"result over the job", [](auto& f) { f.SetRecord("B2F.txt", 6, "B2F.txt  "); },
            "B2F.txt, record 6: result file name 'B2F.txt' is one of the engine's input files"},
        {"all intensities zero",
            [](auto& f) {
                for (int i = 1; i <= 300; ++i) f.SetRecord("B_SPCTL.dat", i, "0000.0, 0.00000");
            },
            "B_SPCTL.dat, record 1: no intensity is positive"},
        {"only below 5 keV",
            [](auto& f) {
                for (int i = 10; i <= 300; ++i) f.SetRecord("B_SPCTL.dat", i, "0000.0, 0.00000");
                f.SetRecord("B_SPCTL.dat", 4, "0002.0, 1.00000");
            },
            "B_SPCTL.dat, record 4: no intensity at 5 keV or above"},
        {"negative intensity", [](auto& f) { f.SetRecord("B_SPCTL.dat", 80, "0040.0,-1.00000"); },
            "B_SPCTL.dat, record 80: intensity is negative"},
        {"short spectrum", [](auto& f) { f.Truncate("B_SPCTL.dat", 303); },
            "B_SPCTL.dat, record 304: the file ends before this record"},
    };
    for (const RefusedCase& c : cases) {
        JobFolder folder;
        std::ofstream(folder.File(name), std::ios::binary) << "older result";
        c.spoil(folder);
        const enginetest::RunOutcome outcome = enginetest::RunEngineIn(folder);
        EXPECT_EQ(outcome.status, 1) << c.label;
        EXPECT_NE(outcome.console.find(c.message), std::string::npos) << c.label << ": " << outcome.console;
        EXPECT_EQ(outcome.console.find("Monte Carlo Simulation"), std::string::npos) << c.label;
        EXPECT_EQ(enginetest::ReadBytes(folder.File(name)), "older result") << c.label;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
            EXPECT_EQ(
                entry.path().extension(), entry.path().extension() == ".tmp" ? "" : entry.path().extension())
                << c.label << ": temporary file left behind";
        }
    }
}

TEST(InputFilesTest, EnergyColumnsAreIgnoredAndTheSpectrumIsNormalised)
{
    JobFolder folder;
    const engine::Tables plain = engine::LoadTables(folder.Path());
    EXPECT_EQ(plain.spectrum.lastBin, 119);
    float sum = 0.0f;
    for (int i = 1; i <= 300; ++i) sum += plain.spectrum.intensity[i];
    EXPECT_NEAR(sum, 1.0f, 1e-6f);
    EXPECT_EQ(plain.air.coefficient[2], 4000.02f);       // its energy column reads 999
    EXPECT_FLOAT_EQ(plain.interaction.energy[2], 10.0f); // MeV in the file
    EXPECT_EQ(plain.job.resultName, "e2e-結果.dsr5");
    const float descriptors[] = {80.0f, 2.5f, 12.0f, 2.5f, 1.5f, 0.1f};
    for (int k = 0; k < 6; ++k)
        EXPECT_FLOAT_EQ(plain.spectrum.descriptors[static_cast<std::size_t>(k)], descriptors[k]);

    // Wrong energies in the first columns and every intensity doubled: the same tables.
    for (int i = 1; i <= 300; ++i) {
        const float e = 0.5f * static_cast<float>(i);
        const float w = e >= 20.0f && e <= 60.0f ? 1.0f - std::fabs(e - 40.0f) / 20.0f : 0.0f;
        char line[32];
        std::snprintf(line, sizeof line, "%06.1f,%8.5f", 150.0 - e, 2.0 * w);
        folder.SetRecord("B_SPCTL.dat", i, line);
    }
    const engine::Tables doubled = engine::LoadTables(folder.Path());
    EXPECT_EQ(doubled.spectrum.intensity, plain.spectrum.intensity);
    EXPECT_EQ(doubled.spectrum.lastBin, 119);
}

TEST(InputFilesTest, ResultNameIsCutToThirtyCharacters)
{
    struct Case {
        std::string record;
        std::string name;
    };
    const std::vector<Case> cases = {
        {std::string(28, 'a') + "線量.dsr5", std::string(28, 'a') + "線量"},
        {"2026-12-08-立位.dsr5   ", "2026-12-08-立位.dsr5"},
        {std::string(30, 'b') + ".dsr5", std::string(30, 'b')},
        {std::string(300, '\xfe'), std::string(30, '\xfe')},
    };
    for (const Case& c : cases) {
        JobFolder folder;
        folder.SetRecord("B2F.txt", 6, c.record);
        EXPECT_EQ(engine::LoadTables(folder.Path()).job.resultName, c.name);
    }
}

} // namespace
