#include "driver/memoria_azzerata.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

namespace {

// Blocks from this size on are mapped, in whole 2 MiB pages on a 2 MiB
// boundary so that the kernel can back each with one large page.
constexpr std::size_t soglia_mappa = std::size_t{1} << 20;
constexpr std::size_t pagina_grande = std::size_t{2} << 20;

// Under AddressSanitizer the blocks stay in malloc's hands, where it checks them.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool mappa_permessa = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool mappa_permessa = false;
#else
constexpr bool mappa_permessa = true;
#endif
#else
constexpr bool mappa_permessa = true;
#endif

bool da_mappare(std::size_t byte) { return mappa_permessa && byte >= soglia_mappa; }

std::size_t arrotonda_pagine(std::size_t byte) { return (byte + pagina_grande - 1) / pagina_grande * pagina_grande; }

void* mappa(std::size_t byte) {
    const std::size_t lunghezza = arrotonda_pagine(byte);
    if (lunghezza < byte || lunghezza + pagina_grande < lunghezza) throw std::bad_alloc();
    // Over-map by one large page, then give back what lies before the
    // boundary and after the block.
    const std::size_t mappati = lunghezza + pagina_grande;
    void* p = mmap(nullptr, mappati, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    const auto inizio = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t allineato = (inizio + pagina_grande - 1) / pagina_grande * pagina_grande;
    const std::size_t prima = allineato - inizio;
    if (prima > 0) munmap(p, prima);
    const std::size_t dopo = mappati - prima - lunghezza;
    if (dopo > 0) munmap(reinterpret_cast<void*>(allineato + lunghezza), dopo);
#ifdef MADV_HUGEPAGE
    madvise(reinterpret_cast<void*>(allineato), lunghezza, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void*>(allineato);
}

}  // namespace

void* riserva_azzerata(std::size_t byte) {
    if (da_mappare(byte)) return mappa(byte);
    void* p = std::calloc(byte == 0 ? 1 : byte, 1);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

void libera_azzerata(void* p, std::size_t byte) noexcept {
    if (p == nullptr) return;
    if (da_mappare(byte)) {
        munmap(p, arrotonda_pagine(byte));
        return;
    }
    std::free(p);
}
