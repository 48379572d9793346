// The one place where the checker runs work on several cores.
#pragma once

#include <cstddef>
#include <functional>

namespace rezov::adjudicate {

// How many workers ParallelFor uses: the machine's cores where the standard
// library has threads, else 1.
unsigned WorkerCount();

// Calls body(i) once for every i in [0, count) and returns when all calls
// are done. The workers take the next index as they finish one, so uneven
// items still keep every core busy. Calls for different i may run at the
// same time: body must write only what belongs to its own i. An exception
// thrown by body is passed on to the caller after every worker has
// stopped. Where the standard library has no threads (the Windows cross
// build uses a thread model without them) the calls run one after the
// other, in order.
void ParallelFor(std::size_t count, const std::function<void(std::size_t)>& body);

}  // namespace rezov::adjudicate
