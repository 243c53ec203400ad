#pragma once
// Storage for the picture matrices that comes zeroed from the system: a matrix of a photo is
// hundreds of megabytes, and sizing it should cost neither a pass of zero writes nor, on
// Linux, one page fault per page (the pages are mapped in one go).

#include <cstddef>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace zeb {

template <class T>
struct ZeroedAllocator {
    static_assert(std::is_arithmetic_v<T>, "zero bytes must be the value zero");
    using value_type = T;
    // From this size on, memory is mapped straight from the system.
    static constexpr size_t MappedBytes = size_t(4) << 20;

    ZeroedAllocator() = default;
    template <class U>
    ZeroedAllocator(const ZeroedAllocator<U>&) {}

    T* allocate(size_t n) {
        const size_t bytes = n * sizeof(T);
#if defined(__linux__)
        if (bytes >= MappedBytes) {
            void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
            if (p == MAP_FAILED)
                throw std::bad_alloc();
            return static_cast<T*>(p);
        }
#endif
        if (void* p = std::calloc(n, sizeof(T)))
            return static_cast<T*>(p);
        if (bytes == 0)
            return nullptr;
        throw std::bad_alloc();
    }
    void deallocate(T* p, size_t n) {
#if defined(__linux__)
        if (n * sizeof(T) >= MappedBytes) {
            munmap(p, n * sizeof(T));
            return;
        }
#endif
        std::free(p);
    }
    // Value-initialising an element of zeroed storage has nothing left to do. Only fresh
    // storage is zero: a vector must not shrink and grow again in place (Matrix never does;
    // it builds a new vector for every size).
    template <class U>
    void construct(U*) {}
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    template <class U>
    bool operator==(const ZeroedAllocator<U>&) const {
        return true;
    }
};

} // namespace zeb
