#include "windows/OverlayWindow.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "drawing/DistributionMap.h"
#include "drawing/RoomOverlay.h"
#include "logic/AppState.h"
#include "logic/result/ResultHeader.h"
#include "logic/text/NumberText.h"
#include "platform/Platform.h"
#include "windows/Controls.h"
#include "windows/DesignUnits.h"
#include "windows/ExportSave.h"
#include "windows/JapaneseFont.h"
#include "windows/PictureBox.h"
#include "windows/ResultWindow.h"

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
    setWindowTitle("  透視室内散乱線分布図");
    // The plan picture and its 2-pixel sunken border.
    const int plan = OverlayImageSide + 4;
    setFixedSize(plan + 420, plan + 24);

    planView = new PictureBox(this);
    planView->setObjectName("planView");
    planView->setGeometry(12, 12, plan, plan);

    const int side = plan + 28;
    QFont title = WindowFont(14);
    title.setBold(true);
    Caption(this, "室内散乱線分布", side, 12, 380, 30)->setFont(title);
    layoutNameLabel = Caption(this, Q(state_.roomLayoutName), side, 44, 380, 26);
    layoutNameLabel->setObjectName("layoutNameLabel");
    layoutNameLabel->setFont(WindowFont(12));

    const int legendTop = buildConditions(side) + 70;
    buildLegend(side, legendTop);
    buildChoices(side, legendTop + DesignToPixels(3975) + 16);
}

int OverlayWindow::buildConditions(int side)
{
    // The conditions of the loaded result, each beside its caption and unit.
    struct Row {
        QLabel** value;
        const char* name;
        const char* caption;
        const char* unit;
    };
    const Row rows[] = {{&freeAirKermaLabel, "freeAirKermaLabel", "FSDにおける空気カーマ率", "Gy/min"},
        {&fsdLabel, "fsdLabel", "Ｘ線焦点 - 入射面 距離", "cm"},
        {&tubeVoltageLabel, "tubeVoltageLabel", "Ｘ線管電圧", "kV"},
        {&tubeCurrentLabel, "tubeCurrentLabel", "管電流", "mA"},
        {&inherentFiltrationLabel, "inherentFiltrationLabel", "固有ろ過", "mmAl"},
        {&aluminiumFilterLabel, "aluminiumFilterLabel", "アルミ付加フィルタ", "mm"},
        {&copperFilterLabel, "copperFilterLabel", "銅付加フィルタ", "mm"}};
    positionLabel = Value(this, "positionLabel", side, 78, 200);
    int y = 108;
    for (const Row& row : rows) {
        Caption(this, row.caption, side, y, 200);
        *row.value = Value(this, row.name, side + 200, y, 110);
        Caption(this, row.unit, side + 316, y, 60);
        y += 28;
    }
    Caption(this, "照射野サイズ at FSD", side, y, 200);
    fieldFirstLabel = Value(this, "fieldFirstLabel", side + 200, y, 50);
    Caption(this, "×", side + 252, y, 14);
    fieldSecondLabel = Value(this, "fieldSecondLabel", side + 268, y, 50);
    Caption(this, "cm²", side + 322, y, 40);
    return y;
}

void OverlayWindow::buildLegend(int side, int top)
{
    // The strip with the thresholds beside its boxes.
    Caption(this, "μ", side + 64, top - 26, 16);
    legendUnitLabel = Caption(this, QString(), side + 80, top - 26, 80);
    legendUnitLabel->setObjectName("legendUnitLabel");
    legendView = new PictureBox(this);
    legendView->setObjectName("legendView");
    legendView->setGeometry(side, top, DesignToPixels(855), DesignToPixels(3975));
    PaintLegendStrip(legendView->image());
    for (int n = 0; n < 11; ++n) {
        const int rowTop = top + DesignToPixels(360 * n);
        thresholdLabels[n] = Caption(this, QString(), side + 64, rowTop, 90, DesignToPixels(345));
        thresholdLabels[n]->setObjectName(QString("thresholdLabel%1").arg(n + 1));
        thresholdLabels[n]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Caption(this, "～", side + 158, rowTop, 24, DesignToPixels(345));
    }
}

