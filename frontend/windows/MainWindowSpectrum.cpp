// "スペクトル表示" of the main window: the button, and the conditions handed to the spectrum
// view whenever an entry it depends on changes.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "windows/Controls.h"
#include "windows/MainWindow.h"
#include "windows/SpectrumWindow.h"

namespace brisca {

void MainWindow::buildSpectrumView()
{
    // Under the rectification frame, beside the entries it shows the beam of.
    spectrumButton_ = Button(this, "spectrumButton", tr("スペクトル表示"), 174, 480, 200, 44);
    spectrumButton_->setAutoDefault(true); // Enter presses it, as every button of the window
    spectrumWindow_ = std::make_unique<SpectrumWindow>(state_, platform_);
    connect(spectrumButton_, &QPushButton::clicked, this, &MainWindow::showSpectrum);
    connect(this, &MainWindow::conditionsChanged, spectrumWindow_.get(), &SpectrumWindow::showConditions);

    const auto announce = [this] { emit conditionsChanged(conditions()); };
    for (QLineEdit* box : {tubeVoltageEdit_, targetAngleEdit_, inherentFiltrationEdit_, aluminiumFilterEdit_,
             copperFilterEdit_, meanCurrentEdit_, fsdEdit_})
        connect(box, &QLineEdit::textChanged, this, announce);
    for (QRadioButton* option : {constantPotentialOption_, threePhaseOption_, singlePhaseOption_})
        connect(option, &QRadioButton::toggled, this, announce);
}

void MainWindow::showSpectrum()
{
    spectrumWindow_->showConditions(conditions());
    spectrumWindow_->showBeside(frameGeometry());
}

} // namespace brisca
