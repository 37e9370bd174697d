#include "engine/block_stream.h"
#include "engine/fast_math.h"
#include "engine/input_files.h"
#include "engine/sampling_tables.h"
#include "engine/transport.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

// The tables of the hand-made end-to-end inputs and of the shipped data, and the sampling
// tables built from each.
class SamplingTablesTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (GetParam()) {
            std::filesystem::copy_file(std::string(BRISCA_DATA_DIR) + "/ICRUSoft.dat",
                folder.File("ICRUSoft.dat"), std::filesystem::copy_options::overwrite_existing);
        }
        tables = std::make_unique<engine::Tables>(engine::LoadTables(folder.Path()));
        sampling = std::make_unique<engine::SamplingTables>(engine::BuildSamplingTables(*tables));
    }

    // Energies across the cut-off to the top of the spectrum, the table rows among them.
    std::vector<float> Energies() const
    {
        std::vector<float> energies;
        for (float E = 5.0f; E <= 150.0f; E *= 1.0037f) energies.push_back(E);
        for (int k = 1; k <= tables->interaction.rows; ++k) {
            const float row = tables->interaction.energy[static_cast<std::size_t>(k)];
            for (float E : {row, std::nextafter(row, 0.0f), std::nextafter(row, 1e9f)})
                if (E >= 5.0f && E <= 150.0f) energies.push_back(E);
        }
        return energies;
    }

    enginetest::JobFolder folder;
    std::unique_ptr<engine::Tables> tables;
    std::unique_ptr<engine::SamplingTables> sampling;
};

INSTANTIATE_TEST_SUITE_P(HandMadeAndShipped, SamplingTablesTest, ::testing::Values(false, true));

TEST(FastMathTest, LogAndExpAgreeWithTheLibraryInDoublePrecision)
{
    // Every 97th float from 2^-20 to 2^20: all mantissas and exponents the engine meets.
    double worstLog = 0.0;
    for (std::uint32_t bits = std::bit_cast<std::uint32_t>(0x1p-20f);
         bits < std::bit_cast<std::uint32_t>(0x1p20f); bits += 97) {
        const float x = std::bit_cast<float>(bits);
        worstLog = std::max(worstLog, std::fabs(engine::FastLog(x) - std::log(static_cast<double>(x))));
    }
    EXPECT_LT(worstLog, 2e-9);
    double worstExp = 0.0;
    for (double y = -100.0; y <= 80.0; y += 0.000731) {
        const double exact = std::exp(y);
        worstExp = std::max(worstExp, std::fabs(engine::FastExp(y) - exact) / exact);
    }
    EXPECT_LT(worstExp, 2e-8);
    // Beyond the float range: zero, and a value that rounds to infinity.
    EXPECT_EQ(static_cast<float>(engine::FastExp(-200.0)), 0.0f);
    EXPECT_TRUE(std::isinf(static_cast<float>(engine::FastExp(200.0))));
}

TEST(BlockStreamTest, DrawsWhatRngDrawsFromTheSameSeed)
{
    for (std::uint64_t key :
        {std::uint64_t{0}, std::uint64_t{1}, engine::ChunkStreamKey(100, 7), ~std::uint64_t{0}}) {
        engine::Rng rng;
        rng.SeedStream(key);
        auto block = std::make_unique<engine::BlockStream>();
        block->SeedStream(key);
        // Entries and deviates in an irregular mix, across several blocks.
        for (int n = 0; n < 5000; ++n) {
            if (n % 3 == 1) {
                ASSERT_EQ(block->NextEntry(), rng.NextEntry()) << "key " << key << ", draw " << n;
            } else {
                ASSERT_EQ(block->Next(), rng.Next()) << "key " << key << ", draw " << n;
            }
        }
    }
}

