#pragma once

// Random valid scenario sources: routes of many lengths with every row kind,
// dense objects, and curves of every class to both sides. The same seed
// gives the same sources everywhere (no distribution of the library: their
// outputs differ between standard libraries).

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "compile/compilazione.h"
#include "compile/sorgenti.h"

namespace generatore {

struct sorgenti_generate {
    std::string linea;
    std::string treno;
    std::int32_t j = 1;
};

class casuale {
public:
    explicit casuale(std::uint64_t seme) : motore_(static_cast<std::mt19937_64::result_type>(seme)) {}
    // A whole number from a to b, both included.
    std::int64_t tra(std::int64_t a, std::int64_t b) {
        return a + static_cast<std::int64_t>(motore_() % static_cast<std::uint64_t>(b - a + 1));
    }
    bool probabile(int percento) { return tra(1, 100) <= percento; }

private:
    std::mt19937_64 motore_;
};

inline std::string riga(const std::string& chiave, const std::vector<std::int64_t>& valori) {
    std::string r = chiave;
    for (std::int64_t v : valori) r += ", " + std::to_string(v);
    return r + "\r\n";
}

// A name or board text: letters, blanks, hyphens, now and then a comma or a
// Windows-1252 letter (a comma needs quotes, which the writer of the row adds).
inline std::string testo_casuale(casuale& c) {
    static const std::string lettere = "ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghij-()";
    std::string t;
    const auto n = c.tra(1, 18);
    for (std::int64_t i = 0; i < n; ++i) t += lettere[static_cast<std::size_t>(c.tra(0, static_cast<std::int64_t>(lettere.size()) - 1))];
    if (c.probabile(15)) t += ",X";
    if (c.probabile(15)) t += "\xC8";
    while (!t.empty() && t.back() == ' ') t.pop_back();
    while (!t.empty() && t.front() == ' ') t.erase(t.begin());
    if (t.empty() || t.find(',') != std::string::npos) t = "\"" + t + "\"";
    return t;
}

// What the cells hold while the rows are chosen, so that no row is refused.
struct occupazione {
    std::vector<int> celle;
    bool libera(std::int64_t i) const {
        return i >= 2 && i < static_cast<std::int64_t>(celle.size()) - 2 && celle[static_cast<std::size_t>(i)] == 0;
    }
    void prendi(std::int64_t i) { celle[static_cast<std::size_t>(i)] = 1; }
};

inline std::int64_t cella_oggetto(std::int64_t posizione) { return static_cast<std::int64_t>(std::nearbyint(static_cast<double>(posizione) / 50.0 + 1.0)); }

inline sorgenti_generate genera_una(casuale& c) {
    sorgenti_generate g;
    g.j = c.probabile(80) ? 1 : 0;
    const std::int64_t lunghezza = c.probabile(10) ? c.tra(300, 2000) : c.probabile(85) ? c.tra(2000, 25000) : c.tra(25000, 80000);
    const std::int64_t estesa = lunghezza + 7000;
    const auto numero_celle = static_cast<std::int64_t>(std::nearbyint(static_cast<double>(estesa) / 50.0));
    const std::int64_t ultima_posizione = 50 * numero_celle - 100;  // the range check of a row
    occupazione occ{std::vector<int>(static_cast<std::size_t>(numero_celle + 1), 0)};
    auto posizione = [&](std::int64_t da, std::int64_t a) { return c.tra(da, std::max(da, a)); };

    std::string& l = g.linea;
    l = "[generale]\r\n" + riga("lunghezza percorso", {lunghezza});
    const char* nomi_progressive[] = {"uno", "due", "tre"};
    const bool da_zero = c.probabile(50);
    for (const char* nome : nomi_progressive) {
        const std::int64_t inizio = da_zero ? 0 : 50 * c.tra(0, lunghezza / 50);
        l += riga(std::string("progressiva chilometrica ") + nome, {inizio, 50 * c.tra(0, 4000), c.tra(0, 1)});
    }
    l += riga("sfondo uno", {c.tra(0, 5)}) + riga("sfondo due", {c.tra(0, 5)}) + riga("sfondo tre", {c.tra(0, 5)});
    l += riga(c.probabile(50) ? "ripetizione segnali 4 codici" : "ripetizione segnali 9 codici",
              {50 * c.tra(0, 20), c.probabile(15) ? 0 : 50 * c.tra(20, lunghezza / 50 + 20)});

    l += "[pendenze]\r\n";
    for (std::int64_t p = c.probabile(30) ? 0 : c.tra(1, 3000); p <= ultima_posizione - 100; p += c.tra(60, 3000))
        l += riga("pendenza", {p, c.tra(-100, 155)});

    if (g.j != 0) {
        l += "[curve]\r\n";
        for (std::int64_t inizio = c.tra(0, 2000); inizio <= ultima_posizione; ) {
            const std::int64_t lunghezza_curva = c.tra(1, 1500);
            if (inizio + lunghezza_curva > estesa) break;
            const std::string lato = c.probabile(50) ? "s" : "d";
            l += riga("curva" + lato + std::to_string(c.tra(1, 6)), {inizio, lunghezza_curva});
            inizio += lunghezza_curva + (c.probabile(25) ? 0 : c.tra(1, 2500));
        }
    }

    l += "[cartelli]\r\n";
    for (int n = static_cast<int>(c.tra(0, 12)); n > 0; --n) {
        const std::int64_t p = posizione(0, ultima_posizione);
        if (!occ.libera(cella_oggetto(p))) continue;
        occ.prendi(cella_oggetto(p));
        l += riga("indicatori_vmax", {p, c.tra(0, 200), c.tra(0, 200), c.tra(0, 200), c.tra(0, 9), c.tra(0, 99),
                                      c.tra(0, 99), c.tra(0, 99), c.tra(0, 9)});
    }

    l += "[montagne]\r\n";
    int montagne = 0;
    for (std::int64_t inizio = c.tra(0, 3000); inizio <= ultima_posizione - 200 && montagne < 60; ++montagne) {
        const std::int64_t fine = std::min(inizio + c.tra(50, 2000), 50 * (numero_celle - 2));
        l += riga("montagna", {inizio, fine, c.tra(1, 20)});
        inizio = fine + (c.probabile(30) ? c.tra(50, 150) : c.tra(151, 4000));
    }

    l += "[indicazioni]\r\n";
    for (int n = static_cast<int>(c.tra(0, 6)); n > 0; --n) {
        const std::int64_t p = posizione(0, ultima_posizione);
        if (!occ.libera(cella_oggetto(p))) continue;
        occ.prendi(cella_oggetto(p));
        l += "cartello_indicatore, " + std::to_string(p) + ", " + testo_casuale(c) + "\r\n";
    }
    l += "[fine]\r\n";

    std::string& t = g.treno;
    t = "[generale]\r\n" + riga("numero vetture", {c.tra(1, 20)}) + riga("percentuale massa frenata", {c.tra(50, 200)}) +
        riga("sabbia", {c.tra(0, 1000)}) + riga("orologio", {c.tra(0, 23), c.tra(0, 59), c.tra(0, 59)});
    t += "[aderenze]\r\n";
    for (std::int64_t p = c.probabile(50) ? 0 : c.tra(1, 3000); p <= ultima_posizione - 100; p += c.tra(60, 5000))
        t += riga("aderenza", {p, c.tra(0, 600)});
    t += "[vel_limite]\r\n";
    for (std::int64_t p = c.probabile(70) ? 0 : c.tra(1, 3000); p <= ultima_posizione - 100; p += c.tra(60, 5000))
        t += riga("velocita", {p, c.tra(0, 1275)});

    auto riga_segnale = [&](std::int64_t p) {
        const std::int64_t sx = c.tra(1, 3);
        const std::int64_t tempo = sx == 2 && c.probabile(40) ? c.tra(-5, 300) : 0;
        return riga("segnale", {p, sx, c.tra(0, 9), c.tra(0, 9), c.tra(0, 9), c.tra(0, 3), c.tra(0, 2), c.tra(0, 9),
                                c.tra(0, 9), c.tra(0, 9), tempo});
    };

    // Stations, in order and apart; a stop lands over whatever the line put
    // there, boards included, and over a signal written before the stations.
    const occupazione linea_sola = occ;
    std::string stazioni;
    std::vector<std::int64_t> fermate;
    std::int64_t fine_precedente = -100000;
    for (std::int64_t punto = 50 * c.tra(0, 40); punto <= 50 * numero_celle - 800; punto += 50 * c.tra(1, 200)) {
        const int categorie[] = {2, 5, 6, 7, 8, 12, 24, 28, 30};
        const int categoria = categorie[c.tra(0, 8)];
        const std::int64_t lunghezza_stazione = 100 * c.tra(1, 9);
        const std::int64_t scelta3 = c.tra(0, 1);
        const bool breve = categoria == 5 || categoria == 6, lunga = categoria == 7 || categoria == 8;
        const std::int64_t inizio = breve || lunga ? punto - lunghezza_stazione : punto - lunghezza_stazione / 2;
        const std::int64_t fine = breve ? punto + 150 : lunga ? punto + lunghezza_stazione : punto + lunghezza_stazione / 2 + (scelta3 ? 50 : 0);
        const auto fermata = static_cast<std::int64_t>(std::nearbyint(static_cast<double>(fine) / 50.0 - 1.0));
        if (inizio - 350 < fine_precedente || fermata <= 1 || fermata > numero_celle - 1) continue;
        if (categoria < 25) {
            occ.prendi(fermata);
            fermate.push_back(fermata);
        }
        fine_precedente = fine;
        std::string r = riga("stazione", {punto, categoria, lunghezza_stazione, c.tra(0, 255), c.tra(0, 255), scelta3,
                                          c.tra(-5, 5), c.tra(0, 300), c.tra(0, 255), c.tra(0, 5), c.tra(0, 5), c.tra(0, 5),
                                          c.tra(0, 255), c.tra(0, 23), c.tra(0, 59), c.tra(0, 59)});
        r.resize(r.size() - 2);
        stazioni += r + ", " + testo_casuale(c) + "\r\n";
        if (c.probabile(20)) break;
    }
    t += "[stazioni]\r\n";
    for (std::int64_t f : fermate)
        if (linea_sola.libera(f) && c.probabile(30)) t += riga_segnale(50 * (f - 1) + c.tra(-24, 24));
    t += stazioni;

    t += "[rallentamenti]\r\n";
    for (int n = static_cast<int>(c.tra(0, 5)); n > 0; --n) {
        const std::int64_t x = posizione(0, ultima_posizione - 1000);
        const std::int64_t lunghezza_r = c.probabile(10) ? c.tra(0, 20) : c.tra(50, 3000);
        const bool avviso = x > 1500, prima = avviso && c.probabile(50);
        const std::int64_t s = cella_oggetto(x), e = cella_oggetto(x + lunghezza_r), w = s - 24, m = s - 25;
        bool libere = occ.libera(s) && occ.libera(e) && (!avviso || occ.libera(w));
        for (int i = 0; prima && i < 4; ++i) libere = libere && occ.libera(m - i);
        if (!libere || e > numero_celle - 2) continue;
        for (std::int64_t k : {s, e}) occ.prendi(k);
        if (avviso) occ.prendi(w);
        for (int i = 0; prima && i < 4; ++i) occ.prendi(m - i);
        const std::int64_t v = c.probabile(50) ? c.tra(10, 109) : c.tra(110, 200);
        t += riga("rallentamento", {x, v, lunghezza_r, c.tra(0, 3), prima ? 1 : 0, c.probabile(50) ? 0 : c.tra(1, 9)});
    }

    t += "[segnali]\r\n";
    for (std::int64_t p = c.tra(0, 1500); p <= ultima_posizione; p += c.tra(50, 1500)) {
        if (!occ.libera(cella_oggetto(p)) || cella_oggetto(p) < 3) continue;
        occ.prendi(cella_oggetto(p));
        t += riga_segnale(p);
    }

    t += "[codici]\r\n";
    for (int n = static_cast<int>(c.tra(0, 6)); n > 0; --n) {
        const std::int64_t p = posizione(100, ultima_posizione);
        const auto a = static_cast<std::int64_t>(std::nearbyint(static_cast<double>(p) / 50.0));
        if (!occ.libera(a)) continue;
        occ.prendi(a);
        t += riga("abbattimento", {p, c.probabile(20) ? c.tra(-5, 0) : c.tra(1, 400)});
    }
    t += "[fine]\r\n";
    return g;
}

// The sources of one seed: the first draw that compiles without a problem
// (the post-pass may still find its cells taken, or place a point in cell 1).
inline sorgenti_generate genera(std::uint64_t seme, int tentativi = 50) {
    for (int n = 0; n < tentativi; ++n) {
        casuale c(seme * 1000003u + static_cast<std::uint64_t>(n));
        sorgenti_generate g = genera_una(c);
        sorgenti_in_memoria s(g.linea, g.treno);
        const risultato_percorso r = compila("Gen", "7", g.j, s);
        if (r.esito == esito_percorso::completo && r.registro.codice_errore == 0) return g;
    }
    return {};
}

}  // namespace generatore
