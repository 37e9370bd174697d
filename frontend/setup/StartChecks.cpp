#include "setup/StartChecks.h"

#include "NumberText.h"

StartCheck CheckCalculationEntries(const CalculationEntries& entries)
{
    StartCheck check;
    if (Val(entries.Text9) < MinimumHistories) {
        check.Warning = HistoriesWarning;
        check.CorrectedText9 = MinimumHistoriesText;
        return check;
    }
    if (Val(entries.Text13) > 30.0 || Val(entries.Text14) > 30.0) {
        check.Warning = FieldSizeWarning;
        return check;
    }
    if (entries.Text10.empty()) check.Warning = ResultNameWarning;
    return check;
}