TEST_P(SamplingTablesTest, CoefficientsMatchTheLogLogInterpolation)
{
    for (float E : Energies()) {
        const engine::Coefficients direct = engine::CoefficientsAt(tables->interaction, E);
        const engine::InteractionValues v = engine::InteractionValuesAt(sampling->coefficients, E);
        const double mu = v.photoelectric + v.incoherent + v.coherent;
        // The direct formula rounds to single precision at each of its steps.
        EXPECT_NEAR(mu / direct.mu, 1.0, 2e-6) << E;
        EXPECT_NEAR(v.photoelectric / mu, direct.absorption, 2e-6) << E;
        EXPECT_NEAR((v.photoelectric + v.coherent) / mu, direct.absorptionCoh, 2e-6) << E;
    }
}

// The interaction chosen by a deviate from the exact thresholds at E, in units of the cell's
// majorant: what the cell's bounds must reproduce.
engine::Interaction ExactChoice(const engine::InteractionValues& v, double perMajorant, float r)
{
    const double photoelectric = v.photoelectric * perMajorant;
    const double coherent = photoelectric + v.coherent * perMajorant;
    const double all = coherent + v.incoherent * perMajorant;
    return static_cast<engine::Interaction>(
        static_cast<int>(r >= photoelectric) + static_cast<int>(r >= coherent) + static_cast<int>(r >= all));
}

TEST_P(SamplingTablesTest, InteractionCellsBoundTheThresholdsAndChooseExactly)
{
    engine::InteractionCells::Cell spare;
    // Each cell's edges and points across it, and the rows inside cells.
    std::vector<float> energies = Energies();
    for (std::uint32_t key = engine::InteractionCells::kFirstKey;
         key < engine::InteractionCells::kFirstKey + 768; ++key) {
        const float low = std::bit_cast<float>(key << engine::InteractionCells::kKeyShift);
        const float high = std::bit_cast<float>((key + 1) << engine::InteractionCells::kKeyShift);
        if (low < 5.0f || low > 150.0f) continue;
        for (int step = 0; step <= 8; ++step) energies.push_back(low + (high - low) * step / 8.0f);
        energies.push_back(std::nextafter(high, 0.0f));
    }
    int between = 0;
    for (float E : energies) {
        const engine::InteractionCells::Cell& cell = engine::CellOf(*sampling, E, spare);
        ASSERT_NE(&cell, &spare) << E;
        const engine::InteractionValues v = engine::InteractionValuesAt(sampling->coefficients, E);
        const double per = cell.perMajorant;
        const std::array<double, 3> thresholds = {v.photoelectric * per, (v.photoelectric + v.coherent) * per,
            (v.photoelectric + v.coherent + v.incoherent) * per};
        for (std::size_t t = 0; t < 3; ++t) {
            EXPECT_LE(cell.low[t], thresholds[t]) << E << " threshold " << t;
            EXPECT_GE(cell.high[t], thresholds[t]) << E << " threshold " << t;
        }
        // The majorant bounds μ; delta tracking wastes few collisions.
        EXPECT_LE(thresholds[2], 1.0) << E;
        EXPECT_GT(thresholds[2], 0.95) << E;
        // Every deviate the generator can give picks what the exact thresholds pick.
        for (std::int32_t entry = 0; entry < engine::kRngModulus; entry += 7) {
            const float r = engine::Rng::Deviate(entry);
            ASSERT_EQ(engine::ChooseInteraction(*sampling, cell, E, r), ExactChoice(v, per, r))
                << E << " " << r;
            between += static_cast<int>(r >= cell.low[0] && r < cell.high[0]);
        }
    }
    EXPECT_GT(between, 0) << "the bands between the bounds were never tried";

    // Beyond the cells the spare cell holds for E alone and no collision is virtual.
    for (float E : {2.0f, 300.0f}) {
        const engine::InteractionCells::Cell& cell = engine::CellOf(*sampling, E, spare);
        EXPECT_EQ(&cell, &spare);
        const engine::Coefficients direct = engine::CoefficientsAt(tables->interaction, E);
        EXPECT_NEAR(1.0f / cell.perMajorant, direct.mu, 2e-6f * direct.mu);
        for (std::int32_t entry = 0; entry < engine::kRngModulus; entry += 101) {
            const float r = engine::Rng::Deviate(entry);
            const engine::Interaction expected = r < direct.absorption       ? engine::Interaction::Absorption
                                                 : r >= direct.absorptionCoh ? engine::Interaction::Incoherent
                                                                             : engine::Interaction::Coherent;
            // Within a rounding of the shares the two may differ; elsewhere they agree.
            if (std::fabs(r - direct.absorption) > 1e-5f && std::fabs(r - direct.absorptionCoh) > 1e-5f) {
                EXPECT_EQ(engine::ChooseInteraction(*sampling, cell, E, r), expected) << E << " " << r;
            }
        }
    }
}

