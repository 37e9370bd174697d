#include "windows/OverlayWindow.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "drawing/DistributionMap.h"
#include "drawing/RoomOverlay.h"
#include "logic/AppState.h"
#include "logic/exports/ErrorExport.h"
#include "logic/result/ResultHeader.h"
#include "logic/text/NumberText.h"
#include "platform/Platform.h"
#include "windows/Controls.h"
#include "windows/DesignUnits.h"
#include "windows/EvaluationPointsPanel.h"
#include "windows/ExportSave.h"
#include "windows/JapaneseFont.h"
#include "windows/PictureBox.h"
#include "windows/ScreenFit.h"

namespace brisca {

namespace {

QLabel* Value(QWidget* parent, const char* name, int x, int y, int w)
{
    QLabel* label = Caption(parent, QString(), x, y, w);
    label->setObjectName(name);
    label->setStyleSheet("background: rgb(255, 255, 192);");
    return label;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

} // namespace

OverlayWindow::OverlayWindow(AppState& state, Platform& platform, QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform)
{
    setObjectName("overlayWindow");
    setWindowTitle(tr("  透視室内散乱線分布図"));
    // The plan picture and its 2-pixel sunken border; under it and the side column, the read-out
    // and the evaluation points.
    const int plan = OverlayImageSide + 4;
    const int readoutTop = plan + 18;
    setFixedSize(plan + 420, readoutTop + 34 + PointsPanelHeight + 12);

    planView_ = new PictureBox(this);
    planView_->setObjectName("planView");
    planView_->setGeometry(12, 12, plan, plan);

    const int side = plan + 28;
    QFont title = WindowFont(14);
    title.setBold(true);
    Caption(this, tr("室内散乱線分布"), side, 12, 380, 30)->setFont(title);
    layoutNameLabel_ = Caption(this, Q(state_.roomLayoutName), side, 44, 380, 26);
    layoutNameLabel_->setObjectName("layoutNameLabel");
    layoutNameLabel_->setFont(WindowFont(12));

    const int legendTop = buildConditions(side) + 70;
    buildLegend(side, legendTop);
    buildChoices(side, legendTop + DesignToPixels(3975) + 16);
    buildPlanReadout(readoutTop);

    pointsPanel_ = new EvaluationPointsPanel(state_.roomPoints, platform_, this);
    pointsPanel_->move(12, readoutTop + 34);
    connect(pointsPanel_, &EvaluationPointsPanel::pointsChanged, this, &OverlayWindow::evaluatePoints);
    connect(pointsPanel_, &EvaluationPointsPanel::workloadChanged, this, &OverlayWindow::evaluatePoints);
    connect(planView_, &PictureBox::mouseDown, this, &OverlayWindow::pressOnPlan);
    connect(planView_, &PictureBox::mouseMove, this, &OverlayWindow::moveOnPlan);
    connect(planView_, &PictureBox::mouseUp, this, &OverlayWindow::releaseOnPlan);
    evaluatePoints();
    FitOnScreen(*this, 2);
}

int OverlayWindow::buildConditions(int side)
{
    // The conditions of the loaded result, each beside its caption and unit.
    struct Row {
        QLabel** value;
        const char* name;
        QString caption;
        const char* unit;
    };
    const Row rows[] = {{&freeAirKermaLabel_, "freeAirKermaLabel", tr("FSDにおける空気カーマ率"), "Gy/min"},
        {&fsdLabel_, "fsdLabel", tr("Ｘ線焦点 - 入射面 距離"), "cm"},
        {&tubeVoltageLabel_, "tubeVoltageLabel", tr("Ｘ線管電圧"), "kV"},
        {&tubeCurrentLabel_, "tubeCurrentLabel", tr("管電流"), "mA"},
        {&inherentFiltrationLabel_, "inherentFiltrationLabel", tr("固有ろ過"), "mmAl"},
        {&aluminiumFilterLabel_, "aluminiumFilterLabel", tr("アルミ付加フィルタ"), "mm"},
        {&copperFilterLabel_, "copperFilterLabel", tr("銅付加フィルタ"), "mm"}};
    positionLabel_ = Value(this, "positionLabel", side, 78, 200);
    int y = 108;
    for (const Row& row : rows) {
        Caption(this, row.caption, side, y, 200);
        *row.value = Value(this, row.name, side + 200, y, 110);
        Caption(this, row.unit, side + 316, y, 60);
        y += 28;
    }
    Caption(this, tr("照射野サイズ at FSD"), side, y, 200);
    fieldFirstLabel_ = Value(this, "fieldFirstLabel", side + 200, y, 50);
    Caption(this, "×", side + 252, y, 14);
    fieldSecondLabel_ = Value(this, "fieldSecondLabel", side + 268, y, 50);
    Caption(this, "cm²", side + 322, y, 40);
    return y;
}

void OverlayWindow::buildLegend(int side, int top)
{
    // Where the drawing's errors come from, between the conditions and the legend.
    uncertaintyLabel_ = Caption(this, QString(), side, top - 48, 380, 22);
    uncertaintyLabel_->setObjectName("uncertaintyLabel");
    uncertaintyLabel_->setFont(WindowFont(8));
    // The strip with the thresholds beside its boxes, or the error bands' ranges; the grey key
    // to the right of the thresholds.
    QLabel* micro = Caption(this, "μ", side + 64, top - 26, 16);
    legendUnitLabel_ = Caption(this, QString(), side + 80, top - 26, 200);
    legendUnitLabel_->setObjectName("legendUnitLabel");
    legendView_ = new PictureBox(this);
    legendView_->setObjectName("legendView");
    legendView_->setGeometry(side, top, DesignToPixels(855), DesignToPixels(3975));
    legend_ = MakeShadingLegend(this, legendView_, legendUnitLabel_,
        QRect(side + 64, top, 200, DesignToPixels(3975)), QRect(side + 196, top, 184, 44));
    legend_.rateControls.push_back(micro);
    for (int n = 0; n < 11; ++n) {
        const int rowTop = top + DesignToPixels(360 * n);
        thresholdLabels_[n] = Caption(this, QString(), side + 64, rowTop, 90, DesignToPixels(345));
        thresholdLabels_[n]->setObjectName(QString("thresholdLabel%1").arg(n + 1));
        thresholdLabels_[n]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QLabel* tilde = Caption(this, tr("～"), side + 158, rowTop, 24, DesignToPixels(345));
        legend_.rateControls.insert(legend_.rateControls.end(), {thresholdLabels_[n], tilde});
    }
    ShowShadingLegend(legend_, state_.displayChoice);
}

void OverlayWindow::buildChoices(int side, int top)
{
    heightGroup_ = new QGroupBox(tr("表示する水平面の高さ"), this);
    heightGroup_->setObjectName("heightGroup");
    heightGroup_->setGeometry(side, top, 300, 124);
    // Each option sits inside a red rounded frame; only the chosen height's frame shows.
    const auto framed = [this](QRadioButton*& option, QFrame*& frame, const char* optionName,
                            const char* frameName, const QString& text, int y) {
        frame = new QFrame(heightGroup_);
        frame->setObjectName(frameName);
        frame->setGeometry(8, y - 3, 270, 30);
        frame->setStyleSheet("QFrame { border: 2px solid rgb(255, 0, 0); border-radius: 6px; }");
        option = new QRadioButton(text, heightGroup_);
        option->setObjectName(optionName);
        option->setGeometry(16, y, 250, 24);
    };
    framed(aboveOption_, aboveFrame_, "aboveOption", "aboveFrame", tr("ファントム中心の上方 50 cm"), 26);
    framed(centreOption_, centreFrame_, "centreOption", "centreFrame", tr("ファントム中心の高さ"), 58);
    framed(belowOption_, belowFrame_, "belowOption", "belowFrame", tr("ファントム中心の下方 50 cm"), 90);
    showHeight(state_.displayChoice.layer);
    connect(aboveOption_, &QRadioButton::clicked, this, [this] { chooseHeight(HeightLayer::Above); });
    connect(centreOption_, &QRadioButton::clicked, this, [this] { chooseHeight(HeightLayer::Centre); });
    connect(belowOption_, &QRadioButton::clicked, this, [this] { chooseHeight(HeightLayer::Below); });

    bothSidesCheck_ = new QCheckBox(tr("両側の分布を表示"), this);
    bothSidesCheck_->setObjectName("bothSidesCheck");
    bothSidesCheck_->setGeometry(side, top + 134, 200, 26);

    redrawButton_ = new QPushButton(tr("再描画"), this);
    redrawButton_->setObjectName("redrawButton");
    redrawButton_->setGeometry(side, top + 170, 120, 36);
    connect(redrawButton_, &QPushButton::clicked, this, &OverlayWindow::drawOverlay);
    exitButton_ = new QPushButton("Exit", this);
    exitButton_->setObjectName("exitButton");
    exitButton_->setGeometry(side + 180, top + 170, 120, 36);
    connect(exitButton_, &QPushButton::clicked, this, &OverlayWindow::closeOverlay);
    // Beside "両側の分布を表示", clear of the height frames and the buttons below.
    imageSaveButton_ = new QPushButton(tr("画像保存"), this);
    imageSaveButton_->setObjectName("imageSaveButton");
    imageSaveButton_->setGeometry(side + 210, top + 130, 110, 32);
    connect(imageSaveButton_, &QPushButton::clicked, this, &OverlayWindow::saveImage);
}

void OverlayWindow::reset()
{
    for (QLabel* label : thresholdLabels_) label->clear();
    showConditions(nullptr);
    planView_->clear();
    drawn_ = PictureCaption{};
    forgetDrawing();
    ++resets_;
}

void OverlayWindow::showLayoutName(const QString& name) { layoutNameLabel_->setText(name); }

void OverlayWindow::showDistribution(QWidget& editor)
{
    // Always one-sided at first: both sides are asked for with "再描画".
    bothSidesCheck_->setChecked(false);
    drawOverlay();
    platform_.ProcessPendingEvents();
    showHeight(state_.displayChoice.layer);
    show();
    raise();
    editor.hide();
}

void OverlayWindow::chooseHeight(HeightLayer layer)
{
    state_.displayChoice.layer = layer;
    emit displayChoiceChanged();
    drawOverlay();
}

void OverlayWindow::showHeight(HeightLayer layer)
{
    QRadioButton* option = layer == HeightLayer::Above    ? aboveOption_
                           : layer == HeightLayer::Centre ? centreOption_
                                                          : belowOption_;
    option->setChecked(true);
    aboveFrame_->setVisible(option == aboveOption_);
    centreFrame_->setVisible(option == centreOption_);
    belowFrame_->setVisible(option == belowOption_);
}

void OverlayWindow::showDisplayChoice()
{
    const DisplayChoice& choice = state_.displayChoice;
    ShowShadingLegend(legend_, choice);
    for (int n = 0; n < 11; ++n) thresholdLabels_[n]->setText(Q(PlainNumberText(choice.thresholds[n + 1])));
    showHeight(choice.layer);
}

void OverlayWindow::drawOverlay()
{
    // The grids may belong to another file by now, or to none; errors may be asked of a result
    // without them.
    const QString refusal =
        !state_.display.painted
            ? tr(" 部屋に重ねる散乱線量分布がありません（結果ウィンドウで「散乱線量分布表示」を"
                 "押してから描画して下さい） ")
            : Q(state_.display.ContentRefusal(state_.displayChoice));
    if (!refusal.isEmpty()) {
        planView_->clear();
        showConditions(nullptr);
        drawn_ = PictureCaption{};
        forgetDrawing();
        platform_.ShowMessage(refusal, MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    // A copy: another file chosen during the yields drops the map on show.
    const ResultFile file = state_.display.painted->file;
    showConditions(&file.header);
    showDisplayChoice();

    const int resets = resets_;
    ++drawingsUnderWay_;
    OverlayInputs inputs{state_.roomLayout, file.header.patientPosition, file.header.fsd, {}, {}};
    inputs.row = [this] {
        const DisplayChoice& choice = state_.displayChoice;
        return OverlayRow{state_.display.Grid(choice.quantity), choice.layer, choice.thresholds,
            bothSidesCheck_->isChecked(), state_.display.Shading(choice)};
    };
    // A drawing started from a yield runs to its end before this one goes on with its remaining
    // rows; a reset (a new result display) or the program's end stops this one.
    inputs.afterRow = [this, resets] {
        planView_->update();
        platform_.ProcessPendingEvents();
        return resets == resets_ && !platform_.EndRequested();
    };
    DrawRoomOverlay(planView_->image(), inputs);
    // Quantity, height and thresholds as this drawing ended with them.
    drawn_ = CaptionOf(file, state_.displayChoice);
    if (resets == resets_) showDisplayChoice();
    const OverlayScale room = RoomSystem(state_.roomLayout);
    planView_->setScale(room.left, room.top, room.side, room.side);
    // A drawing started from a yield has ended before this one; the points wait for the last.
    if (--drawingsUnderWay_ == 0 && resets == resets_) keepDrawing(file);
    planView_->update();
}

void OverlayWindow::closeOverlay() { hide(); }

void OverlayWindow::saveImage()
{
    const std::string name =
        drawn_.shading.showErrors
            ? ErrorExportFileName(drawn_.resultName, drawn_.quantity, drawn_.layer, true, ".png")
            : ExportFileName(drawn_.resultName, drawn_.quantity, drawn_.layer, true, ".png");
    SaveExport(platform_, tr("画像保存"), name, "PNG (*.png)",
        PngBytes(ComposeResultPicture(planView_->image(), drawn_)));
}

void OverlayWindow::showConditions(const ResultHeader* header)
{
    const auto text = [header](HeaderValue which) {
        return header ? Q(header->labels[static_cast<int>(which)]) : QString();
    };
    positionLabel_->setText(text(HeaderValue::PatientPosition));
    freeAirKermaLabel_->setText(text(HeaderValue::FreeAirKermaRate));
    fsdLabel_->setText(text(HeaderValue::Fsd));
    fieldFirstLabel_->setText(text(HeaderValue::FieldFirst));
    fieldSecondLabel_->setText(text(HeaderValue::FieldSecond));
    tubeVoltageLabel_->setText(text(HeaderValue::TubeVoltage));
    tubeCurrentLabel_->setText(text(HeaderValue::TubeCurrent));
    inherentFiltrationLabel_->setText(text(HeaderValue::InherentFiltration));
    aluminiumFilterLabel_->setText(text(HeaderValue::AddedAl));
    copperFilterLabel_->setText(text(HeaderValue::AddedCu));
}

} // namespace brisca
