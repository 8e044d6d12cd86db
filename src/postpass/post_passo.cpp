#include "postpass/post_passo.h"

#include <array>
#include <initializer_list>

namespace {

constexpr std::int16_t valore_automatico = 180;
constexpr std::int16_t velocita_lenta = 110;
constexpr int passo_punti = 8;
constexpr int finestra_segnali = 20;
constexpr int sguardo_segnale = 12;

struct cursore_celle {
    scenario& s;
    registro_problemi& log;
    std::int64_t causa = 0;  // the cell whose object the pass is serving

    std::int64_t ultima() const { return s.numero_celle; }
    // A cell beyond either end counts as taken.
    bool libera(std::int64_t k) const { return s.nelle_celle(k) && cella_libera(s.cella_a(k)); }
    std::uint8_t oggetto(std::int64_t k) const { return s.nelle_celle(k) ? s.cella_a(k).oggetto : std::uint8_t{oggetto_libero}; }

    void poni_punto(std::int64_t k) {
        cella& c = s.cella_a(k);
        c.oggetto = oggetto_punto_abbattimento;
        c.dato1 = valore_automatico;
        log.segna_automatico(k, causa);
    }
    void abbassa_punto(std::int64_t k) {
        cella& c = s.cella_a(k);
        c.dato1 = minimo(valore_automatico, c.dato1);
    }
    // The pass records a cell it cannot use, against the row of the object it
    // serves when that is known, and goes on.
    void conflitto(codice_problema codice, std::int64_t cella_indice) {
        log.riga_in_corso = log.riga_di(causa);
        log.registra(codice, static_cast<std::int32_t>(50 * cella_indice));
        log.riga_in_corso.reset();
    }
};

// Step A: every signal among the 20 cells before a warning board gets a point
// just before it, or has the point that stands there lowered.
void segnali_prima_avviso(cursore_celle& c, std::int64_t i) {
    for (int a = 1; a <= finestra_segnali; ++a) {
        std::int64_t segnale = i - a;
        if (segnale < 3) return;
        if (c.oggetto(segnale) != oggetto_segnale) continue;
        if (c.libera(segnale - 1))
            c.poni_punto(segnale - 1);
        else if (c.libera(segnale - 2))
            c.poni_punto(segnale - 2);
        else if (c.oggetto(segnale - 1) == oggetto_punto_abbattimento)
            c.abbassa_punto(segnale - 1);
        else if (c.oggetto(segnale - 2) == oggetto_punto_abbattimento)
            c.abbassa_punto(segnale - 2);
        else
            c.conflitto(problema_punto_segnale_avviso, segnale);
    }
}

// B1 to B3: a point at one of three candidate cells at each distance.
void punti_prima_inizio(cursore_celle& c, std::int64_t i) {
    for (int distanza : {5, 11, 18}) {
        if (i <= distanza + 2) continue;
        bool posto = false;
        for (int d = distanza; d <= distanza + 2 && !posto; ++d) {
            if (c.libera(i - d)) {
                c.poni_punto(i - d);
                posto = true;
            }
        }
        if (!posto) c.conflitto(problema_punto_prima_rallentamento, i);
    }
}

// B4: a point every eight cells inside a slow restriction, counted from where
// the previous point went. Returns the restriction's end cell.
std::int64_t punti_interni(cursore_celle& c, std::int64_t i) {
    int contatore = 0;
    std::int64_t k = i;
    for (;;) {
        ++k;
        ++contatore;
        if (contatore == passo_punti) {
            if (c.libera(k)) {
                c.poni_punto(k);
                contatore = 0;
            } else if (c.libera(k - 1)) {
                c.poni_punto(k - 1);
                contatore = 1;
            } else if (c.libera(k + 1)) {
                c.poni_punto(k + 1);
                contatore = -1;
            } else {
                c.conflitto(problema_punto_dopo_rallentamento, k);
            }
        }
        if (c.oggetto(k) == oggetto_fine_rallentamento || k >= c.ultima()) return k;
    }
}

// B5: a point before the first signal within twelve cells after the end.
void punto_dopo_fine(cursore_celle& c, std::int64_t fine) {
    for (std::int64_t g = fine; g <= fine + sguardo_segnale && g <= c.ultima(); ++g) {
        if (c.oggetto(g) != oggetto_segnale) continue;
        if (c.libera(g - 1))
            c.poni_punto(g - 1);
        else if (c.libera(g - 2))
            c.poni_punto(g - 2);
        else
            c.conflitto(problema_punto_dopo_rallentamento, fine);
        return;
    }
}

}  // namespace

std::int16_t minimo(std::int16_t x, std::int16_t y) { return x > y ? y : x; }

void post_passo(scenario& s, registro_problemi& log) {
    cursore_celle c{s, log};
    const std::int64_t ultima_i = std::int64_t{s.numero_celle} - 2;
    for (std::int64_t i = 1; i <= ultima_i; ++i) {
        std::uint8_t oggetto = c.oggetto(i);
        c.causa = i;
        if (oggetto == oggetto_avviso_rallentamento) segnali_prima_avviso(c, i);
        if (oggetto != oggetto_inizio_rallentamento) continue;
        punti_prima_inizio(c, i);
        if (s.cella_a(i).dato1 < velocita_lenta) punto_dopo_fine(c, punti_interni(c, i));
    }
}
