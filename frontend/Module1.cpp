#include "Module1.h"

#include <QLineEdit>
#include <QString>
#include <cmath>
#include <filesystem>
#include <limits>

#include "Forms.h"
#include "NumberText.h"
#include "platform/Platform.h"
#include "setup/Form2.h"
#include "setup/TubeOutput.h"
#include "setup/XraySpectrum.h"

namespace brisca {

Module1& module1()
{
    static Module1 state;
    return state;
}

bool LoadDataTables()
{
    const std::string error = ReadDataTables(std::filesystem::current_path(), module1().Tables);
    if (error.empty()) return true;
    platform().MsgBox(QString::fromStdString(error), MsgButtons::Ok, MsgIcon::Warning);
    return false;
}

bool GenerateSpectrum()
{
    Form2& form = form2();
    const XraySpectrum spectrum = ComputeXraySpectrum(form.Entries(), module1().Tables);
    if (spectrum.CorrectedText1) {
        form.Text1->setText(QString::fromStdString(*spectrum.CorrectedText1));
    }
    if (spectrum.CorrectedText2) {
        form.Text2->setText(QString::fromStdString(*spectrum.CorrectedText2));
    }
    if (!spectrum.Warning.empty()) {
        platform().MsgBox(QString::fromStdString(spectrum.Warning), MsgButtons::Ok, MsgIcon::Warning);
        return false;
    }
    Module1& shared = module1();
    shared.Spectrum = spectrum.Spectrum;
    shared.PhaseSpectrum = spectrum.PhaseSpectrum;
    shared.KermaRef = spectrum.KermaRef;
    shared.KermaUser = spectrum.KermaUser;
    shared.KermaRatio = spectrum.KermaRatio;
    shared.SpectrumFile = SpectrumFileText(spectrum);
    return true;
}

bool ComputeTubeOutput()
{
    const Form2& form = form2();
    Module1& shared = module1();
    const double V = Val(form.Text1->text().toStdString());
    const double I = Val(form.Text8->text().toStdString());
    const TubeOutputResult output =
        ComputeTubeOutputFor(V, I, shared.RectifierType, shared.KermaRatio, shared.Tables);
    if (!output.Warning.empty()) {
        platform().MsgBox(QString::fromStdString(output.Warning), MsgButtons::Ok, MsgIcon::Warning);
        return false;
    }
    shared.TubeOutput = output.TubeOutput;
    return true;
}

} // namespace brisca
