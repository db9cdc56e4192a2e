// While one of these lives, operator new refuses every request of at least `from` bytes,
// as a machine out of memory would. The test program replaces the global operator new
// for this (FailingAllocation.cpp).
#pragma once

#include <cstddef>

class FailingAllocation {
public:
    explicit FailingAllocation(std::size_t from);
    ~FailingAllocation();
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;
    // Requests refused so far.
    int Refused() const;
};
