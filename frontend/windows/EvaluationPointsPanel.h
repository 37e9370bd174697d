#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "logic/room/EvaluationPoint.h"
#include "logic/room/PointDoses.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTableWidgetItem;

namespace brisca {

class Platform;

// Size of the panel, pixels: as wide as the overlay's plan and side column together.
inline constexpr int PointsPanelWidth = 1261;
inline constexpr int PointsPanelHeight = 236;

// The evaluation points of the room plan, under the overlay: the room's workload, and a table
// with one row per point whose name, position, height, occupancy, category, apron, barrier and
// limit are edited in place, and whose rate, doses, verdict and extra lead follow. The panel
// edits the points it is given; what the doses are worked out from is the overlay's.
class EvaluationPointsPanel : public QWidget {
    Q_OBJECT
public:
    // The table's columns, in their order: the point's inputs, then what is worked out.
    enum Column {
        NameColumn,      // name, shown beside the point on the plan
        XColumn,         // plan x, cm
        YColumn,         // plan y, cm
        HeightColumn,    // one of the three planes
        OccupancyColumn, // occupancy factor, a decimal or a fraction
        CategoryColumn,  // occupational or public: fills in the limit
        ApronColumn,     // apron, mm Pb
        BarrierColumn,   // barrier material: none, lead or concrete
        ThicknessColumn, // barrier thickness, mm
        LimitColumn,     // mSv per year
        RateColumn,      // μSv/min ± relative uncertainty, or why there is no rate
        AnnualColumn,    // mSv per year
        QuarterColumn,   // mSv per three months
        StatusColumn,    // pass, fail, no dose or not evaluated
        ExtraLeadColumn, // mm Pb to add for the limit
        ColumnCount
    };

    // The panel over `points`, which it edits in place; the weeks at their default, no workload.
    EvaluationPointsPanel(
        std::vector<EvaluationPoint>& points, Platform& platform, QWidget* parent = nullptr);

    // The points into the table, their worked-out columns empty until the next showRates or
    // showDoses.
    void showPoints();
    // The worked-out columns without a workload: each point's rate and uncertainty, or why the
    // grid holds none; `note` says what is missing for the doses.
    void showRates(const std::vector<PointRate>& rates, const QString& note);
    // The worked-out columns with a workload: each point's rate, doses, verdict and extra lead,
    // in the points' order; `note` says where the uncertainties come from.
    void showDoses(const std::vector<PointDose>& doses, const QString& note);
    // No result to work out from: the worked-out columns empty and `note` beside them.
    void clearDoses(const QString& note);

    // The workload entered, in mA·min per week with its weeks per year: none when an entry it
    // needs is empty, or when one is not a number or the workload is refused (WorkloadRefusal),
    // which `problem` then says.
    std::optional<Workload> workload(std::string* problem = nullptr) const;

    // Appends a point and selects its row.
    void addPoint(EvaluationPoint point);
    // Moves point `index` to (x, y), cm.
    void movePoint(int index, double xCm, double yCm);
    // Deletes point `index` after asking.
    void deletePoint(int index);
    // Selects the row of point `index`.
    void selectPoint(int index);
    // "削除": deletes the point of the selected row after asking.
    void deleteSelectedPoint();
    // A cell edited in place: its text read into the point, or refused with a warning and put
    // back as the point holds it.
    void readCell(QTableWidgetItem* item);

signals:
    // A point was added, moved, edited or deleted here.
    void pointsChanged();
    // An entry of the workload changed.
    void workloadChanged();

private:
    // The workload option, the entries and the weeks, one row.
    void buildWorkload();
    // The point's input cells in row `row`.
    void fillInputs(int row);
    // The worked-out cells of one row: texts with the status colour behind the verdict.
    void fillResults(int row, const QStringList& texts, const QColor& statusColour);
    // A cell that cannot be edited.
    QTableWidgetItem* fixedItem(int row, int column);
    // The note beside the hint, whole in its tip.
    void showNote(const QString& note);
    // Shows the workload worked out from the procedures, and announces the change.
    void workloadEdited();

    QRadioButton* workloadOption_;   // the workload given in mA·min per week
    QLineEdit* workloadEdit_;        // mA·min per week
    QRadioButton* proceduresOption_; // the workload given as procedures
    QLineEdit* proceduresEdit_;      // procedures per week
    QLineEdit* minutesEdit_;         // minutes of fluoroscopy per procedure
    QLineEdit* meanCurrentEdit_;     // mean tube current, mA
    QLabel* workloadValueLabel_;     // the workload worked out, mA·min per week
    QLineEdit* weeksEdit_;           // weeks per year
    QLabel* noteLabel_;              // what the doses lack, or where the uncertainties come from
    QTableWidget* pointsTable_;      // one row per point
    QPushButton* deletePointButton_; // "削除"

    std::vector<EvaluationPoint>& points_; // the points edited here
    Platform& platform_;                   // the questions and warnings
    bool filling_ = false;                 // the table is being filled: its edits are not the user's
};

} // namespace brisca