TEST_P(SamplingTablesTest, DeltaTrackingGivesTheFreePathAndTheKindsOfTheDirectSampler)
{
    // Flights with the majorant until a real collision: the distance flown is exponential
    // with μ(E), and the kinds come in the shares of the coefficients.
    engine::InteractionCells::Cell spare;
    for (float E : {6.3f, 17.0f, 41.5f, 97.0f}) {
        auto stream = std::make_unique<engine::BlockStream>();
        stream->SeedStream(engine::ChunkStreamKey(static_cast<int>(E), 3));
        const engine::InteractionCells::Cell& cell = engine::CellOf(*sampling, E, spare);
        const engine::Coefficients direct = engine::CoefficientsAt(tables->interaction, E);
        constexpr int kCollisions = 200000;
        std::array<int, 3> kinds{};
        double flown = 0.0;
        for (int n = 0; n < kCollisions; ++n) {
            for (;;) {
                const engine::FreePath flight = engine::DrawFlight(*stream);
                flown += flight.length * cell.perMajorant;
                const engine::Interaction kind = engine::ChooseInteraction(*sampling, cell, E, flight.choice);
                if (kind == engine::Interaction::None) continue;
                ++kinds[static_cast<std::size_t>(kind)];
                break;
            }
        }
        // Mean free path 1/μ with the exponential's relative error 1/√n; four of those.
        EXPECT_NEAR(flown / kCollisions * direct.mu, 1.0, 4.0 / std::sqrt(kCollisions)) << E;
        const std::array<double, 3> shares = {
            direct.absorption, direct.absorptionCoh - direct.absorption, 1.0 - direct.absorptionCoh};
        for (std::size_t k = 0; k < 3; ++k) {
            const double sigma = std::sqrt(shares[k] * (1.0 - shares[k]) / kCollisions);
            EXPECT_NEAR(static_cast<double>(kinds[k]) / kCollisions, shares[k], 4.0 * sigma + 1e-9)
                << E << " kind " << k;
        }
    }
}

TEST_P(SamplingTablesTest, ScatteringShareIsTheTableLinearBetweenRows)
{
    const engine::ScatterTable& table = tables->scatter;
    for (float q = 0.0f; q < 10.0f; q += 0.00173f) {
        int k = 2;
        while (k < engine::ScatterTable::kRows && !(table.x[static_cast<std::size_t>(k)] > q)) ++k;
        const std::size_t s = static_cast<std::size_t>(k);
        const double S = table.incoherent[s - 1] +
                         (static_cast<double>(q) - table.x[s - 1]) *
                             (static_cast<double>(table.incoherent[s]) - table.incoherent[s - 1]) /
                             (static_cast<double>(table.x[s]) - table.x[s - 1]);
        ASSERT_NEAR(engine::ScatteringShareAt(sampling->scattering, q), S / table.incoherentMax, 1e-6) << q;
    }
}

