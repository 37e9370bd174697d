#include "refiner/run.h"

#include <iostream>

int main() { return refiner::RunRefiner(std::cout, std::cerr); }
