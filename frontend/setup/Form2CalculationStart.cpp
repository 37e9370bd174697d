// "計算スタート" of the main window: from the conditions on the window to a running engine.
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <filesystem>

#include "Module1.h"
#include "NumberText.h"
#include "platform/Platform.h"
#include "setup/AtomicWrite.h"
#include "setup/CalculationStart.h"
#include "setup/EngineLocator.h"
#include "setup/Form2.h"
#include "setup/JobFile.h"
#include "setup/StartChecks.h"

namespace brisca {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

std::string S(const QLineEdit* box) { return box->text().toStdString(); }

void Warn(const QString& text) { platform().MsgBox(text, MsgButtons::Ok, MsgIcon::Warning); }

} // namespace

CalculationEntries Form2::Entries() const
{
    CalculationEntries entries;
    entries.Text1 = S(Text1);
    entries.Text5 = S(Text5);
    entries.Text2 = S(Text2);
    entries.Text3 = S(Text3);
    entries.Text4 = S(Text4);
    entries.Text8 = S(Text8);
    entries.Text7 = S(Text7);
    entries.Text13 = S(Text13);
    entries.Text14 = S(Text14);
    entries.Text9 = S(Text9);
    entries.Text10 = S(Text10);
    entries.RectifierType = module1().RectifierType;
    entries.Position = Option4->isChecked() ? PatientPositionChoice::Standing : PatientPositionChoice::Supine;
    return entries;
}

void Form2::Command1_Click()
{
    Module1& shared = module1();

    // Histories, field size and result name; the field size is stored once histories pass.
    const StartCheck check = CheckCalculationEntries(Entries());
    if (check.CorrectedText9) Text9->setText(Q(*check.CorrectedText9));
    if (check.Warning != HistoriesWarning) {
        shared.FieldLong = Val(S(Text13));
        shared.FieldShort = Val(S(Text14));
    }
    if (!check.Warning.empty()) {
        Warn(Q(check.Warning));
        return;
    }

    shared.Spectrum.fill(0.0);
    if (!GenerateSpectrum()) return;
    platform().DoEvents();
    if (!ComputeTubeOutput()) return;
    platform().DoEvents();

    // The job values are read again from the window, as they stand after the corrections.
    const JobValues job = ReadJobValues(Entries(), shared.TubeOutput);
    if (const std::string name = NonFiniteJobValue(job); !name.empty()) {
        Warn(Q(name + " の値が大きすぎて扱えません。"));
        return;
    }
    shared.Fsd = job.Fsd;
    shared.FieldLong = job.FieldLong;
    shared.FieldShort = job.FieldShort;
    shared.Histories = job.Histories;

    if (!WriteJobFiles(JobFileText(job))) return;
    platform().DoEvents();

    if ((Option3->isChecked() || Option4->isChecked()) && !StartEngine()) return;

    platform().MsgBox(" 計算には長時間を要します。", MsgButtons::Ok, MsgIcon::None);
    platform().MsgBox(
        " cpuスレッド数以内であれば、同時に異なる条件下でシミュレーションを行なうことができます ",
        MsgButtons::Ok, MsgIcon::None);
}

// Both files are written only once every value is known to be sound, each under a temporary
// name first, so an engine starting meanwhile never reads half a file.
bool Form2::WriteJobFiles(const std::string& jobFile)
{
    const std::string& spectrumFile = module1().SpectrumFile;
    for (const auto& [name, text] :
        {std::pair{SpectrumFileName, &spectrumFile}, std::pair{JobFileName, &jobFile}}) {
        if (const std::string error = WriteTextFileAtomically(name, *text); !error.empty()) {
            Warn(Q(error));
            return false;
        }
    }
    return true;
}

// The engine of the chosen position, beside brisca first, then in the working directory; it
// runs in the working directory in a console window of its own, or with its console output
// in "<result name>.log" where no window can show it.
bool Form2::StartEngine()
{
    const std::string program = EngineProgramFor(
        Option4->isChecked() ? PatientPositionChoice::Standing : PatientPositionChoice::Supine);
    const QString shown = Q(ProgramFileName(program));
    const auto engine =
        LocateEngine(program, platform().ProgramFolder().toStdString(), std::filesystem::current_path());
    if (!engine) {
        Warn(" エンジン " + shown +
             " が見つかりません（brisca と同じフォルダと作業ディレクトリを探しました） ");
        return false;
    }
    ProgramStart start;
    start.program = Q(engine->string());
    start.workingDirectory = QDir::currentPath();
    start.style = WindowStyle::NormalFocus;
    start.logFile = QDir::current().absoluteFilePath(Text10->text() + ".log");
    if (!platform().StartProgram(start)) {
        Warn(" エンジン " + shown + " を起動できません ");
        return false;
    }
    return true;
}

} // namespace brisca
