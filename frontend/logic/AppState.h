#pragma once

#include <string>
#include <vector>

#include "logic/result/DisplayChoice.h"
#include "logic/result/ResultDisplayState.h"
#include "logic/room/EvaluationPoint.h"
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
    JobValues job;         // job values of the last calculation start

    DisplayChoice displayChoice; // quantity, height and thresholds of the result window and the overlay
    ResultDisplayState display;  // the result file selected, converted, processed and painted
    RoomLayout roomLayout;       // the current room layout, set by the layout editor
    std::string roomLayoutName;  // its name as the overlay's title shows it: loaded file or name box
    std::vector<EvaluationPoint> roomPoints; // evaluation points on the layout, saved and loaded with it
};

} // namespace brisca
