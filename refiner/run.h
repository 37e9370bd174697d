#pragma once

#include <iosfwd>

namespace refiner {

// One refiner run in the working directory: reads the result named in FLname.txt, refines
// both grids and writes F2B.dat. Progress lines go to console, a failure to errors.
// Returns the exit status: 0 on success, 1 after a failure, with F2B.dat untouched.
int RunRefiner(std::ostream& console, std::ostream& errors);

} // namespace refiner
