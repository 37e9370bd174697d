#include "engine/geometry.h"
#include "engine/run.h"

#include <iostream>

// mcstand: the standing patient with a horizontal beam.
int main()
{
    engine::Console console{std::cin, std::cout, engine::LocalClock};
    return engine::RunEngine(engine::kStandingGeometry, "", console);
}
