#include "logic/StartChecks.h"

#include "logic/NumberText.h"

namespace brisca {

StartCheck CheckCalculationEntries(const CalculationEntries& entries)
{
    StartCheck check;
    if (Val(entries.histories) < MinimumHistories) {
        check.Warning = HistoriesWarning;
        check.correctedHistories = MinimumHistoriesText;
        return check;
    }
    if (Val(entries.fieldLongCm) > 30.0 || Val(entries.fieldShortCm) > 30.0) {
        check.Warning = FieldSizeWarning;
        return check;
    }
    if (entries.resultName.empty()) check.Warning = ResultNameWarning;
    return check;
}

} // namespace brisca
