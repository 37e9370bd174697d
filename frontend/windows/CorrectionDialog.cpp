#include "windows/CorrectionDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <utility>

#include "logic/AppState.h"
#include "logic/result/CorrectedResult.h"
#include "logic/text/NumberText.h"
#include "platform/Platform.h"
#include "windows/Controls.h"
#include "windows/DesignUnits.h"
#include "windows/PictureBox.h"
#include "windows/ResultWindow.h"
#include "windows/SavedNotice.h"

namespace brisca {

namespace {

// Geometry in design units, as the dialog was designed; controls in a frame are placed within it.
QLabel* CaptionInDesignUnits(QWidget* parent, const QString& text, int left, int top, int width)
{
    auto* label = new QLabel(text, parent);
    PlaceInDesignUnits(label, left, top, width, 300);
    return label;
}

// A current value on its light cyan ground.
QLabel* CurrentLabel(QWidget* parent, const char* name, int left, int top, int width)
{
    QLabel* label = CaptionInDesignUnits(parent, QString(), left, top, width);
    label->setObjectName(name);
    label->setStyleSheet("background: rgb(192, 255, 255);");
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLineEdit* EntryInDesignUnits(QWidget* parent, const char* name, int left, int top)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    PlaceInDesignUnits(box, left, top, 1335, 345);
    return box;
}

QRadioButton* OptionInDesignUnits(
    QWidget* parent, const char* name, const QString& text, int left, int top, int width)
{
    auto* option = new QRadioButton(text, parent);
    option->setObjectName(name);
    PlaceInDesignUnits(option, left, top, width, 360);
    return option;
}

// Unchecks a radio button even though its group would keep one checked.
void Clear(QRadioButton* option)
{
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

// A small survey meter: a case with a dial and its needle.
void DrawMeterIcon(PictureBox& icon)
{
    icon.setBorder(false);
    icon.setScale(0, 0, 32, 32);
    icon.clear();
    UserScaleCanvas canvas = icon.canvas();
    canvas.FilledBox(3, 6, 30, 29, QColor(96, 96, 128));
    canvas.FilledBox(6, 9, 27, 21, QColor(255, 255, 224));
    canvas.Arc(16, 20, 8, QColor(0, 0, 0), 0.35, 2.8);
    canvas.SetDrawWidth(2);
    canvas.Line(16, 19, 22, 13, QColor(255, 0, 0));
    canvas.SetDrawWidth(1);
    canvas.FilledBox(12, 2, 21, 7, QColor(64, 64, 64));
    canvas.FilledBox(8, 23, 13, 27, QColor(0, 160, 0));
    icon.update();
}

} // namespace

CorrectionDialog::CorrectionDialog(
    AppState& state, Platform& platform, ResultWindow& results, SavedNotice& notice, QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform), results_(results), notice_(notice)
{
    setObjectName("correctionDialog");
    setWindowTitle("   実測値による散乱線量率の補正");
    setFixedSize(DesignToPixels(9135), DesignToPixels(7815));

    introLabel = CaptionInDesignUnits(
        this, "実測値と合致するように補正　　実測した線量率を選択・入力", 480, 240, 7980);
    introLabel->setObjectName("introLabel");
    dataGroup = new QGroupBox("補正に用いるデータの選択", this);
    dataGroup->setObjectName("dataGroup");
    PlaceInDesignUnits(dataGroup, 360, 840, 8415, 5895);
    buildPrimary();
    buildScatter();

    okButton = new QPushButton("OK", this);
    okButton->setObjectName("okButton");
    PlaceInDesignUnits(okButton, 2760, 6840, 2415, 495);
    cancelButton = new QPushButton("Cancel", this);
    cancelButton->setObjectName("cancelButton");
    PlaceInDesignUnits(cancelButton, 7440, 6840, 1335, 495);
    iconView = new PictureBox(this);
    iconView->setObjectName("iconView");
    PlaceInDesignUnits(iconView, 6240, 6960, 480, 480);
    DrawMeterIcon(*iconView);

    connect(primaryOption, &QRadioButton::clicked, this, &CorrectionDialog::choosePrimary);
    connect(scatterOption, &QRadioButton::clicked, this, &CorrectionDialog::chooseScatter);
    connect(okButton, &QPushButton::clicked, this, &CorrectionDialog::saveCorrected);
    connect(cancelButton, &QPushButton::clicked, this, &QWidget::hide);
}

void CorrectionDialog::buildPrimary()
{
    primaryOption = OptionInDesignUnits(
        dataGroup, "primaryOption", "FSD の空中における一次線の空気カーマ率（Gy/min）", 360, 600, 6495);
    // The caption leaves room for the current value, which lies over it.
    CaptionInDesignUnits(dataGroup, "現在値　　  　　　　⇒　実測値", 960, 1080, 3510);
    primaryCurrentLabel = CurrentLabel(dataGroup, "primaryCurrentLabel", 1800, 1080, 855);
    primaryMeasuredEdit = EntryInDesignUnits(dataGroup, "primaryMeasuredEdit", 4800, 1020);
    CaptionInDesignUnits(
        dataGroup, "・受像機などからの後方散乱線が混入しないように測定して下さい", 720, 1560, 7400);
    CaptionInDesignUnits(
        dataGroup, "・状況によっては、もっと短い距離で測定し、距離の逆自乗則を", 720, 1920, 7400);
    CaptionInDesignUnits(dataGroup, "用いて FSD における空気カーマ率を求めて下さい", 960, 2280, 7160);
}

void CorrectionDialog::buildScatter()
{
    scatterOption = OptionInDesignUnits(
        dataGroup, "scatterOption", "ファントム中心から側方 100 cm の点における散乱線量率", 360, 2880, 7095);
    kindGroup = new QGroupBox("線量率の種類・単位", dataGroup);
    kindGroup->setObjectName("kindGroup");
    PlaceInDesignUnits(kindGroup, 720, 3360, 6855, 2175);

    kermaOption = OptionInDesignUnits(kindGroup, "kermaOption", "空気カーマ率（μGy/min）", 360, 480, 4000);
    CaptionInDesignUnits(kindGroup, "現在値                     ⇒  実測値", 1320, 840, 3500);
    kermaCurrentLabel = CurrentLabel(kindGroup, "kermaCurrentLabel", 2160, 840, 1095);
    kermaMeasuredEdit = EntryInDesignUnits(kindGroup, "kermaMeasuredEdit", 4920, 780);

    doseOption =
        OptionInDesignUnits(kindGroup, "doseOption", "実効線量 (H1cm) 率（μSv/min）", 360, 1320, 4000);
    CaptionInDesignUnits(kindGroup, "現在値                     ⇒  実測値", 1320, 1680, 3500);
    doseCurrentLabel = CurrentLabel(kindGroup, "doseCurrentLabel", 2160, 1680, 1095);
    doseMeasuredEdit = EntryInDesignUnits(kindGroup, "doseMeasuredEdit", 4920, 1560);
}

void CorrectionDialog::open()
{
    primaryOption->setChecked(true);
    choosePrimary();
    primaryCurrentLabel->setText(results_.conditionLabels[0]->text());
    // The point 100 cm beside the phantom centre at its height: column 80, row 300.
    kermaCurrentLabel->setText(
        QString::fromStdString(FormatNumber(state_.kermaGrid.At(HeightLayer::Centre, 80, 300), "0.00E+00")));
    doseCurrentLabel->setText(
        QString::fromStdString(FormatNumber(state_.doseGrid.At(HeightLayer::Centre, 80, 300), "0.00E+00")));
    for (QLineEdit* box : {primaryMeasuredEdit, kermaMeasuredEdit, doseMeasuredEdit}) box->clear();
    show();
    raise();
    activateWindow();
}

void CorrectionDialog::choosePrimary()
{
    for (QRadioButton* kind : {kermaOption, doseOption}) {
        Clear(kind);
        kind->setEnabled(false);
    }
}

void CorrectionDialog::chooseScatter()
{
    kermaOption->setEnabled(true);
    doseOption->setEnabled(true);
    kermaOption->setChecked(true);
}

void CorrectionDialog::saveCorrected()
{
    const auto [measured, current] =
        primaryOption->isChecked() ? std::pair{primaryMeasuredEdit, primaryCurrentLabel}
        : kermaOption->isChecked() ? std::pair{kermaMeasuredEdit, kermaCurrentLabel}
                                   : std::pair{doseMeasuredEdit, doseCurrentLabel};
    const Expected<double> factor =
        CorrectionFactorOf(measured->text().toStdString(), current->text().toStdString());
    if (!factor) {
        warn(QString::fromStdString(MessageText(factor.Failure())));
        return;
    }

    platform_.ProcessPendingEvents();
    const Expected<std::string> correctedName =
        CorrectConvertedResult(std::filesystem::current_path(), *factor);
    if (!correctedName) {
        warn(" 補正したファイルを保存できませんでした \n" +
             QString::fromStdString(MessageText(correctedName.Failure())));
        return;
    }
    platform_.ProcessPendingEvents();
    results_.refreshFileList();
    results_.correctionButton->setEnabled(false);
    notice_.fileNameLabel->setText(QString::fromStdString(*correctedName));
    notice_.show();
    hide();
}

void CorrectionDialog::warn(const QString& text)
{
    platform_.ShowMessage(text, MessageButtons::Ok, MessageIcon::Warning);
}

} // namespace brisca
