#include "FailingAllocation.h"

#include <cstdlib>
#include <new>

namespace {
std::size_t failFrom = 0;  // 0: nothing refused
int refused = 0;

void* Allocate(std::size_t size) {
    if (failFrom && size >= failFrom) {
        ++refused;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
}  // namespace

FailingAllocation::FailingAllocation(std::size_t from) {
    failFrom = from;
    refused = 0;
}
FailingAllocation::~FailingAllocation() { failFrom = 0; }
int FailingAllocation::Refused() const { return refused; }

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
