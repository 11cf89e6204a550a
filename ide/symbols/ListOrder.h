// The order of names in completion lists: the editing control finds a typed prefix in
// its list by a binary search that upper-cases ASCII letters only and compares the
// bytes as signed characters, ending at the shorter name. Lists sorted any other way
// (the whole entry with its "?digit", or lower-cased) hide names such as "A1" or "A_B".
#pragma once

#include <cstddef>
#include <cstdint>

// <0, 0, >0 as a comes before, with, or after b; a and b of the given lengths.
int CompareListNames(const char* a, std::size_t aLength, const char* b, std::size_t bLength);

// A name's first eight characters as one number: numbers of two names order as
// CompareListNames does, or tie when the names agree in those characters.
std::uint64_t ListNameKey(const char* name, std::size_t length);
