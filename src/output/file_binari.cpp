#include "output/file_binari.h"

#include "model/campi.h"

namespace {

template <typename F>
std::string intero(F&& codifica, std::size_t previsti = 0) {
    std::string dati;
    dati.reserve(previsti);
    codifica([&](std::string_view blocco) { dati += blocco; });
    return dati;
}

}  // namespace

// Run by run, so that the tag is looked at once per run rather than once per
// element.
void codifica_planimetria_a_blocchi(const planimetria_percorso& planimetria, const scrittore_blocchi& scrivi) {
    using tipo = valore_planimetria::tipo;
    const elementi_planimetria& e = planimetria.elementi;
    const std::span<const double> valori = e.valori();
    byte_le out(scrivi);
    for (std::size_t r = 0; r < e.tratti().size(); ++r) {
        const tipo t = e.tratti()[r].etichetta;
        const auto etichetta = static_cast<std::uint16_t>(t);
        const std::size_t fine = e.fine_tratto(r);
        std::size_t i = e.tratti()[r].inizio;
        switch (t) {
            case tipo::reale: out.scrivi(etichetta, valori.subspan(i, fine - i)); break;
            case tipo::intero:
                for (; i < fine; ++i) {
                    out.scrivi(etichetta);
                    out.scrivi(static_cast<std::int16_t>(valori[i]));
                }
                break;
            case tipo::vuoto:
                for (; i < fine; ++i) out.scrivi(etichetta);
                break;
        }
    }
    out.svuota();
}

void codifica_voci_a_blocchi(const std::array<voce, numero_voci>& voci, const scrittore_blocchi& scrivi) {
    byte_le out(scrivi);
    for (const voce& v : voci) campi_voce(v, [&](const char*, const auto& campo) { out.scrivi(campo); });
    out.svuota();
}

void codifica_celle_a_blocchi(const std::vector<cella>& celle, const scrittore_blocchi& scrivi) {
    byte_le out(scrivi);
    for (const cella& c : celle) campi_cella(c, [&](const char*, const auto& campo) { out.scrivi(campo); });
    out.svuota();
}

std::string codifica_planimetria(const planimetria_percorso& planimetria) {
    return intero([&](const scrittore_blocchi& s) { codifica_planimetria_a_blocchi(planimetria, s); });
}

std::string codifica_voci(const std::array<voce, numero_voci>& voci) {
    return intero([&](const scrittore_blocchi& s) { codifica_voci_a_blocchi(voci, s); });
}

std::string codifica_celle(const std::vector<cella>& celle) {
    return intero([&](const scrittore_blocchi& s) { codifica_celle_a_blocchi(celle, s); }, celle.size() * byte_cella);
}
