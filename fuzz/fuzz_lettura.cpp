// Arbitrary bytes to the three decoders of the scenario files. Each must
// either refuse the bytes with errore_lettura or give a model that encodes
// back to exactly the same bytes; any other end aborts.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "output/file_binari.h"
#include "output/lettura_binari.h"

namespace {

[[noreturn]] void violazione(const char* cosa) {
    std::fprintf(stderr, "fuzz_lettura: %s\n", cosa);
    std::abort();
}

template <typename D, typename C>
void andata_e_ritorno(std::string_view byte, D decodifica, C codifica, const char* tipo) {
    try {
        auto modello = decodifica(byte);
        if (codifica(modello) != byte) violazione(tipo);
    } catch (const errore_lettura& e) {
        if (e.offset > byte.size()) violazione("an errore_lettura past the end of the bytes");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    const std::string_view byte(reinterpret_cast<const char*>(dati), dimensione);
    andata_e_ritorno(byte, decodifica_celle, codifica_celle, "the cell file does not encode back to its bytes");
    andata_e_ritorno(byte, decodifica_voci, codifica_voci, "the record file does not encode back to its bytes");
    andata_e_ritorno(
        byte, decodifica_planimetria,
        [](const planimetria_percorso& p) {
            if (p.elementi.size() != 2 * static_cast<std::size_t>(p.metri)) violazione("a plan of the wrong shape");
            return codifica_planimetria(p);
        },
        "the plan file does not encode back to its bytes");
    return 0;
}
