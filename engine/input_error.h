#pragma once

#include <stdexcept>
#include <string>

namespace engine {

// An input that the run refuses: the message names the file, the record and what is wrong.
class InputError : public std::runtime_error {
public:
    // message: complete console text, e.g. "B2F.txt, record 2: focus-surface distance ...".
    explicit InputError(const std::string& message) : std::runtime_error(message) { }
};

} // namespace engine