// The density of u = sin(θ/2) that the incoherent envelope must bound, in single precision as
// the sampler forms it (Klein-Nishina times the thinning by S(q)/S(max), times 4u).
float IncoherentDensity(const engine::SamplingTables& sampling, float E, float u)
{
    const float x = 2.0f * u * u;
    const float d = 1.0f + E * (1.0f / 511.0f) * x;
    const float q = u * (E * (1.0f / 12.4f));
    const float share = q < 10.0f ? std::min(engine::ScatteringShareAt(sampling.scattering, q), 1.0f) : 1.0f;
    return (1.0f + d * (d - x * (2.0f - x))) / (d * d * d) * share * (4.0f * u);
}

TEST_P(SamplingTablesTest, IncoherentEnvelopeBoundsTheDensityAndItsAliasTablesDrawItsBins)
{
    using Envelope = engine::IncoherentEnvelope;
    for (int index = 0; index < Envelope::kCells; ++index) {
        const Envelope::Cell& cell = sampling->incoherent.cells[static_cast<std::size_t>(index)];
        ASSERT_TRUE(cell.usable) << index;
        // Every entry of the generator through the alias table: bin j comes as often as its
        // envelope height says, the same scale for every bin.
        std::array<int, Envelope::kBins> drawn{};
        for (std::uint32_t entry = 0; entry < 16384; ++entry) {
            const std::uint32_t column = entry / Envelope::kColumn;
            ++drawn[entry % Envelope::kColumn < cell.keep[column] ? column : cell.alias[column]];
        }
        double scale = 0.0;
        for (std::size_t j = 0; j < drawn.size(); ++j) {
            if (drawn[j] == 0) {
                EXPECT_EQ(cell.limit[j], 0.0f) << index << " bin " << j;
                continue;
            }
            if (scale == 0.0) scale = cell.limit[j] / drawn[j];
            EXPECT_NEAR(cell.limit[j] / drawn[j] / scale, 1.0, 1e-6) << index << " bin " << j;
        }
        // The envelope over each bin at the cell's edges and inside it.
        const float low = Envelope::kLowEnergy + static_cast<float>(index);
        for (float E : {low, low + 0.37f, low + 0.81f, std::nextafter(low + 1.0f, 0.0f)}) {
            for (int j = 0; j < Envelope::kBins; ++j) {
                for (int step = 0; step <= 16; ++step) {
                    const float u = std::min((static_cast<float>(j) + step / 16.0f) / Envelope::kBins,
                        std::nextafter((j + 1.0f) / Envelope::kBins, 0.0f));
                    ASSERT_GE(cell.limit[static_cast<std::size_t>(j)], IncoherentDensity(*sampling, E, u))
                        << "E " << E << ", u " << u;
                }
            }
        }
    }
}

