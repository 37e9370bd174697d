#include "engine/parallel/run_options.h"

#include "records/run_values.h"

#include <charconv>

namespace engine {

namespace {

// A whole number written only with digits, within [low, high].
bool ParseCount(std::string_view text, int low, int high, int& value)
{
    if (text.empty() || text.size() > 9) return false;
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    int parsed = 0;
    std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

std::string ThreadsError(const std::string& where, const std::string& text)
{
    return where + " の値「" + text + "」は 0 から " + std::to_string(kMaxThreads) +
           " までの整数ではありません [" + where + ": '" + text + "' is not a whole number from 0 to " +
           std::to_string(kMaxThreads) + "]";
}

std::string ChunksError(const std::string& text)
{
    return "--chunks の値「" + text + "」は K/M（1 ≦ K ≦ M ≦ " + std::to_string(kMaxSlices) +
           "）の形ではありません [--chunks: '" + text +
           "' is not K/M with 1 <= K <= M <= " + std::to_string(kMaxSlices) + "]";
}

// A variable's value, or null when it is unset or empty.
const char* Given(const char* variable)
{
    return variable != nullptr && *variable != '\0' ? variable : nullptr;
}

} // namespace

ParsedRunOptions ParseRunOptions(const std::vector<std::string>& arguments, const RunVariables& variables)
{
    ParsedRunOptions parsed;
    RunOptions& options = parsed.options;
    bool threadsGiven = false;
    bool seedGiven = false;
    bool precisionGiven = false;
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        std::string name = arguments[k];
        std::string value;
        const std::size_t equals = name.find('=');
        if (equals != std::string::npos && name.rfind("--", 0) == 0) {
            value = name.substr(equals + 1);
            name.resize(equals);
        } else if (name == "--threads" || name == "--chunks" || name == "--seed" || name == "--precision") {
            if (k + 1 == arguments.size()) {
                parsed.error = name + " に値がありません [" + name + " needs a value]";
                return parsed;
            }
            value = arguments[++k];
        }
        if (name == "--threads") {
            if (!ParseCount(value, 0, kMaxThreads, options.threads)) {
                parsed.error = ThreadsError("--threads", value);
                return parsed;
            }
            threadsGiven = true;
        } else if (name == "--chunks") {
            const std::size_t slash = value.find('/');
            const std::string_view text(value);
            if (slash == std::string::npos ||
                !ParseCount(text.substr(0, slash), 1, kMaxSlices, options.slice.index) ||
                !ParseCount(text.substr(slash + 1), 1, kMaxSlices, options.slice.count) ||
                options.slice.index > options.slice.count) {
                parsed.error = ChunksError(value);
                return parsed;
            }
            options.sliced = true;
        } else if (name == "--seed") {
            if (!records::ParseSeed(value, options.seed)) {
                parsed.error = records::SeedRefusal("--seed", value).Text();
                return parsed;
            }
            seedGiven = true;
        } else if (name == "--precision") {
            if (!records::ParsePrecision(value, options.precision)) {
                parsed.error = records::PrecisionRefusal("--precision", value).Text();
                return parsed;
            }
            precisionGiven = true;
        } else {
            parsed.error = "知らない引数「" + arguments[k] + "」 [unknown argument '" + arguments[k] +
                           "'; the engine takes --threads N, --chunks K/M, --seed S and --precision P]";
            return parsed;
        }
    }
    if (const char* threads = Given(variables.threads); threads != nullptr && !threadsGiven) {
        if (!ParseCount(threads, 0, kMaxThreads, options.threads)) {
            parsed.error = ThreadsError("BRISCA_THREADS", threads);
            return parsed;
        }
        threadsGiven = true;
    }
    if (const char* seed = Given(variables.seed); seed != nullptr && !seedGiven) {
        if (!records::ParseSeed(seed, options.seed)) {
            parsed.error = records::SeedRefusal("BRISCA_SEED", seed).Text();
            return parsed;
        }
        seedGiven = true;
    }
    if (const char* precision = Given(variables.precision); precision != nullptr && !precisionGiven) {
        if (!records::ParsePrecision(precision, options.precision)) {
            parsed.error = records::PrecisionRefusal("BRISCA_PRECISION", precision).Text();
            return parsed;
        }
    }
    if (options.precision > 0.0 && options.sliced) {
        parsed.error =
            "--precision と --chunks は一緒に使えません（各スライスは他のスライスの誤差を知りません） "
            "[--precision cannot be combined with --chunks: no slice sees the errors of the others; "
            "run the whole job with --threads instead]";
        return parsed;
    }
    options.chunked = threadsGiven || options.sliced || seedGiven || options.precision > 0.0;
    return parsed;
}

} // namespace engine
