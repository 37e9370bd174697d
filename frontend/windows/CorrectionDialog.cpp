#include "windows/CorrectionDialog.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <tuple>

#include "logic/AppState.h"
#include "logic/result/CorrectedResult.h"
#include "logic/text/NumberText.h"
#include "platform/Platform.h"
#include "windows/Controls.h"
#include "windows/DesignUnits.h"
#include "windows/PictureBox.h"
#include "windows/ScreenFit.h"

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

CorrectionDialog::CorrectionDialog(AppState& state, Platform& platform, QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform)
{
    setObjectName("correctionDialog");
    setWindowTitle(tr("   実測値による散乱線量率の補正"));
    setFixedSize(DesignToPixels(9135), DesignToPixels(7815));

    introLabel_ = CaptionInDesignUnits(
        this, tr("実測値と合致するように補正　　実測した線量率を選択・入力"), 480, 240, 7980);
    introLabel_->setObjectName("introLabel");
    // Between the request and the frame, so that no value is entered for another file.
    fileNameLabel_ = CaptionInDesignUnits(this, QString(), 480, 540, 7980);
    fileNameLabel_->setObjectName("fileNameLabel");
    dataGroup_ = new QGroupBox(tr("補正に用いるデータの選択"), this);
    dataGroup_->setObjectName("dataGroup");
    PlaceInDesignUnits(dataGroup_, 360, 840, 8415, 5895);
    buildPrimary();
    buildScatter();

    okButton_ = new QPushButton("OK", this);
    okButton_->setObjectName("okButton");
    PlaceInDesignUnits(okButton_, 2760, 6840, 2415, 495);
    cancelButton_ = new QPushButton("Cancel", this);
    cancelButton_->setObjectName("cancelButton");
    PlaceInDesignUnits(cancelButton_, 7440, 6840, 1335, 495);
    iconView_ = new PictureBox(this);
    iconView_->setObjectName("iconView");
    PlaceInDesignUnits(iconView_, 6240, 6960, 480, 480);
    DrawMeterIcon(*iconView_);

    connect(primaryOption_, &QRadioButton::clicked, this, &CorrectionDialog::choosePrimary);
    connect(scatterOption_, &QRadioButton::clicked, this, &CorrectionDialog::chooseScatter);
    connect(okButton_, &QPushButton::clicked, this, &CorrectionDialog::saveCorrected);
    connect(cancelButton_, &QPushButton::clicked, this, &QWidget::hide);
    // Enter presses the focused button, or "OK" from anywhere else; Esc cancels.
    for (QPushButton* button : {okButton_, cancelButton_}) button->setAutoDefault(true);
    FitOnScreen(*this, 4);
}

void CorrectionDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        cancelButton_->click();
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        okButton_->click();
    else
        QWidget::keyPressEvent(event);
}

void CorrectionDialog::buildPrimary()
{
    primaryOption_ = OptionInDesignUnits(
        dataGroup_, "primaryOption", tr("FSD の空中における一次線の空気カーマ率（Gy/min）"), 360, 600, 6495);
    // The caption leaves room for the current value, which lies over it.
    CaptionInDesignUnits(dataGroup_, tr("現在値　　  　　　　⇒　実測値"), 960, 1080, 3510);
    primaryCurrentLabel_ = CurrentLabel(dataGroup_, "primaryCurrentLabel", 1800, 1080, 855);
    primaryMeasuredEdit_ = EntryInDesignUnits(dataGroup_, "primaryMeasuredEdit", 4800, 1020);
    CaptionInDesignUnits(
        dataGroup_, tr("・受像機などからの後方散乱線が混入しないように測定して下さい"), 720, 1560, 7400);
    CaptionInDesignUnits(
        dataGroup_, tr("・状況によっては、もっと短い距離で測定し、距離の逆自乗則を"), 720, 1920, 7400);
    CaptionInDesignUnits(dataGroup_, tr("用いて FSD における空気カーマ率を求めて下さい"), 960, 2280, 7160);
}

void CorrectionDialog::buildScatter()
{
    scatterOption_ = OptionInDesignUnits(dataGroup_, "scatterOption",
        tr("ファントム中心から側方 100 cm の点における散乱線量率"), 360, 2880, 7095);
    kindGroup_ = new QGroupBox(tr("線量率の種類・単位"), dataGroup_);
    kindGroup_->setObjectName("kindGroup");
    PlaceInDesignUnits(kindGroup_, 720, 3360, 6855, 2175);

    kermaOption_ =
        OptionInDesignUnits(kindGroup_, "kermaOption", tr("空気カーマ率（μGy/min）"), 360, 480, 4000);
    CaptionInDesignUnits(kindGroup_, tr("現在値                     ⇒  実測値"), 1320, 840, 3500);
    kermaCurrentLabel_ = CurrentLabel(kindGroup_, "kermaCurrentLabel", 2160, 840, 1095);
    kermaMeasuredEdit_ = EntryInDesignUnits(kindGroup_, "kermaMeasuredEdit", 4920, 780);

    doseOption_ =
        OptionInDesignUnits(kindGroup_, "doseOption", tr("実効線量 (H1cm) 率（μSv/min）"), 360, 1320, 4000);
    CaptionInDesignUnits(kindGroup_, tr("現在値                     ⇒  実測値"), 1320, 1680, 3500);
    doseCurrentLabel_ = CurrentLabel(kindGroup_, "doseCurrentLabel", 2160, 1680, 1095);
    doseMeasuredEdit_ = EntryInDesignUnits(kindGroup_, "doseMeasuredEdit", 4920, 1560);
}

