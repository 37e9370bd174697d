#pragma once

#include "engine/tables.h"

namespace engine {

// Refuses, before any history, inputs whose products leave single precision: the header's
// surface rate, the reference kerma and the scale that turn scores into rates, an air or
// conversion coefficient that would make a single score overflow, and a tube output that
// would make a rate overflow. Throws InputError naming the file, the record and the product.
void CheckProducts(const Tables& tables);

} // namespace engine
