#pragma once

#include <optional>
#include <string>
#include <vector>

#include "logic/exports/PictureNames.h"
#include "logic/exports/SpectrumExport.h"
#include "logic/result/DisplayGrid.h"
#include "logic/result/ErrorGrids.h"
#include "logic/result/ResultHeader.h"
#include "logic/room/EvaluationPoint.h"
#include "logic/room/PointDoses.h"
#include "logic/room/RoomLayout.h"

namespace brisca {

// Everything a report states, as plain values: the result window, the overlay window and
// brisca-map fill the same struct, so that all of them give the same document. What the result's
// own files tell (fingerprint, beam, statistics) is filled by GatherResultFacts (ResultFacts.h);
// the maps, the room and the points by the caller from what it shows.

// The beam's quality, recomputed from the conditions in the result's header.
struct ReportBeam {
    std::vector<BeamFigure> figures; // half-value layers, homogeneity coefficient, mean energies
    std::string unavailable;         // why there are no figures; empty when there are
};

// The statistics of the run: how many histories, and how precise the cells that matter are.
struct ReportStatistics {
    std::string historiesText;                             // the header's history count, as shown
    UncertaintySource source = UncertaintySource::Missing; // whether the errors below were read
    std::string uncertaintyFileName;                       // the uncertainty file's name
    std::string uncertaintyProblem;                        // the reader's message when it was refused
    std::optional<double> largestKermaErrorPercent;        // among the cells of interest, air kerma
    std::optional<double> largestDoseErrorPercent;         // among the cells of interest, effective dose
    DisplayGrid doseErrorPercent; // relative error of each 1 cm dose rate, %; NaN where none
};

// The room plan with its evaluation points, when the report has one.
struct ReportRoom {
    RoomLayout layout;                       // the plan the distribution is drawn over
    std::string layoutName;                  // its file or name, as the overlay's title shows it
    HeightLayer layer = HeightLayer::Centre; // the height drawn over the plan
    bool bothSides = false;                  // the distribution on both sides of the bed's axis
    std::vector<EvaluationPoint> points;     // the evaluation points; may be empty
    std::string pointsName;                  // the points file's name; empty without points
    std::optional<Workload> workload;        // the room's use; none: the points are not judged
    std::vector<PointDose> doses;            // one per point when a workload is given, else empty
};

// The inputs of one report.
struct ReportInputs {
    std::string resultName;      // the result file's name, the report's title and footer
    std::string dateText;        // when the report was made, "yyyy-MM-dd HH:mm"
    std::string softwareVersion; // the program and its version, "Brisca 0.1"
    std::string fingerprint;     // SHA-256 of the result file's bytes, 64 lower-case hex digits
    ResultHeader header;         // the exposure conditions as the result's header holds them
    ReportBeam beam;             // the beam's quality
    ReportStatistics statistics; // histories and relative errors

    Quantity quantity = Quantity::Dose; // the dose rate the maps show
    Thresholds thresholds{};            // the legend the maps and the overlay are drawn with
    DisplayGrid grid;                   // that quantity's 1 cm grid at the three heights

    std::optional<ReportRoom> room; // the plan and its points; none: no room section
};

} // namespace brisca
