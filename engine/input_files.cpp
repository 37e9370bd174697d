#include "engine/input_files.h"

#include "engine/input_error.h"
#include "engine/product_checks.h"
#include "records/field_error.h"
#include "records/field_reader.h"
#include "records/free_form.h"
#include "records/line_source.h"
#include "records/utf8_cut.h"

#include <cmath>
#include <functional>
#include <sstream>

namespace engine {

namespace {

// One input file read record by record; every failure names the file and the record.
class InputFile {
public:
    InputFile(const std::string& directory, const char* name) : name_(name)
    {
        if (const auto failure = source_.Open(directory.empty() ? name_ : directory + "/" + name_))
            throw InputError(records::DescribeFileError(name_, failure->japanese, failure->english));
    }

    // The next record; a missing one is refused.
    std::string_view Record()
    {
        std::string_view line;
        if (!source_.Next(line)) {
            throw InputError(records::DescribeRecordError(name_, source_.RecordNumber() + 1,
                "この行の前でファイルが終わっています", "the file ends before this record"));
        }
        return line;
    }

    // Reads the next record with `read`, turning a malformed field into an InputError.
    void Read(const std::function<void(std::string_view)>& read)
    {
        const std::string_view line = Record();
        try {
            read(line);
        } catch (const records::FieldError& e) {
            Fail(e.Japanese(), e.what());
        }
    }

    // Refuses the record last read, saying why in Japanese and in English.
    [[noreturn]] void Fail(const std::string& japanese, const std::string& english) const
    {
        FailAt(source_.RecordNumber(), japanese, english);
    }

    // Refuses a given record of this file.
    [[noreturn]] void FailAt(int record, const std::string& japanese, const std::string& english) const
    {
        throw InputError(records::DescribeRecordError(name_, record, japanese, english));
    }

