#include "output/file_binari.h"

#include "model/campi.h"
#include "output/byte_le.h"

std::string codifica_planimetria(const planimetria_percorso& planimetria) {
    byte_le out;
    for (const valore_planimetria& e : planimetria.elementi) {
        out.scrivi(static_cast<std::uint16_t>(e.etichetta));
        if (e.etichetta == valore_planimetria::tipo::intero) out.scrivi(e.intero);
        if (e.etichetta == valore_planimetria::tipo::reale) out.scrivi(e.reale);
    }
    return std::move(out.dati());
}

std::string codifica_voci(const std::array<voce, numero_voci>& voci) {
    byte_le out;
    for (const voce& v : voci) campi_voce(v, [&](const char*, const auto& campo) { out.scrivi(campo); });
    return std::move(out.dati());
}

std::string codifica_celle(const std::vector<cella>& celle) {
    byte_le out;
    out.dati().reserve(celle.size() * byte_cella);
    for (const cella& c : celle) campi_cella(c, [&](const char*, const auto& campo) { out.scrivi(campo); });
    return std::move(out.dati());
}
