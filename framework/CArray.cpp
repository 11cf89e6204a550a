// Index faults of the framework's arrays.
#include "CArray.h"

#include <stdexcept>
#include <string>

namespace FrameworkDetail {

void ThrowIndexFault(const char* where, int index, int size)
{
    throw std::out_of_range(std::string(where) + ": index " + std::to_string(index) + " outside an array of " +
                            std::to_string(size) + " elements");
}

} // namespace FrameworkDetail
