// The largest single request made of operator new while a probe is alive, so that a test
// can tell an input was refused before anything of its declared size was allocated.
// The test program replaces the global operator new for this (AllocationProbe.cpp).
#pragma once

#include <cstddef>

class AllocationProbe {
public:
    AllocationProbe();
    ~AllocationProbe();
    AllocationProbe(const AllocationProbe&) = delete;
    AllocationProbe& operator=(const AllocationProbe&) = delete;

    std::size_t Largest() const;
};