TEST_P(SamplingTablesTest, TabledIncoherentScatteringDrawsTheDirectSamplersDistribution)
{
    // Histograms of cos θ from the envelope and from Kahn's method with the thinning, each
    // from its own fixed stream: a two-sample χ² over 25 bins, and the mean energy after.
    constexpr int kDraws = 100000;
    constexpr int kBins = 25;
    for (float E : {5.5f, 12.0f, 33.3f, 80.0f, 150.0f}) {
        auto stream = std::make_unique<engine::BlockStream>();
        stream->SeedStream(engine::ChunkStreamKey(1, static_cast<long long>(E)));
        engine::Rng rng;
        rng.SeedStream(engine::ChunkStreamKey(2, static_cast<long long>(E)));
        std::array<double, kBins> tabled{};
        std::array<double, kBins> direct{};
        double tabledEnergy = 0.0;
        double directEnergy = 0.0;
        double directEnergy2 = 0.0;
        for (int n = 0; n < kDraws; ++n) {
            const engine::IncoherentResult a =
                engine::SampleIncoherentTabled(E, *sampling, tables->scatter, *stream);
            const engine::IncoherentResult b =
                engine::SampleIncoherent<engine::AngleSines::Algebraic>(E, tables->scatter, rng);
            ASSERT_NEAR(
                a.angle.cosTheta * a.angle.cosTheta + a.angle.sinTheta * a.angle.sinTheta, 1.0f, 1e-6f);
            ASSERT_NEAR(a.energy, E / (1.0f + E / 511.0f * (1.0f - a.angle.cosTheta)), 1e-6f * E);
            ++tabled[static_cast<std::size_t>(
                std::min(kBins - 1, static_cast<int>((1.0f - a.angle.cosTheta) / 2.0f * kBins)))];
            ++direct[static_cast<std::size_t>(
                std::min(kBins - 1, static_cast<int>((1.0f - b.angle.cosTheta) / 2.0f * kBins)))];
            tabledEnergy += a.energy;
            directEnergy += b.energy;
            directEnergy2 += static_cast<double>(b.energy) * b.energy;
        }
        double chi2 = 0.0;
        int dof = -1;
        for (int k = 0; k < kBins; ++k) {
            const double sum = tabled[static_cast<std::size_t>(k)] + direct[static_cast<std::size_t>(k)];
            if (sum == 0.0) continue;
            const double diff = tabled[static_cast<std::size_t>(k)] - direct[static_cast<std::size_t>(k)];
            chi2 += diff * diff / sum;
            ++dof;
        }
        // χ² of 24 degrees of freedom exceeds 56 with probability 2e-4.
        EXPECT_LT(chi2, 56.0) << E << " keV, " << dof << " degrees of freedom";
        const double mean = directEnergy / kDraws;
        const double sigma = std::sqrt((directEnergy2 / kDraws - mean * mean) * 2.0 / kDraws);
        EXPECT_NEAR(tabledEnergy / kDraws, mean, 4.0 * sigma) << E;
    }
}

TEST(HeadingTest, TurnsAsRotateTurnsTheDirection)
{
    struct Case {
        engine::Direction from;
        float cosTheta;
        float phi;
    };
    const Case cases[] = {
        {{0.6f, 0.8f, 0.28f, 0.96f}, 0.5f, 1.0f}, {{0.6f, 0.8f, 0.28f, 0.96f}, -0.7f, 5.5f},
        {{-0.3f, std::sqrt(0.91f), -1.0f, 0.0f}, 0.0f, 3.141592f}, {{0.0f, 1.0f, 0.0f, 1.0f}, 0.99f, 0.2f},
        {{0.999f, std::sqrt(1.0f - 0.999f * 0.999f), 0.6f, -0.8f}, -1.0f, 2.0f},
        {{1.0f, 0.0f, 1.0f, 0.0f}, 0.0f, 1.0f}, // along the beam axis
    };
    for (const Case& c : cases) {
        const engine::ScatterAngle angle{c.cosTheta, std::sqrt(1.0f - c.cosTheta * c.cosTheta)};
        const engine::Heading turned =
            engine::Turn(engine::HeadingOf(c.from), angle, {std::cos(c.phi), std::sin(c.phi)});
        const engine::Heading expected = engine::HeadingOf(engine::Rotate(c.from, angle, c.phi));
        EXPECT_NEAR(turned.ux, expected.ux, 2e-6f) << c.cosTheta << " " << c.phi;
        EXPECT_NEAR(turned.uy, expected.uy, 2e-6f) << c.cosTheta << " " << c.phi;
        EXPECT_NEAR(turned.uz, expected.uz, 2e-6f) << c.cosTheta << " " << c.phi;
        EXPECT_NEAR(turned.sinPolar * turned.perSinPolar, turned.sinPolar > 0.0f ? 1.0f : 0.0f, 1e-6f);
        // And back to the direction the scorer takes.
        const engine::Direction back = engine::DirectionOf(turned);
        EXPECT_NEAR(back.sinPolar * back.cosAzimuth, turned.ux, 2e-6f);
        EXPECT_NEAR(back.sinPolar * back.sinAzimuth, turned.uy, 2e-6f);
    }
}

} // namespace
