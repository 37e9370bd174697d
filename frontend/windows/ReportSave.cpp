#include "windows/ReportSave.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <filesystem>

#include "logic/result/ResultDisplayState.h"
#include "logic/start/DataTables.h"
#include "platform/Platform.h"
#include "report/ReportPdf.h"
#include "report/ResultFacts.h"
#include "windows/ExportSave.h"

namespace brisca {

namespace {

void Warn(Platform& platform, const std::string& text)
{
    platform.ShowMessage(QString::fromStdString(text), MessageButtons::Ok, MessageIcon::Warning);
}

// The busy cursor while the report is gathered and written, a second or two.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor)); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

bool SaveReport(Platform& platform, const ResultDisplayState& display, const ResultFile& file,
    Quantity quantity, const Thresholds& thresholds, std::optional<ReportRoom> room)
{
    ReportInputs inputs;
    const std::string problem = [&]() -> std::string {
        const BusyCursor busy;
        // The tables as brisca-map reads them: from the working folder, now.
        const Expected<DataTables> tables = ReadDataTables(".");
        if (const std::optional<Problem> error =
                GatherResultFacts(file.name, file.header, tables ? &*tables : nullptr, inputs))
            return QCoreApplication::translate(
                "brisca::ReportSave", "報告書を作れません [the report cannot be made]: %1")
                .arg(QString::fromStdString(MessageText(*error)))
                .toStdString();
        inputs.quantity = quantity;
        inputs.thresholds = thresholds;
        inputs.grid = display.Grid(quantity);
        inputs.room = std::move(room);
        const std::optional<Problem> dosesProblem = EvaluateReportDoses(inputs, display.doseGrid);
        return dosesProblem ? MessageText(*dosesProblem) : std::string();
    }();
    if (!problem.empty()) {
        Warn(platform, problem);
        return false;
    }
    const QString path =
        ChooseExportPath(platform, QCoreApplication::translate("brisca::ReportSave", "報告書保存"),
            ReportFileName(file.name), "PDF (*.pdf)");
    if (path.isEmpty()) return false;
    const std::optional<Problem> error = [&] {
        const BusyCursor busy;
        return WriteReportPdf(QFile::encodeName(path).toStdString(), inputs);
    }();
    if (error) {
        Warn(platform, MessageText(*error));
        return false;
    }
    return true;
}

} // namespace brisca
