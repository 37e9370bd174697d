#include "logic/start/TubeOutput.h"

#include "logic/text/NumberText.h"

namespace brisca {

Expected<double> ComputeTubeOutputFor(
    double V, double I, Rectifier rectifier, double kermaRatio, const DataTables& tables)
{
    const auto& voltages = tables.outputTable[1];
    const auto& outputs = tables.outputTable[static_cast<std::size_t>(rectifier) + 1];

    // First row from the second on whose voltage is not below V.
    std::size_t j = 2;
    while (j <= OutputRows && V > voltages[j]) ++j;
    if (j > OutputRows)
        return TranslatedProblem(
            "管電圧 " + PlainNumberText(V) + " kV は管出力表（default-output.op）の最高電圧 " +
                PlainNumberText(voltages[OutputRows]) + " kV を超えているため、管出力を求められません。",
            "The tube output cannot be found: a tube voltage of " + PlainNumberText(V) +
                " kV is above the highest voltage of the tube output table default-output.op, " +
                PlainNumberText(voltages[OutputRows]) + " kV.");
    const double V0 = voltages[j - 1];
    const double V1 = voltages[j];
    const double Y0 = outputs[j - 1];
    const double Y1 = outputs[j];
    const double Y = Y0 + (Y1 - Y0) * (V - V0) / (V1 - V0);
    return kermaRatio * Y * I * 60.0 * 33.97;
}

} // namespace brisca
