#include "engine/geometry.h"
#include "engine/run.h"

// mcsupine: the supine patient with a vertical beam from under the couch.
int main(int argc, char** argv) { return engine::EngineMain(engine::kSupineGeometry, argc, argv); }
