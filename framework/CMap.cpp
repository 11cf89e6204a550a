// String hashing and the faults of the framework's maps.
#include "CMap.h"

#include <stdexcept>
#include <string>

uint32_t HashString(const char* key)
{
    uint32_t hash = 0;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(key ? key : ""); *c; ++c)
        hash = hash * 33 + *c;
    return hash;
}

namespace FrameworkDetail {

void ThrowMapFault(const char* where, const char* reason)
{
    throw std::out_of_range(std::string(where) + ": " + reason);
}

} // namespace FrameworkDetail
