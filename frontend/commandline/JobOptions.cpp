#include "commandline/JobOptions.h"

#include <map>
#include <optional>

#include "logic/start/MeanTubeCurrent.h"
#include "records/run_values.h"

namespace brisca {

namespace {

// Options that take a value, and the window entry each one fills.
enum class Option {
    Threads,
    Seed,
    Precision,
    Kv,
    Waveform,
    Angle,
    Inherent,
    Al,
    Cu,
    Ma,
    PulseMa,
    Rate,
    Width,
    Fsd,
    Field,
    Histories,
    Position,
    Name,
    Out
};

const std::map<std::string, Option>& ValueOptions()
{
    static const std::map<std::string, Option> options = {
        {"--kv", Option::Kv},
        {"--waveform", Option::Waveform},
        {"--angle", Option::Angle},
        {"--inherent", Option::Inherent},
        {"--al", Option::Al},
        {"--cu", Option::Cu},
        {"--ma", Option::Ma},
        {"--pulse-ma", Option::PulseMa},
        {"--rate", Option::Rate},
        {"--width", Option::Width},
        {"--fsd", Option::Fsd},
        {"--field", Option::Field},
        {"--histories", Option::Histories},
        {"--position", Option::Position},
        {"--name", Option::Name},
        {"--threads", Option::Threads},
        {"--seed", Option::Seed},
        {"--precision", Option::Precision},
        {"--out", Option::Out},
    };
    return options;
}

} // namespace

Expected<JobOptions> ParseJobOptions(const std::vector<std::string>& arguments)
{
    JobOptions options;
    CalculationEntries& e = options.entries;
    TubeCurrentOptions& current = options.current;
    bool outGiven = false;

    for (std::size_t k = 0; k < arguments.size(); ++k) {
        std::string name = arguments[k];
        std::optional<std::string> inlineValue;
        if (const std::size_t equals = name.find('=');
            name.rfind("--", 0) == 0 && equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name.erase(equals);
        }
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--run") {
            options.run = true;
            continue;
        }
        if (name == "--yes") {
            options.yes = true;
            continue;
        }
        if (name == "--spectrum-only") {
            options.spectrumOnly = true;
            continue;
        }
        const auto found = ValueOptions().find(name);
        if (found == ValueOptions().end())
            return PlainProblem(
                "オプション " + arguments[k] + " はありません", "unknown option " + arguments[k]);
        if (!inlineValue && k + 1 >= arguments.size())
            return PlainProblem(
                "オプション " + name + " には値が要ります", "option " + name + " needs a value");
        const std::string value = inlineValue ? *inlineValue : arguments[++k];
        switch (found->second) {
        case Option::Kv:
            e.tubeVoltageKv = value;
            break;
        case Option::Angle:
            e.targetAngleDegrees = value;
            break;
        case Option::Inherent:
            e.inherentFiltrationMmAl = value;
            break;
        case Option::Al:
            e.addedAluminiumMm = value;
            break;
        case Option::Cu:
            e.addedCopperMm = value;
            break;
        case Option::Ma:
            current.continuousMa = value;
            break;
        case Option::PulseMa:
            current.pulseMa = value;
            break;
        case Option::Rate:
            current.pulseRateFps = value;
            break;
        case Option::Width:
            current.pulseWidthMs = value;
            break;
        case Option::Fsd:
            e.fsdCm = value;
            break;
        case Option::Histories:
            e.histories = value;
            break;
        case Option::Name:
            e.resultName = value;
            options.nameGiven = true;
            break;
        case Option::Out:
            if (value.empty())
                return PlainProblem("--out にはファイル名が要ります", "--out needs a file name");
            options.out = value;
            outGiven = true;
            break;
        case Option::Threads:
            // Checked here as the engine checks it, so that a bad count fails before any file is written.
            if (value.empty() || value.size() > 4 ||
                value.find_first_not_of("0123456789") != std::string::npos || std::stoi(value) > 4096)
                return PlainProblem(
                    "--threads には 0 から 4096 までの整数を指定して下さい（" + value + " は使えません）",
                    "--threads takes a whole number from 0 to 4096, not " + value);
            options.threads = value;
            break;
        case Option::Seed: {
            // The engine's own check and words.
            long long seed = 0;
            if (!records::ParseSeed(value, seed)) {
                const records::ValueRefusal refusal = records::SeedRefusal("--seed", value);
                return PlainProblem(refusal.japanese, refusal.english);
            }
            options.seed = value;
            break;
        }
        case Option::Precision: {
            double precision = 0;
            if (!records::ParsePrecision(value, precision)) {
                const records::ValueRefusal refusal = records::PrecisionRefusal("--precision", value);
                return PlainProblem(refusal.japanese, refusal.english);
            }
            options.precision = value;
            break;
        }
        case Option::Waveform:
            if (value == "constant")
                e.rectifier = Rectifier::ConstantPotential;
            else if (value == "three-phase")
                e.rectifier = Rectifier::ThreePhase12Peak;
            else if (value == "single-phase")
                e.rectifier = Rectifier::SinglePhase;
            else
                return PlainProblem(
                    "--waveform には constant、three-phase、single-phase のいずれかを指定して下さい（" +
                        value + " は使えません）",
                    "--waveform takes constant, three-phase or single-phase, not " + value);
            break;
        case Option::Position:
            if (value == "supine")
                e.position = PatientPosition::Supine;
            else if (value == "standing")
                e.position = PatientPosition::Standing;
            else
                return PlainProblem(
                    "--position には supine か standing を指定して下さい（" + value + " は使えません）",
                    "--position takes supine or standing, not " + value);
            break;
        case Option::Field: {
            const std::size_t x = value.find('x');
            if (x == std::string::npos)
                return PlainProblem(
                    "--field には 長軸x短軸 を cm で指定して下さい（例 20x20。" + value + " は使えません）",
                    "--field takes LONGxSHORT in cm, for example 20x20, not " + value);
            e.fieldLongCm = value.substr(0, x);
            e.fieldShortCm = value.substr(x + 1);
            break;
        }
        }
    }

