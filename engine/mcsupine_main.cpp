#include "engine/geometry.h"
#include "engine/run.h"

#include <iostream>

// mcsupine: the supine patient with a vertical beam from under the couch.
int main()
{
    engine::Console console{std::cin, std::cout, engine::LocalClock};
    return engine::RunEngine(engine::kSupineGeometry, "", console);
}
