// Bytes the program holds on the heap right now, counted by the global
// operator new and delete of the benchmark binary (usable sizes, so the
// allocator's rounding is included).
#pragma once

#include <cstddef>

namespace rezov {

std::size_t LiveHeapBytes();

}  // namespace rezov
