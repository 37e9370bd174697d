#pragma once

#include <stdexcept>
#include <string>

namespace refiner {

// A failure that ends the run: the message names the file, the record and what was wrong.
class RunError : public std::runtime_error {
public:
    // message: the whole console line, without a line end.
    explicit RunError(const std::string& message) : std::runtime_error(message) { }
};

} // namespace refiner
