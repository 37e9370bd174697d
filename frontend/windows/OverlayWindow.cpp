#include "windows/OverlayWindow.h"

#include <QLabel>

#include "logic/DistributionMap.h"
#include "logic/ResultHeader.h"
#include "windows/JapaneseFont.h"
#include "windows/PictureBox.h"
#include "windows/Twips.h"

namespace brisca {

namespace {

QLabel* Caption(QWidget* parent, const QString& text, int x, int y, int w, int h = 22)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, w, h);
    return label;
}

QLabel* Value(QWidget* parent, const char* name, int x, int y, int w)
{
    QLabel* label = Caption(parent, QString(), x, y, w);
    label->setObjectName(name);
    label->setStyleSheet("background: rgb(255, 255, 192);");
    return label;
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

} // namespace

OverlayWindow::OverlayWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName("overlayWindow");
    setWindowTitle("  透視室内散乱線分布図");
    const int plan = Twips(12975);
    setFixedSize(plan + 420, plan + 24);

    planView = new PictureBox(this);
    planView->setObjectName("planView");
    planView->setGeometry(12, 12, plan, plan);

    const int side = plan + 28;
    QFont title = WindowFont(14);
    title.setBold(true);
    Caption(this, "室内散乱線分布", side, 12, 380, 30)->setFont(title);

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
    positionLabel = Value(this, "positionLabel", side, 52, 200);
    int y = 82;
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

    // Legend: the strip with the thresholds beside its boxes.
    const int legendTop = y + 70;
    Caption(this, "μ", side + 64, legendTop - 26, 16);
    legendUnitLabel = Caption(this, QString(), side + 80, legendTop - 26, 80);
    legendUnitLabel->setObjectName("legendUnitLabel");
    legendView = new PictureBox(this);
    legendView->setObjectName("legendView");
    legendView->setGeometry(side, legendTop, Twips(855), Twips(3975));
    PaintLegendStrip(legendView->Surface());
    for (int n = 0; n < 11; ++n) {
        const int rowTop = legendTop + Twips(360 * n);
        thresholdLabels[n] = Caption(this, QString(), side + 64, rowTop, 90, Twips(345));
        thresholdLabels[n]->setObjectName(QString("thresholdLabel%1").arg(n + 1));
        thresholdLabels[n]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Caption(this, "～", side + 158, rowTop, 24, Twips(345));
    }
}

void OverlayWindow::reset()
{
    for (QLabel* label : thresholdLabels) label->clear();
    for (QLabel* label :
        {positionLabel, freeAirKermaLabel, fsdLabel, fieldFirstLabel, fieldSecondLabel, tubeVoltageLabel,
            tubeCurrentLabel, inherentFiltrationLabel, aluminiumFilterLabel, copperFilterLabel})
        label->clear();
    planView->Cls();
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
