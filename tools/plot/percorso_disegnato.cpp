#include "percorso_disegnato.h"

#include <algorithm>
#include <cmath>

#include "driver/windows1252.h"
#include "model/oggetti.h"

namespace {

constexpr double metri_cella = 50.0;

double metro_cella(std::size_t i) { return metri_cella * static_cast<double>(i); }

// The runs of equal value over the cells that begin before the route's end,
// each cell's value as valore reads it.
template <typename F>
std::vector<tratto> tratti(const std::vector<cella>& celle, std::size_t numero, double lunghezza, F valore) {
    std::vector<tratto> t;
    for (std::size_t i = 0; i < numero; ++i) {
        const int v = valore(celle[i]);
        const double fine = std::min(metro_cella(i) + metri_cella, lunghezza);
        if (!t.empty() && t.back().valore == v)
            t.back().fine = fine;
        else
            t.push_back({metro_cella(i), fine, v});
    }
    return t;
}

// The restriction runs to the next end cell (its own cell when start and end
// fell together and the start overwrote the end).
double fine_rallentamento(const std::vector<cella>& celle, std::size_t inizio) {
    std::size_t k = inizio + 1;
    while (k < celle.size() && celle[k].oggetto != oggetto_fine_rallentamento &&
           celle[k].oggetto != oggetto_inizio_rallentamento)
        ++k;
    return k < celle.size() && celle[k].oggetto == oggetto_fine_rallentamento ? metro_cella(k) : metro_cella(inizio);
}

void raccogli_oggetti(percorso_disegnato& d, const std::vector<cella>& celle, std::size_t numero) {
    for (std::size_t i = 0; i < numero; ++i) {
        const cella& c = celle[i];
        const double m = metro_cella(i);
        switch (c.oggetto) {
            case oggetto_segnale: d.segnali.push_back(m); break;
            case oggetto_avviso_rallentamento: d.avvisi.push_back(m); break;
            case oggetto_punto_abbattimento: d.abbattimenti.push_back({m, c.dato1}); break;
            case oggetto_abbattimento_senza_valore: d.abbattimenti.push_back({m, 0}); break;
            case oggetto_inizio_rallentamento:
                d.rallentamenti.push_back({m, std::min(fine_rallentamento(celle, i), d.lunghezza), c.dato1});
                break;
            default: break;
        }
    }
}

std::optional<punto> punto_pianta(const planimetria_percorso& pl, std::int64_t metro) {
    const valore_planimetria& a = pl(metro, 0);
    const valore_planimetria& b = pl(metro, 1);
    if (a.etichetta == valore_planimetria::tipo::vuoto || b.etichetta == valore_planimetria::tipo::vuoto)
        return std::nullopt;
    const punto p{a.come_reale(), b.come_reale()};
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return std::nullopt;
    return p;
}

}  // namespace

percorso_disegnato componi_percorso(std::string titolo, const std::array<voce, numero_voci>& voci,
                                    const std::vector<cella>& celle, const std::optional<planimetria_percorso>& planimetria) {
    percorso_disegnato d;
    d.titolo = std::move(titolo);
    const double fine_dati = voci[voce_treno_dati].fine_tratto;
    d.lunghezza = fine_dati > 0 ? fine_dati : metro_cella(celle.size());
    if (d.lunghezza <= 0) d.lunghezza = metri_cella;

    std::size_t numero = 0;  // the cells that begin before the route's end
    while (numero < celle.size() && metro_cella(numero) < d.lunghezza) ++numero;
    d.pendenze = tratti(celle, numero, d.lunghezza, [](const cella& c) { return c.pendenza - 100; });
    d.velocita = tratti(celle, numero, d.lunghezza, [](const cella& c) { return c.velocita * 5; });
    d.montagne = tratti(celle, numero, d.lunghezza, [](const cella& c) { return int{c.montagna}; });
    raccogli_oggetti(d, celle, numero);

    // The stations fill the slots from 1 up to the first empty one.
    for (std::size_t k = 1; k <= prima_voce_testo && !(voci[k] == voce{}); ++k)
        d.stazioni.push_back({windows1252_a_utf8(voci[k].testo), static_cast<double>(voci[k].inizio_tratto),
                              static_cast<double>(voci[k].fine_tratto), static_cast<double>(voci[k].punto)});

    if (planimetria) {
        d.con_pianta = true;
        for (std::int64_t m = 0; m < planimetria->metri; ++m) d.pianta.push_back(punto_pianta(*planimetria, m));
    }
    return d;
}
