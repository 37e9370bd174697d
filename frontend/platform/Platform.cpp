#include "platform/Platform.h"

#include "platform/QtPlatform.h"

namespace brisca {

namespace {
Platform* current = nullptr;
}

Platform& platform()
{
    if (current == nullptr) {
        static QtPlatform real;
        current = &real;
    }
    return *current;
}

void setPlatform(Platform& p) { current = &p; }

} // namespace brisca
