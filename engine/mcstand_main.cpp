#include "engine/geometry.h"
#include "engine/run.h"

// mcstand: the standing patient with a horizontal beam.
int main(int argc, char** argv) { return engine::EngineMain(engine::kStandingGeometry, argc, argv); }
