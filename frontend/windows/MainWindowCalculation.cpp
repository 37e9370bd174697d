// "計算スタート" of the main window: the boxes into the same preparation brisca-job uses, the
// corrections back into the boxes, then the files and the engine.
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <filesystem>

#include "logic/AppState.h"
#include "logic/start/CalculationStart.h"
#include "logic/start/EngineLocator.h"
#include "logic/start/RunChoices.h"
#include "logic/start/StartChecks.h"
#include "platform/Platform.h"
#include "windows/MainWindow.h"
#include "windows/RunsWindow.h"

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
    entries.tubeVoltageKv = S(tubeVoltageEdit_);
    entries.targetAngleDegrees = S(targetAngleEdit_);
    entries.inherentFiltrationMmAl = S(inherentFiltrationEdit_);
    entries.addedAluminiumMm = S(aluminiumFilterEdit_);
    entries.addedCopperMm = S(copperFilterEdit_);
    entries.meanTubeCurrentMa = S(meanCurrentEdit_);
    entries.fsdCm = S(fsdEdit_);
    entries.fieldLongCm = S(fieldLongEdit_);
    entries.fieldShortCm = S(fieldShortEdit_);
    entries.histories = S(historiesEdit_);
    entries.resultName = S(resultNameEdit_);
    entries.cores = std::to_string(coresBox_->value());
    entries.precisionPercent = S(precisionEdit_);
    entries.rectifier = threePhaseOption_->isChecked()    ? Rectifier::ThreePhase12Peak
                        : singlePhaseOption_->isChecked() ? Rectifier::SinglePhase
                                                          : Rectifier::ConstantPotential;
    entries.position = standingOption_->isChecked() ? PatientPosition::Standing : PatientPosition::Supine;
    return entries;
}

Expected<CalculationConditions> MainWindow::conditions() const { return ReadCalculationEntries(entries()); }

void MainWindow::startCalculation()
{
    const StartPreparation preparation = PrepareCalculation(entries(), state_.tables);
    Correct(historiesEdit_, preparation.corrections.histories);
    Correct(tubeVoltageEdit_, preparation.corrections.tubeVoltageKv);
    Correct(inherentFiltrationEdit_, preparation.corrections.inherentFiltrationMmAl);
    if (!preparation.calculation) {
        warn(Q(MessageText(preparation.calculation.Failure())));
        return;
    }
    // The voltage the spectrum can take is used only when the user agrees.
    if (const std::optional<Problem>& notice = preparation.corrections.tubeVoltageNotice;
        notice && platform_.ShowMessage(Q(MessageText(*notice)) + tr("。計算を始めますか？ "),
                      MessageButtons::OkCancel, MessageIcon::Warning) != MessageAnswer::Ok)
        return;
    const PreparedCalculation& prepared = *preparation.calculation;
    if (prepared.question && platform_.ShowMessage(Q(MessageText(*prepared.question)),
                                 MessageButtons::OkCancel, MessageIcon::Warning) != MessageAnswer::Ok)
        return;
    state_.spectrum = prepared.spectrum;
    state_.job = prepared.job;
    platform_.ProcessPendingEvents();

    if (const std::optional<Problem> problem = WriteCalculationFiles(prepared)) {
        warn(Q(MessageText(*problem)));
        return;
    }
    platform_.ProcessPendingEvents();

    if ((supineOption_->isChecked() || standingOption_->isChecked()) && !startEngine(prepared)) return;

    // In front of the console window the engine has just opened.
    platform_.ShowNoticeInFront(tr(" 計算には長時間を要します。"));
    platform_.ShowNoticeInFront(
        tr(" cpuスレッド数以内であれば、同時に異なる条件下でシミュレーションを行なうことができます "));
}

// The engine beside brisca first, then in the working directory; it runs in the working
// directory in a console window of its own, or with its console output in
// "<result name>.log" where no window can show it, with the cores and the precision in its
// environment. The runs window follows it from then on.
bool MainWindow::startEngine(const PreparedCalculation& prepared)
{
    const std::string& program = prepared.engineProgram;
    const QString shown = Q(ProgramFileName(program));
    const auto engine =
        LocateEngine(program, platform_.ProgramFolder().toStdString(), std::filesystem::current_path());
    if (!engine) {
        warn(tr(" エンジン %1 が見つかりません（brisca と同じフォルダと作業ディレクトリを探しました） ")
                 .arg(shown));
        return false;
    }
    ProgramStart start;
    start.program = Q(engine->string());
    start.workingDirectory = QDir::currentPath();
    start.style = WindowStyle::NormalFocus;
    start.logFile = QDir::current().absoluteFilePath(resultNameEdit_->text() + ".log");
    for (const EnvironmentSetting& setting : EngineEnvironment(prepared.conditions))
        start.environment.emplace_back(Q(setting.name), Q(setting.value));
    const std::optional<qint64> pid = platform_.StartProgram(start);
    if (!pid) {
        warn(tr(" エンジン %1 を起動できません ").arg(shown));
        return false;
    }
    if (!runsWindow_->isVisible()) runsWindow_->placeBelow(*this);
    runsWindow_->addRun(RunRow(
        prepared.job.resultName, prepared.conditions.position, *pid, prepared.conditions.precisionPercent));
    return true;
}

} // namespace brisca