    if (outGiven && !options.spectrumOnly)
        return PlainProblem("--out は --spectrum-only と一緒に使います", "--out goes with --spectrum-only");
    if (options.spectrumOnly && options.run)
        return PlainProblem("--spectrum-only はジョブファイルを書かないので --run できません",
            "--spectrum-only writes no job files, so there is nothing to --run");
    if (options.spectrumOnly && !outGiven) options.out = "spectrum.csv";
    const bool pulsed = current.pulseMa || current.pulseRateFps || current.pulseWidthMs;
    if (pulsed && current.continuousMa)
        return PlainProblem("--ma と、パルス透視の --pulse-ma、--rate、--width は一緒に使えません",
            "give either --ma or the pulse entries --pulse-ma, --rate and --width, not both");
    return options;
}

Expected<CalculationEntries> JobEntries(const JobOptions& options)
{
    CalculationEntries entries = options.entries;
    const TubeCurrentOptions& current = options.current;
    // The mean tube current, as "OK →" would form it from the current or the pulse entries.
    if (current.pulseMa || current.pulseRateFps || current.pulseWidthMs) {
        Expected<std::string> mean = PulsedMeanCurrent(current.pulseMa.value_or(""),
            current.pulseRateFps.value_or(""), current.pulseWidthMs.value_or(""));
        if (!mean) return mean.Failure();
        entries.meanTubeCurrentMa = std::move(*mean);
    } else if (current.continuousMa) {
        Expected<std::string> mean = ContinuousMeanCurrent(*current.continuousMa);
        if (!mean) return mean.Failure();
        entries.meanTubeCurrentMa = std::move(*mean);
    }
    return entries;
}

std::string JobOptionsHelp()
{
    return "Usage: brisca-job [options]\n"
           "Writes the spectrum file B_SPCTL.dat and the job file B2F.txt into the current directory,\n"
           "as the main window's calculation start does, from the data tables MUs.dat, Air.eac and\n"
           "default-output.op found there. Numbers are checked and read as the window reads typed\n"
           "text: a value must be one number, with a full stop for decimals (2.5).\n"
           "\n"
           "  --kv KV                 peak tube voltage, kV (default 80; limited to 30..149.5)\n"
           "  --waveform KIND         constant, three-phase or single-phase (default constant)\n"
           "  --angle DEG             target angle, degrees (default 12)\n"
           "  --inherent MM           inherent filtration, mm Al equivalent (default 2.5; at least 1)\n"
           "  --al MM                 added aluminium filter, mm (default 1.5)\n"
           "  --cu MM                 added copper filter, mm (default 0)\n"
           "  --ma MA                 continuous fluoroscopy tube current, mA (default 1)\n"
           "  --pulse-ma MA           pulsed fluoroscopy: tube current, mA\n"
           "  --rate FPS              pulsed fluoroscopy: pulse rate, pulses per second\n"
           "  --width MS              pulsed fluoroscopy: pulse width, ms\n"
           "                          (mean current = MA x FPS x MS / 1000; not with --ma)\n"
           "  --fsd CM                focus-to-entrance-surface distance, cm (default 90)\n"
           "  --field LONGxSHORT      field size at the FSD, cm (default 20x20; at most 30x30)\n"
           "  --histories N           number of incident photons (default 500000000; at least 100000000,\n"
           "                          at most 1E+15; above 1E+11 only with --yes)\n"
           "  --position POS          supine or standing (default supine); picks mcsupine or mcstand\n"
           "  --name NAME             result name without extension (default: today's date\n"
           "                          followed by -臥位 or -立位); the result is NAME.dsr5\n"
           "  --run                   then start the engine (beside brisca-job first, else in the\n"
           "                          current directory) detached, with no input, and wait for it,\n"
           "                          showing its share done, time left and precision reached on\n"
           "                          standard error; Ctrl+C stops the run\n"
           "  --threads N             with --run: the engine's parallel mode on N threads (0: every\n"
           "                          core); without it BRISCA_THREADS, if set, is handed on\n"
           "  --seed S                with --run: the engine's chunk streams seeded with S (a whole\n"
           "                          number); without it BRISCA_SEED, if set, is handed on\n"
           "  --precision P           with --run: the engine stops once the cells of interest are\n"
           "                          within P % relative error (0 < P <= 100); else BRISCA_PRECISION\n"
           "  --yes                   start a run of more than 1E+11 histories (over ten hours on one\n"
           "                          core), which the window would first ask about\n"
           "  --spectrum-only         write no job files: print the beam's half-value layers, homogeneity\n"
           "                          coefficient, mean energies, air kerma per mAs at 100 cm and at the\n"
           "                          FSD, kerma ratio and tube output, and write the spectrum as CSV\n"
           "  --out FILE              with --spectrum-only: the CSV file (default spectrum.csv)\n"
           "  --help                  show this list\n"
           "\n"
           "Exit status: 0 done; 1 the conditions were refused (message on standard error);\n"
           "2 bad command line; 3 a file could not be read or written; 4 the engine could not be\n"
           "started; 5 the run was stopped; otherwise the engine's own exit status.\n";
}

} // namespace brisca
