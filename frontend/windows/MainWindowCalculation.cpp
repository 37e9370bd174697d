// "計算スタート" of the main window: the boxes into the same preparation brisca-job uses, the
// corrections back into the boxes, then the files and the engine.
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <filesystem>

#include "logic/AppState.h"
#include "logic/start/CalculationStart.h"
#include "logic/start/EngineLocator.h"
#include "logic/start/StartChecks.h"
#include "platform/Platform.h"
#include "windows/MainWindow.h"

namespace brisca {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string S(const QLineEdit* box) { return box->text().toStdString(); }

// Puts a corrected text into its box.
void Correct(QLineEdit* box, const std::optional<std::string>& text)
{
    if (text) box->setText(Q(*text));
}

} // namespace

CalculationEntries MainWindow::entries() const
{
    CalculationEntries entries;
    entries.tubeVoltageKv = S(tubeVoltageEdit);
    entries.targetAngleDegrees = S(targetAngleEdit);
    entries.inherentFiltrationMmAl = S(inherentFiltrationEdit);
    entries.addedAluminiumMm = S(aluminiumFilterEdit);
    entries.addedCopperMm = S(copperFilterEdit);
    entries.meanTubeCurrentMa = S(meanCurrentEdit);
    entries.fsdCm = S(fsdEdit);
    entries.fieldLongCm = S(fieldLongEdit);
    entries.fieldShortCm = S(fieldShortEdit);
    entries.histories = S(historiesEdit);
    entries.resultName = S(resultNameEdit);
    entries.rectifier = threePhaseOption->isChecked()    ? Rectifier::ThreePhase12Peak
                        : singlePhaseOption->isChecked() ? Rectifier::SinglePhase
                                                         : Rectifier::ConstantPotential;
    entries.position = standingOption->isChecked() ? PatientPosition::Standing : PatientPosition::Supine;
    return entries;
}

Expected<CalculationConditions> MainWindow::conditions() const { return ReadCalculationEntries(entries()); }

void MainWindow::startCalculation()
{
    const StartPreparation preparation = PrepareCalculation(entries(), state_.tables);
    Correct(historiesEdit, preparation.corrections.histories);
    Correct(tubeVoltageEdit, preparation.corrections.tubeVoltageKv);
    Correct(inherentFiltrationEdit, preparation.corrections.inherentFiltrationMmAl);
    if (!preparation.calculation) {
        warn(Q(MessageText(preparation.calculation.Failure())));
        return;
    }
    const PreparedCalculation& prepared = *preparation.calculation;
    if (!prepared.question.empty() && platform_.ShowMessage(Q(prepared.question), MessageButtons::OkCancel,
                                          MessageIcon::Warning) != MessageAnswer::Ok)
        return;
    state_.spectrum = prepared.spectrum;
    state_.job = prepared.job;
    platform_.ProcessPendingEvents();

    if (const std::optional<Problem> problem = WriteCalculationFiles(prepared)) {
        warn(Q(MessageText(*problem)));
        return;
    }
    platform_.ProcessPendingEvents();

    if ((supineOption->isChecked() || standingOption->isChecked()) && !startEngine(prepared.engineProgram))
        return;

    platform_.ShowMessage(" 計算には長時間を要します。", MessageButtons::Ok, MessageIcon::None);
    platform_.ShowMessage(
        " cpuスレッド数以内であれば、同時に異なる条件下でシミュレーションを行なうことができます ",
        MessageButtons::Ok, MessageIcon::None);
}

// The engine beside brisca first, then in the working directory; it runs in the working
// directory in a console window of its own, or with its console output in
// "<result name>.log" where no window can show it.
bool MainWindow::startEngine(const std::string& program)
{
    const QString shown = Q(ProgramFileName(program));
    const auto engine =
        LocateEngine(program, platform_.ProgramFolder().toStdString(), std::filesystem::current_path());
    if (!engine) {
        warn(" エンジン " + shown +
             " が見つかりません（brisca と同じフォルダと作業ディレクトリを探しました） ");
        return false;
    }
    ProgramStart start;
    start.program = Q(engine->string());
    start.workingDirectory = QDir::currentPath();
    start.style = WindowStyle::NormalFocus;
    start.logFile = QDir::current().absoluteFilePath(resultNameEdit->text() + ".log");
    if (!platform_.StartProgram(start)) {
        warn(" エンジン " + shown + " を起動できません ");
        return false;
    }
    return true;
}

} // namespace brisca
