// Faults of the framework's lists.
#include "CList.h"

#include <stdexcept>
#include <string>

namespace FrameworkDetail {

void ThrowListFault(const char* where, const char* reason)
{
    throw std::out_of_range(std::string(where) + ": " + reason);
}

} // namespace FrameworkDetail
