#pragma once

#include <string>

#include "logic/DataTables.h"
#include "logic/JobFile.h"
#include "logic/RoomLayout.h"
#include "logic/XraySpectrum.h"

namespace brisca {

// The state of one run of the front end, owned by main and passed by reference to the
// windows that need it.
struct AppState {
    DataTables tables;          // data tables loaded at start-up
    XraySpectrum spectrum;      // spectrum of the last calculation start
    JobValues job;              // job values of the last calculation start, tube output included
    RoomLayout roomLayout;      // the current room layout, set by the layout editor
    std::string roomLayoutName; // its name as the overlay's title shows it: loaded file or name box
};

} // namespace brisca