    // Number of the record last read.
    int RecordNumber() const { return source_.RecordNumber(); }

private:
    std::string name_;
    records::LineSource source_;
};

constexpr float kMinFsd = 1.0f;          // cm
constexpr float kMaxFsd = 10000.0f;      // cm
constexpr float kMaxFieldSide = 1000.0f; // cm

std::string Number(float value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

void ReadInteractionFile(const std::string& directory, InteractionTable& interaction, ScatterTable& scatter,
    int& firstInteractionRecord)
{
    InputFile file(directory, records::kInteractionTableFile);
    long rows = 0;
    file.Read([&](std::string_view line) { rows = records::FieldReader(line).Integer(3); });
    if (rows < 2 || rows > InteractionTable::kMaxRows) {
        file.Fail("相互作用表の行数 " + std::to_string(rows) + " が 2 から 25 の間にありません",
            "number of interaction rows " + std::to_string(rows) + " is not between 2 and 25");
    }
    interaction.rows = static_cast<int>(rows);
    file.Read([](std::string_view line) { records::FieldReader(line).Single(9, 6); });

    firstInteractionRecord = file.RecordNumber() + 1;
    for (int k = 1; k <= interaction.rows; ++k) {
        file.Read([&](std::string_view line) {
            records::FieldReader reader(line);
            interaction.energy[k] = reader.Single(9, 3) * 1000.0f; // MeV in the file
            interaction.coherent[k] = reader.Single(10, 3);
            interaction.incoherent[k] = reader.Single(10, 3);
            interaction.photoelectric[k] = reader.Single(10, 3);
        });
        if (!(interaction.energy[k] > 0.0f))
            file.Fail("エネルギーが正ではありません", "energy is not positive");
        if (k > 1 && !(interaction.energy[k] > interaction.energy[k - 1])) {
            file.Fail("エネルギーが前の行より大きくありません（昇順でなければなりません）",
                "energy is not above the previous row's; rows must ascend");
        }
        // The coefficients are interpolated on a log-log scale.
        if (!(interaction.coherent[k] > 0.0f && interaction.incoherent[k] > 0.0f &&
                interaction.photoelectric[k] > 0.0f)) {
            file.Fail("相互作用係数に正でない値があります", "an interaction coefficient is not positive");
        }
        interaction.logEnergy[k] = std::log(interaction.energy[k]);
        interaction.logCoherent[k] = std::log(interaction.coherent[k]);
        interaction.logIncoherent[k] = std::log(interaction.incoherent[k]);
        interaction.logPhotoelectric[k] = std::log(interaction.photoelectric[k]);
    }

    for (int k = 1; k <= ScatterTable::kRows; ++k) {
        file.Read([&](std::string_view line) {
            records::FieldReader reader(line);
            scatter.x[k] = reader.Single(10, 3);
            scatter.cumulative[k] = reader.Single(12, 5);
            scatter.incoherent[k] = reader.Single(12, 5);
        });
        if (k > 1 && !(scatter.x[k] > scatter.x[k - 1]))
            file.Fail("x が前の行より大きくありません（昇順でなければなりません）",
                "x is not above the previous row's; rows must ascend");
        if (k > 1 && scatter.cumulative[k] < scatter.cumulative[k - 1]) {
            file.Fail("コヒーレント累積値が前の行より小さくなっています（減少してはなりません）",
                "coherent cumulative is below the previous row's; it must not decrease");
        }
    }
    scatter.xGuide = MakeLookupGuide(scatter.x, 2, ScatterTable::kRows);
    scatter.cumulativeGuide = MakeLookupGuide(scatter.cumulative, 2, ScatterTable::kRows);
    scatter.cumulativeMax = scatter.cumulative[ScatterTable::kRows];
    scatter.incoherentMax = scatter.incoherent[ScatterTable::kRows];
    if (scatter.x[ScatterTable::kRows] < 10.0f)
        file.Fail("最後の x が 10 未満です（表は x = 10 まで必要です）",
            "the last x is below 10; the table must reach x = 10");
    if (!(scatter.cumulativeMax > 0.0f))
        file.Fail(
            "コヒーレント累積値の最大が正ではありません", "the largest coherent cumulative is not positive");
    if (!(scatter.incoherentMax > 0.0f))
        file.Fail(
            "非干渉性散乱関数の最大が正ではありません", "the largest incoherent function is not positive");
    // A deviate below the first cumulative is placed by rows 1 and 2, which must differ.
    if (scatter.cumulative[1] > 0.0f && !(scatter.cumulative[2] > scatter.cumulative[1])) {
        file.FailAt(file.RecordNumber() - ScatterTable::kRows + 2,
            "2 行目のコヒーレント累積値が 1 行目より大きくありません",
            "coherent cumulative of the second row must exceed the first's");
    }
}

void ReadAirFile(const std::string& directory, AirTable& air)
{
    InputFile file(directory, records::kAirTableFile);
    for (int i = 1; i <= 300; ++i) {
        file.Read([&](std::string_view line) {
            records::FieldReader reader(line);
            reader.Real(10, 4); // the energy column: the record's position gives the energy
            air.coefficient[i] = reader.Single(15, 6);
        });
        if (!(air.coefficient[i] > 0.0f))
            file.Fail("空気の係数が正ではありません", "air coefficient is not positive");
    }
}

void ReadConversionFile(const std::string& directory, ConversionTable& conversion)
{
    InputFile file(directory, records::kConversionTableFile);
    for (int k = 1; k <= ConversionTable::kRows; ++k) {
        file.Read([&](std::string_view line) {
            records::FieldReader reader(line);
            conversion.energy[k] = reader.Single(9, 3);
            conversion.coefficient[k] = reader.Single(12, 5);
        });
        // A negative coefficient would turn scattered kerma into a negative dose rate.
        if (conversion.coefficient[k] < 0.0f)
            file.Fail("換算係数が負です", "conversion coefficient is negative");
        // Equal neighbours are harmless: the look-up takes the first row above the energy.
        if (k > 1 && conversion.energy[k] < conversion.energy[k - 1]) {
            file.Fail("エネルギーが前の行より小さくなっています（昇順でなければなりません）",
                "energy is below the previous row's; rows must ascend");
        }
    }
    if (conversion.energy[1] > 10.0f)
        file.FailAt(1, "最初のエネルギーが 10 keV を超えています", "the first energy is above 10 keV");
}

void ReadJobFile(const std::string& directory, Job& job)
{
    InputFile file(directory, records::kJobFile);
    const auto number = [&](float& value) {
        file.Read([&](std::string_view line) { value = records::ReadFirstNumberSingle(line); });
    };
    number(job.tubeOutput);
    if (job.tubeOutput < 0.0f) file.Fail("管出力が負です", "tube output is negative");
    number(job.fsd);
    if (!(job.fsd > 0.0f))
        file.Fail("焦点-表面間距離が正ではありません", "focus-surface distance is not positive");
    // Nearer than 1 cm the entry points collapse onto the beam axis in single precision;
    // beyond 100 m no room holds the tube.
    if (job.fsd < kMinFsd || job.fsd > kMaxFsd) {
        file.Fail("焦点-表面間距離 " + Number(job.fsd) + " cm が 1 から 10000 cm の間にありません",
            "focus-surface distance " + Number(job.fsd) + " cm is not between 1 and 10000 cm");
    }
    const auto side = [&](float& value, const char* japanese, const char* english) {
        number(value);
        if (!(value > 0.0f))
            file.Fail(
                std::string(japanese) + "が正ではありません", std::string(english) + " is not positive");
        if (value > kMaxFieldSide) {
            file.Fail(std::string(japanese) + " " + Number(value) + " cm が 1000 cm を超えています",
                std::string(english) + " " + Number(value) + " cm is above 1000 cm");
        }
    };
    side(job.fieldLength, "照射野の長さ", "field length");
    side(job.fieldWidth, "照射野の幅", "field width");
    number(job.photonCount);
    if (!(job.photonCount >= 1.0f)) file.Fail("光子数が 1 未満です", "photon count is below 1");
    if (job.photonCount > 1.0e15f) file.Fail("光子数が 1E+15 を超えています", "photon count is above 1E+15");

    // "(A30)": the first 30 characters; a longer name is cut, never inside a character.
    const std::string_view line = file.Record();
    job.resultName = std::string(records::DropTrailingBlanks(records::FirstCodePoints(line, 30)));
    if (job.resultName.empty()) file.Fail("結果ファイル名が空白です", "result file name is blank");
    if (job.resultName.find('/') != std::string::npos || job.resultName.find('\0') != std::string::npos ||
        job.resultName == "." || job.resultName == "..") {
        file.Fail("結果ファイル名「" + records::EchoText(job.resultName) + "」はファイル名として使えません",
            "result file name '" + records::EchoText(job.resultName) + "' is not a plain file name");
    }
    // The result would replace an input, and every later run would fail on it.
    for (const char* input : {records::kInteractionTableFile, records::kAirTableFile,
             records::kConversionTableFile, records::kJobFile, records::kSpectrumFile}) {
        if (job.resultName == input) {
            file.Fail(
                "結果ファイル名「" + records::EchoText(job.resultName) + "」は計算の入力ファイルと同じです",
                "result file name '" + records::EchoText(job.resultName) +
                    "' is one of the engine's input files");
        }
    }
}

void ReadSpectrumFile(const std::string& directory, Spectrum& spectrum)
{
    InputFile file(directory, records::kSpectrumFile);
    for (int i = 1; i <= 300; ++i) {
        file.Read([&](std::string_view line) {
            records::FieldReader reader(line);
            reader.Real(6, 1); // the energy column: the record's position gives the energy
            reader.Text(1);
            spectrum.intensity[i] = reader.Single(8, 5);
        });
        if (spectrum.intensity[i] < 0.0f) file.Fail("強度が負です", "intensity is negative");
    }
    file.Read([](std::string_view line) { records::ReadFirstNumber(line); });
    for (float& descriptor : spectrum.descriptors) {
        file.Read([&](std::string_view line) { descriptor = records::ReadFirstNumberSingle(line); });
    }

    spectrum.lastBin = 300;
    while (spectrum.lastBin > 0 && spectrum.intensity[spectrum.lastBin] == 0.0f) --spectrum.lastBin;
    if (spectrum.lastBin == 0) file.FailAt(1, "正の強度がありません", "no intensity is positive");
    // Bins below 10 (under 5 keV) are never simulated.
    if (spectrum.lastBin < 10)
        file.FailAt(spectrum.lastBin, "5 keV 以上に強度がありません", "no intensity at 5 keV or above");

    float sum = 0.0f;
    for (int i = 1; i <= 300; ++i) sum += spectrum.intensity[i];
    if (!std::isfinite(sum))
        file.FailAt(1, "強度の合計が大きすぎます（単精度の範囲外）",
            "the intensities sum to more than single precision holds");
    for (int i = 1; i <= 300; ++i) spectrum.intensity[i] = spectrum.intensity[i] / sum;
}

} // namespace

Tables LoadTables(const std::string& directory)
{
    Tables tables;
    int firstInteractionRecord = 0;
    ReadInteractionFile(directory, tables.interaction, tables.scatter, firstInteractionRecord);
    ReadAirFile(directory, tables.air);
    ReadConversionFile(directory, tables.conversion);
    ReadJobFile(directory, tables.job);
    ReadSpectrumFile(directory, tables.spectrum);

    // The tables must cover every energy a photon can have: 5 keV up to the top bin.
    const float topEnergy = static_cast<float>(tables.spectrum.lastBin) * Spectrum::kBinWidth;
    const InteractionTable& interaction = tables.interaction;
    if (interaction.energy[1] > 5.0f) {
        throw InputError(records::DescribeRecordError(records::kInteractionTableFile, firstInteractionRecord,
            "相互作用表が 5 keV より上から始まっています", "the interaction table starts above 5 keV"));
    }
    if (!(interaction.energy[interaction.rows] > topEnergy)) {
        throw InputError(records::DescribeRecordError(records::kInteractionTableFile,
            firstInteractionRecord + interaction.rows - 1,
            "相互作用表がスペクトルの最高エネルギー " + Number(topEnergy) +
                " keV を超えるところまでありません",
            "the interaction table does not reach beyond the top spectrum energy " + Number(topEnergy) +
                " keV"));
    }
    if (!(tables.conversion.energy[ConversionTable::kRows] > topEnergy)) {
        throw InputError(records::DescribeRecordError(records::kConversionTableFile, ConversionTable::kRows,
            "換算表がスペクトルの最高エネルギー " + Number(topEnergy) + " keV を超えるところまでありません",
            "the conversion table does not reach beyond the top spectrum energy " + Number(topEnergy) +
                " keV"));
    }
    CheckProducts(tables);
    return tables;
}

} // namespace engine
