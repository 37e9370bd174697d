// The overlay's plan as a place for evaluation points: the read-out under the cursor, the points
// placed, moved and deleted with the mouse, their doses and marks, and the report.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

#include "drawing/PlanAnnotations.h"
#include "drawing/RoomOverlay.h"
#include "logic/AppState.h"
#include "logic/result/ErrorText.h"
#include "logic/room/GridPlace.h"
#include "logic/room/PointsFile.h"
#include "logic/room/RoomFile.h"
#include "logic/room/RoomFileList.h"
#include "logic/text/NumberText.h"
#include "platform/Platform.h"
#include "report/ResultFacts.h"
#include "windows/Controls.h"
#include "windows/EvaluationPointsPanel.h"
#include "windows/OverlayWindow.h"
#include "windows/PictureBox.h"
#include "windows/ReportSave.h"

namespace brisca {

namespace {

// How near to a mark's centre, in pixels, a click takes that point: the ring and its edge.
constexpr int PickRadius = 10;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// What the read-out says where the grid holds no dose.
QString NoDoseText(GridCoverage coverage)
{
    return coverage == GridCoverage::Unscored ? OverlayWindow::tr("未計数 (軸から 20 cm 以内) [unscored]")
                                              : OverlayWindow::tr("計算範囲外 [out of range]");
}

// The layout's name as brisca-map gives it in a report, its file's name, when the layout file of
// that name holds the plan on show; otherwise the name the overlay's title shows.
std::string ReportedLayoutName(const std::string& name, const RoomLayout& layout)
{
    if (name.empty() || RoomNameRefusal(name)) return name;
    const Expected<RoomLayout> saved = ReadRoomFile(RoomFileName(name));
    if (!saved || !(*saved == layout)) return name;
    return RoomFileName(name);
}

// The points file's name when the file beside the layout's holds exactly these points; empty
// otherwise, since the report would name a file that says something else.
std::string ReportedPointsName(const std::string& layoutName, const std::vector<EvaluationPoint>& points)
{
    if (layoutName.empty() || RoomNameRefusal(layoutName)) return {};
    const std::string name = PointsFileName(RoomFileName(layoutName));
    const Expected<std::vector<EvaluationPoint>> saved = ReadPointsFile(name);
    if (!saved || *saved != points) return {};
    return name;
}

} // namespace

void OverlayWindow::buildPlanReadout(int top)
{
    Caption(this, tr("カーソル位置  x"), 12, top, 104, 24);
    cursorXEdit_ = Entry(this, "cursorXEdit", 118, top, 56);
    Caption(this, "cm   y", 178, top, 46, 24);
    cursorYEdit_ = Entry(this, "cursorYEdit", 226, top, 56);
    Caption(this, "cm   ⇒", 286, top, 52, 24);
    cursorValueEdit_ = Entry(this, "cursorValueEdit", 340, top, 230);
    readoutUnitLabel_ = Caption(this, QString(), 576, top, 70, 24);
    readoutUnitLabel_->setObjectName("readoutUnitLabel");
    for (QLineEdit* box : {cursorXEdit_, cursorYEdit_, cursorValueEdit_}) box->setReadOnly(true);
    rangeWarningLabel_ = Caption(this, QString(), 654, top, 460, 24);
    rangeWarningLabel_->setObjectName("rangeWarningLabel");
    rangeWarningLabel_->setStyleSheet("color: rgb(220, 0, 0);");
    reportSaveButton_ = Button(this, "reportSaveButton", tr("報告書保存"), width() - 152, top - 4, 140, 32);
    connect(reportSaveButton_, &QPushButton::clicked, this, &OverlayWindow::saveReport);
}

bool OverlayWindow::planOnShow() const
{
    return drawnLayout_ && drawingsUnderWay_ == 0 && state_.display.painted &&
           state_.display.painted->file.name == drawn_.resultName;
}

void OverlayWindow::keepDrawing(const ResultFile& file)
{
    // Another file chosen during the yields has dropped the map this drawing was made of.
    if (!state_.display.painted || state_.display.painted->file.name != file.name) {
        forgetDrawing();
        return;
    }
    drawnLayout_ = state_.roomLayout;
    drawnBothSides_ = bothSidesCheck_->isChecked();
    ShowUncertaintyNote(uncertaintyLabel_, state_.display.errors.get());
    planBase_ = planView_->image();
    // The uncertainties the report gives the points, gathered as the report gathers them.
    ReportInputs facts;
    drawnErrors_.reset();
    if (const std::optional<Problem> error = GatherResultFacts(file.name, file.header, nullptr, facts)) {
        uncertaintyNote_ = tr("不確かさなし [no uncertainty]: %1").arg(Q(MessageText(*error))).toStdString();
    } else if (facts.statistics.source == UncertaintySource::Read) {
        drawnErrors_ = std::move(facts.statistics.doseErrorPercent);
        uncertaintyNote_ = tr("不確かさは %1 から [uncertainty from %1]")
                               .arg(Q(facts.statistics.uncertaintyFileName))
                               .toStdString();
    } else if (facts.statistics.source == UncertaintySource::Missing) {
        uncertaintyNote_ = tr("不確かさファイル %1 がありません [no uncertainty file]")
                               .arg(Q(facts.statistics.uncertaintyFileName))
                               .toStdString();
    } else {
        uncertaintyNote_ = facts.statistics.uncertaintyProblem;
    }
    rangeWarningLabel_->setText(
        RoomBeyondScoredRange(*drawnLayout_)
            ? tr("注意: 部屋の一部は計算範囲の外で、線量がありません (斜線) [part of the "
                 "room lies beyond the scored range]")
            : QString());
    reportSaveButton_->setEnabled(true);
    evaluatePoints();
}

void OverlayWindow::forgetDrawing()
{
    drawnLayout_.reset();
    drawnErrors_.reset();
    uncertaintyNote_.clear();
    planBase_ = QImage();
    pickedPoint_ = -1;
    ShowUncertaintyNote(uncertaintyLabel_, nullptr);
    for (QLineEdit* box : {cursorXEdit_, cursorYEdit_, cursorValueEdit_}) box->clear();
    readoutUnitLabel_->clear();
    rangeWarningLabel_->clear();
    reportSaveButton_->setEnabled(false);
    evaluatePoints();
}

void OverlayWindow::showPoints()
{
    pickedPoint_ = -1;
    pointsPanel_->showPoints();
    evaluatePoints();
}

void OverlayWindow::evaluatePoints()
{
    doses_.clear();
    if (!planOnShow()) {
        pointsPanel_->clearDoses(
            tr("線量は分布を描くと計算されます [the doses follow once the distribution is drawn]"));
        return;
    }
    const ResultHeader& header = state_.display.painted->file.header;
    const ResultExposure exposure{header.tubeVoltage, header.tubeCurrent};
    const DoseGrids grids{state_.display.doseGrid, drawnErrors_ ? &*drawnErrors_ : nullptr};
    const std::vector<EvaluationPoint>& points = state_.roomPoints;
    std::string problem;
    const std::optional<Workload> workload = pointsPanel_->workload(&problem);
    if (problem.empty() && !workload)
        problem = tr("年間線量と判定にはワークロードを入れて下さい [enter a workload for the annual doses]")
                      .toStdString();
    if (const std::optional<Problem> refusal = ExposureRefusal(exposure)) problem = MessageText(*refusal);
    if (problem.empty()) {
        doses_ = EvaluatePointDoses(points, *drawnLayout_, grids, exposure, *workload);
        pointsPanel_->showDoses(doses_, Q(uncertaintyNote_));
    } else {
        std::vector<PointRate> rates;
        for (const EvaluationPoint& point : points) rates.push_back(RateAtPoint(point, *drawnLayout_, grids));
        pointsPanel_->showRates(rates, Q(problem));
    }
    drawMarks();
}

void OverlayWindow::drawMarks()
{
    if (!planOnShow() || planBase_.isNull()) return;
    planView_->image() = planBase_;
    DrawPointMarks(planView_->image(), *drawnLayout_, PointMarksOf(state_.roomPoints, doses_));
    planView_->update();
}

int OverlayWindow::pointAt(double x, double y) const
{
    const QPoint at = planView_->toPixel(x, y);
    int nearest = -1;
    int nearestDistance = PickRadius * PickRadius + 1;
    for (std::size_t n = 0; n < state_.roomPoints.size(); ++n) {
        const QPoint mark = planView_->toPixel(state_.roomPoints[n].xCm, state_.roomPoints[n].yCm);
        const QPoint apart = mark - at;
        const int distance = apart.x() * apart.x() + apart.y() * apart.y();
        if (distance < nearestDistance) {
            nearest = static_cast<int>(n);
            nearestDistance = distance;
        }
    }
    return nearest;
}

void OverlayWindow::pressOnPlan(int button, double x, double y)
{
    if (!planOnShow()) return;
    const int point = pointAt(x, y);
    if (button == RightButton) {
        if (point >= 0) pointsPanel_->deletePoint(point);
        return;
    }
    if (button != LeftButton) return;
    if (point >= 0) {
        pickedPoint_ = point;
        pointsPanel_->selectPoint(point);
        return;
    }
    const QString name = platform_.AskForText(tr("評価点の名前を入力して下さい"), tr("評価点")).trimmed();
    // A point without a name could not be told apart in the table or the report.
    if (name.isEmpty()) return;
    pointsPanel_->addPoint(
        DefaultPoint(name.toStdString(), std::round(x), std::round(y), PersonCategory::Occupational));
}

void OverlayWindow::moveOnPlan(int buttons, double x, double y)
{
    if (!planOnShow()) return;
    if (pickedPoint_ >= 0 && (buttons & LeftButton))
        pointsPanel_->movePoint(pickedPoint_, std::round(x), std::round(y));
    // The read-out of the quantity and height drawn, as the result window reads its map.
    cursorXEdit_->setText(Q(PlainNumberText(std::round(x))));
    cursorYEdit_->setText(Q(PlainNumberText(std::round(y))));
    const GridPlace place = GridPlaceOf(*drawnLayout_, x, y);
    if (place.coverage != GridCoverage::Scored) {
        cursorValueEdit_->setText(NoDoseText(place.coverage));
        readoutUnitLabel_->clear();
        return;
    }
    const double value = state_.display.Grid(drawn_.quantity).At(drawn_.layer, place.column, place.row);
    std::string text = PlainNumberText(value);
    // With its error wherever the result has an uncertainty file, as the result window reads it.
    if (const DisplayGrid* errors = state_.display.Errors(drawn_.quantity))
        text = ValueWithError(text, errors->At(drawn_.layer, place.column, place.row));
    cursorValueEdit_->setText(std::isnan(value) ? NoDoseText(GridCoverage::Unscored) : Q(text));
    readoutUnitLabel_->setText(QuantityUnit(drawn_.quantity));
}

void OverlayWindow::releaseOnPlan(int, double, double) { pickedPoint_ = -1; }

void OverlayWindow::saveReport()
{
    if (!planOnShow()) return;
    std::string problem;
    const std::optional<Workload> workload = pointsPanel_->workload(&problem);
    // The batch asks for a workload with points too: a report of points without their doses would
    // look like one that has checked them.
    if (!state_.roomPoints.empty() && !workload) {
        platform_.ShowMessage(problem.empty()
                                  ? tr("評価点の線量を載せるにはワークロードを入れて下さい [enter a "
                                       "workload for the doses at the evaluation points]")
                                  : Q(problem),
            MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    ReportRoom room;
    room.layout = *drawnLayout_;
    room.layoutName = ReportedLayoutName(state_.roomLayoutName, *drawnLayout_);
    room.layer = drawn_.layer;
    room.bothSides = drawnBothSides_;
    room.points = state_.roomPoints;
    if (!room.points.empty()) {
        room.pointsName = ReportedPointsName(state_.roomLayoutName, room.points);
        room.workload = workload;
    }
    SaveReport(platform_, state_.display, state_.display.painted->file, drawn_.quantity, drawn_.thresholds,
        std::move(room));
}

} // namespace brisca
