#include "driver/memoria_azzerata.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdlib>

namespace {

// Committed pages come zeroed and are backed only once touched.
constexpr std::size_t soglia_mappa = std::size_t{1} << 20;

}  // namespace

void* riserva_azzerata(std::size_t byte) {
    void* p = byte >= soglia_mappa ? VirtualAlloc(nullptr, byte, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE)
                                   : std::calloc(byte == 0 ? 1 : byte, 1);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

void libera_azzerata(void* p, std::size_t byte) noexcept {
    if (p == nullptr) return;
    if (byte >= soglia_mappa) {
        VirtualFree(p, 0, MEM_RELEASE);
        return;
    }
    std::free(p);
}