void OverlayWindow::buildChoices(int side, int top)
{
    heightGroup = new QGroupBox("表示する水平面の高さ", this);
    heightGroup->setObjectName("heightGroup");
    heightGroup->setGeometry(side, top, 300, 124);
    // Each option sits inside a red rounded frame; only the chosen height's frame shows.
    const auto framed = [this](QRadioButton*& option, QFrame*& frame, const char* optionName,
                            const char* frameName, const QString& text, int y) {
        frame = new QFrame(heightGroup);
        frame->setObjectName(frameName);
        frame->setGeometry(8, y - 3, 270, 30);
        frame->setStyleSheet("QFrame { border: 2px solid rgb(255, 0, 0); border-radius: 6px; }");
        option = new QRadioButton(text, heightGroup);
        option->setObjectName(optionName);
        option->setGeometry(16, y, 250, 24);
    };
    framed(aboveOption, aboveFrame, "aboveOption", "aboveFrame", "ファントム中心の上方 50 cm", 26);
    framed(centreOption, centreFrame, "centreOption", "centreFrame", "ファントム中心の高さ", 58);
    framed(belowOption, belowFrame, "belowOption", "belowFrame", "ファントム中心の下方 50 cm", 90);
    showHeight(state_.heightLayer);
    connect(aboveOption, &QRadioButton::clicked, this, [this] { chooseHeight(HeightLayer::Above); });
    connect(centreOption, &QRadioButton::clicked, this, [this] { chooseHeight(HeightLayer::Centre); });
    connect(belowOption, &QRadioButton::clicked, this, [this] { chooseHeight(HeightLayer::Below); });

    bothSidesCheck = new QCheckBox("両側の分布を表示", this);
    bothSidesCheck->setObjectName("bothSidesCheck");
    bothSidesCheck->setGeometry(side, top + 134, 200, 26);

    redrawButton = new QPushButton("再描画", this);
    redrawButton->setObjectName("redrawButton");
    redrawButton->setGeometry(side, top + 170, 120, 36);
    connect(redrawButton, &QPushButton::clicked, this, &OverlayWindow::drawOverlay);
    exitButton = new QPushButton("Exit", this);
    exitButton->setObjectName("exitButton");
    exitButton->setGeometry(side + 180, top + 170, 120, 36);
    connect(exitButton, &QPushButton::clicked, this, &OverlayWindow::closeOverlay);
    // Beside "両側の分布を表示", clear of the height frames and the buttons below.
    imageSaveButton = new QPushButton("画像保存", this);
    imageSaveButton->setObjectName("imageSaveButton");
    imageSaveButton->setGeometry(side + 210, top + 130, 110, 32);
    connect(imageSaveButton, &QPushButton::clicked, this, &OverlayWindow::saveImage);
}

void OverlayWindow::reset()
{
    for (QLabel* label : thresholdLabels) label->clear();
    for (QLabel* label :
        {positionLabel, freeAirKermaLabel, fsdLabel, fieldFirstLabel, fieldSecondLabel, tubeVoltageLabel,
            tubeCurrentLabel, inherentFiltrationLabel, aluminiumFilterLabel, copperFilterLabel})
        label->clear();
    planView->clear();
    ++resets_;
}

void OverlayWindow::showLayoutName(const QString& name) { layoutNameLabel->setText(name); }

void OverlayWindow::showDistribution(QWidget& editor)
{
    // Always one-sided at first: both sides are asked for with "再描画".
    bothSidesCheck->setChecked(false);
    drawOverlay();
    platform_.ProcessPendingEvents();
    showHeight(state_.heightLayer);
    show();
    raise();
    editor.hide();
}

