#pragma once

#include <array>
#include <string>
#include <string_view>

#include "logic/result/DisplayGrid.h"

namespace brisca {

// A place in the room where a person stands, whose yearly dose is checked against a limit.
// Defaults and typical values come from published reports and regulations (see
// docs/room-doses.md); every one of them can be changed point by point.

// What stands between the patient and the point, besides the person's apron.
enum class BarrierMaterial { None, Lead, Concrete };

// A barrier between the point and the patient.
struct Barrier {
    BarrierMaterial material = BarrierMaterial::None; // none, lead or concrete
    double thicknessMm = 0.0;                         // thickness, mm; 0 with no barrier
    // Same material and thickness.
    bool operator==(const Barrier&) const = default;
};

// Whose dose a point stands for; each has its default limit.
enum class PersonCategory { Occupational, Public };

// One evaluation point of the room plan.
struct EvaluationPoint {
    std::string name;                        // shown beside the point and in the doses table
    double xCm = 0.0;                        // position in plan units (cm), as the layout editor's x
    double yCm = 0.0;                        // position in plan units (cm), as the layout editor's y
    HeightLayer layer = HeightLayer::Centre; // plane of the point
    double occupancy = 1.0;                  // share of the beam-on time the person is there, 0 < T ≤ 1
    double apronMmPb = 0.0;                  // lead equivalent of the apron worn, mm; 0 without one
    Barrier barrier;                         // between the point and the patient
    double limitMsvPerYear = 1.0;            // the dose the point must stay below, mSv per year
    // Field-wise equality, for checks that a point came back unchanged.
    bool operator==(const EvaluationPoint&) const = default;
};

// One of the occupancy factors offered for a point, with the kind of place it stands for.
struct TypicalOccupancy {
    double factor;        // occupancy factor T
    const char* fraction; // T as a fraction, as the choice shows it
    const char* placesJa; // the places, in Japanese
    const char* placesEn; // the places, in English
};

// The occupancy factors suggested for areas next to medical X-ray rooms, NCRP Report No. 147
// (2004), Table 4.1: full, 1/2, 1/5, 1/8, 1/20 and 1/40.
extern const std::array<TypicalOccupancy, 6> TypicalOccupancies;

// Lead equivalents of the aprons offered, mm (0: none).
inline constexpr std::array<double, 4> TypicalApronsMmPb = {0.0, 0.25, 0.35, 0.5};

// Weeks per year of work when nothing else is given.
inline constexpr double DefaultWeeksPerYear = 50.0;

// Default yearly limit of a category, mSv: radiation workers 20 (100 mSv in five years, the
// Japanese regulation's limit beside its 50 mSv in any one year), the public 1 (NCRP Report
// No. 147's design goal for uncontrolled areas, 1 mGy a year).
double DefaultLimitMsvPerYear(PersonCategory category);

// A point with the defaults: at the phantom-centre height, occupancy 1, no apron, no barrier,
// the default limit of `category`.
EvaluationPoint DefaultPoint(std::string name, double xCm, double yCm, PersonCategory category);

// The points file that goes with a layout file: "plan.Room" gives "plan.points.csv" in the
// same folder; a name without ".Room" gets ".points.csv" appended.
std::string PointsFileName(std::string_view roomFileName);

} // namespace brisca
