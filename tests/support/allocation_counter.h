#pragma once

// Replaces the program's global operator new with one that counts every allocation and can
// be told to fail. Link it only into test programs that need it.

namespace nuvrel::testing {

long AllocationCount();

// The next allocations succeed this many times, then fail with std::bad_alloc; negative
// (the default) means never.
void FailAllocationsAfter(long successes);

}  // namespace nuvrel::testing