void OverlayWindow::chooseHeight(HeightLayer layer)
{
    showHeight(layer);
    state_.heightLayer = layer;
    drawOverlay();
}

void OverlayWindow::showHeight(HeightLayer layer)
{
    QRadioButton* option = layer == HeightLayer::Above    ? aboveOption
                           : layer == HeightLayer::Centre ? centreOption
                                                          : belowOption;
    option->setChecked(true);
    aboveFrame->setVisible(option == aboveOption);
    centreFrame->setVisible(option == centreOption);
    belowFrame->setVisible(option == belowOption);
}

void OverlayWindow::drawOverlay()
{
    // The thresholds as the result window's boxes hold them now, listed beside the legend.
    for (int n = 0; n < 11; ++n) {
        const std::string text = results_ ? results_->thresholdEdits[n]->text().toStdString() : std::string();
        state_.mapThresholds[n + 1] = LeadingNumber(text);
        thresholdLabels[n]->setText(Q(PlainNumberText(state_.mapThresholds[n + 1])));
    }

    const int resets = resets_;
    OverlayInputs inputs{state_.roomLayout, state_.patientPosition, state_.job.fsd, {}, {}};
    inputs.row = [this] {
        const bool kerma = !results_ || results_->kermaOption->isChecked();
        return OverlayRow{kerma ? state_.kermaGrid : state_.doseGrid, state_.heightLayer,
            state_.mapThresholds, bothSidesCheck->isChecked()};
    };
    // A drawing started from a yield runs to its end before this one goes on with its remaining
    // rows; a reset (a new result display) or the program's end stops this one.
    inputs.afterRow = [this, resets] {
        planView->update();
        platform_.ProcessPendingEvents();
        return resets == resets_ && !platform_.EndRequested();
    };
    DrawRoomOverlay(planView->image(), inputs);
    // The result and its conditions are those of the result window's map, which the layout
    // editor was opened from; quantity, height and thresholds those this drawing ended with.
    drawn_ = results_ ? results_->paintedCaption() : PictureCaption{};
    drawn_.quantity = !results_ || results_->kermaOption->isChecked() ? Quantity::Kerma : Quantity::Dose;
    drawn_.layer = state_.heightLayer;
    drawn_.thresholds = state_.mapThresholds;
    const OverlayScale room = RoomSystem(state_.roomLayout);
    planView->setScale(room.left, room.top, room.side, room.side);
    planView->update();
}

void OverlayWindow::closeOverlay() { hide(); }

void OverlayWindow::saveImage()
{
    const std::string name = ExportFileName(drawn_.resultName, drawn_.quantity, drawn_.layer, true, ".png");
    SaveExport(platform_, "画像保存", name, "PNG (*.png)",
        PngBytes(ComposeResultPicture(planView->image(), drawn_)));
}

void OverlayWindow::showHeader(const ResultHeader& header)
{
    const auto text = [&header](HeaderValue which) { return Q(header.labels[static_cast<int>(which)]); };
    positionLabel->setText(text(HeaderValue::PatientPosition));
    freeAirKermaLabel->setText(text(HeaderValue::FreeAirKermaRate));
    fsdLabel->setText(text(HeaderValue::Fsd));
    fieldFirstLabel->setText(text(HeaderValue::FieldFirst));
    fieldSecondLabel->setText(text(HeaderValue::FieldSecond));
    tubeVoltageLabel->setText(text(HeaderValue::TubeVoltage));
    tubeCurrentLabel->setText(text(HeaderValue::TubeCurrent));
    inherentFiltrationLabel->setText(text(HeaderValue::InherentFiltration));
    aluminiumFilterLabel->setText(text(HeaderValue::AddedAl));
    copperFilterLabel->setText(text(HeaderValue::AddedCu));
}

void OverlayWindow::showThresholds(const std::array<QString, 11>& texts)
{
    for (int n = 0; n < 11; ++n) thresholdLabels[n]->setText(texts[n]);
}

} // namespace brisca
