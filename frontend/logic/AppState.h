#pragma once

#include <optional>
#include <string>

#include "logic/PatientPosition.h"
#include "logic/result/DisplayGrid.h"
#include "logic/room/RoomLayout.h"
#include "logic/start/DataTables.h"
#include "logic/start/JobFile.h"
#include "logic/start/XraySpectrum.h"

namespace brisca {

// The state of one run of the front end, owned by main and passed by reference to the
// windows that need it.
struct AppState {
    DataTables tables;     // data tables loaded at start-up
    XraySpectrum spectrum; // spectrum of the last calculation start
    JobValues job;         // job values of the last calculation start; fsd also from a result header

    DisplayGrid kermaGrid;                // air kerma rate of the last processed result, μGy/min
    DisplayGrid doseGrid;                 // effective dose (H1cm) rate of that result, μSv/min
    double kermaMax = 0.0;                // largest air kerma rate over all layers
    double doseMax = 0.0;                 // largest effective dose rate over all layers
    std::optional<Thresholds> kermaScale; // default air kerma legend; none before data processing
    std::optional<Thresholds> doseScale;  // default effective dose legend; none before data processing
    PatientPosition patientPosition = PatientPosition::Standing; // position of the selected result
    bool mapDrawn = false;                         // a map is on show: the cursor read-out works
    Thresholds mapThresholds{};                    // thresholds the last map was painted with
    HeightLayer heightLayer = HeightLayer::Centre; // height shown on the map and the overlay
    RoomLayout roomLayout;                         // the current room layout, set by the layout editor
    std::string roomLayoutName; // its name as the overlay's title shows it: loaded file or name box
};

} // namespace brisca