void CorrectionDialog::open()
{
    if (const std::string refusal = state_.display.CorrectionRefusal(); !refusal.empty()) {
        warn(QString::fromStdString(refusal));
        return;
    }
    const ResultFile& file = state_.display.painted->file;
    file_ = file.name;
    fileNameLabel_->setText(tr("補正する結果ファイル：　%1").arg(QString::fromStdString(file_)));
    primaryOption_->setChecked(true);
    choosePrimary();
    primaryCurrentLabel_->setText(
        QString::fromStdString(file.header.labels[static_cast<int>(HeaderValue::FreeAirKermaRate)]));
    // The point 100 cm beside the phantom centre at its height: column 80, row 300.
    const auto current = [this](Quantity quantity) {
        return QString::fromStdString(
            FormatNumber(state_.display.Grid(quantity).At(HeightLayer::Centre, 80, 300), "0.00E+00"));
    };
    kermaCurrentLabel_->setText(current(Quantity::Kerma));
    doseCurrentLabel_->setText(current(Quantity::Dose));
    for (QLineEdit* box : {primaryMeasuredEdit_, kermaMeasuredEdit_, doseMeasuredEdit_}) box->clear();
    show();
    raise();
    activateWindow();
}

void CorrectionDialog::choosePrimary()
{
    for (QRadioButton* kind : {kermaOption_, doseOption_}) {
        Clear(kind);
        kind->setEnabled(false);
    }
}

void CorrectionDialog::chooseScatter()
{
    kermaOption_->setEnabled(true);
    doseOption_->setEnabled(true);
    kermaOption_->setChecked(true);
}

void CorrectionDialog::saveCorrected()
{
    // The result window may have moved on to another file while the dialog was open.
    std::string refusal = state_.display.CorrectionRefusal();
    if (refusal.empty() && state_.display.painted->file.name != file_)
        refusal =
            tr(" 表示中の結果が %1 から %2 に変わりました（「実測値による補正」を押し直して下さい） ")
                .arg(QString::fromStdString(file_), QString::fromStdString(state_.display.painted->file.name))
                .toStdString();
    if (!refusal.empty()) {
        warn(QString::fromStdString(refusal));
        return;
    }

    // The measured box and current value of the choice, and what the note calls it.
    const auto [measured, current, quantity] =
        primaryOption_->isChecked() ? std::tuple{primaryMeasuredEdit_, primaryCurrentLabel_,
                                          "FSD の空中における一次線の空気カーマ率（Gy/min）"}
        : kermaOption_->isChecked()
            ? std::tuple{kermaMeasuredEdit_, kermaCurrentLabel_, "側方 100 cm の空気カーマ率（μGy/min）"}
            : std::tuple{doseMeasuredEdit_, doseCurrentLabel_, "側方 100 cm の実効線量 (H1cm) 率（μSv/min）"};
    const Expected<double> factor =
        CorrectionFactorOf(measured->text().toStdString(), current->text().toStdString());
    if (!factor) {
        warn(QString::fromStdString(MessageText(factor.Failure())));
        return;
    }
    platform_.ProcessPendingEvents();
    const CorrectionNote note{*factor, *MeasuredValueOf(measured->text().toStdString()), quantity};
    const auto replace = [this](const std::string& target) {
        return platform_.ShowMessage(
                   tr(" %1 は既にあります（前の補正の結果です）。新しい補正で置き換えますか？ ")
                       .arg(QString::fromStdString(target)),
                   MessageButtons::OkCancel, MessageIcon::Warning) == MessageAnswer::Ok;
    };
    const Expected<std::string> correctedName =
        CorrectResultFile(std::filesystem::current_path(), file_, note, replace);
    if (!correctedName) {
        warn(tr(" 補正したファイルを保存できませんでした \n") +
             QString::fromStdString(MessageText(correctedName.Failure())));
        return;
    }
    // Declined: the earlier copy stays and the dialog with it.
    if (correctedName->empty()) return;
    platform_.ProcessPendingEvents();
    emit correctedFileSaved(QString::fromStdString(*correctedName));
    hide();
}

void CorrectionDialog::warn(const QString& text)
{
    platform_.ShowMessage(text, MessageButtons::Ok, MessageIcon::Warning);
}

} // namespace brisca
