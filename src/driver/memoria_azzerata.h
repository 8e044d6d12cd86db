#pragma once

#include <cstddef>
#include <limits>
#include <new>
#include <utility>

// Memory for the compile's large arrays (the plan, the trace of fields),
// taken from the system already zeroed. Its pages are touched only when
// written, and where the system has large pages it gives those: a plan of
// millions of metres then costs neither a fill nor a page fault every 4 KiB,
// which together cost more than the plan's arithmetic. Small blocks come
// from calloc.
void* riserva_azzerata(std::size_t byte);
void libera_azzerata(void* p, std::size_t byte) noexcept;

// A std::allocator for such memory. Value-initialisation is left out, since
// fresh memory is zero already: a vector sized at creation holds zeros
// without writing them. Growing a vector within memory it used before would
// leave old values, so its owners only size fresh vectors.
template <typename T>
struct allocatore_azzerato {
    using value_type = T;

    allocatore_azzerato() = default;
    template <typename U>
    allocatore_azzerato(const allocatore_azzerato<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > std::numeric_limits<std::size_t>::max() / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(riserva_azzerata(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { libera_azzerata(p, n * sizeof(T)); }

    template <typename U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... A>
    void construct(U* p, A&&... argomenti) {
        ::new (static_cast<void*>(p)) U(std::forward<A>(argomenti)...);
    }

    friend bool operator==(const allocatore_azzerato&, const allocatore_azzerato&) { return true; }
};
