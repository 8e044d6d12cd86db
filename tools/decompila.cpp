#include "decompila.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <set>

#include "compile/compilazione.h"
#include "compile/sorgenti.h"
#include "line/sezione_generale.h"
#include "model/arrotondamento.h"
#include "model/campi.h"

namespace {

constexpr std::int64_t metri_cella = 50;
constexpr std::int32_t oltre_la_fine = 7000;
constexpr int giri_abbattimenti = 64;
constexpr std::size_t intorno_abbattimenti = 20;  // the post-pass looks back at most 20 cells
constexpr std::int16_t valore_abbattimento_automatico = 180;

// Why a cell, a slot or a metre could not be given back, by where it is.
struct perche {
    std::map<std::int64_t, std::string> celle;
    std::map<int, std::string> voci;
    std::map<std::int64_t, std::string> metri;
};

std::string riga(const char* chiave, std::initializer_list<std::int64_t> valori) {
    std::string r = chiave;
    for (std::int64_t v : valori) r += ", " + std::to_string(v);
    return r;
}

// Floor division, so that a negative value splits as a positive one does.
std::int64_t quoziente(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// A text as the field reader gives it back; nothing when no writing can.
std::optional<std::string> campo_testo(const std::string& t) {
    const bool virgoletta = t.find('"') != std::string::npos;
    const bool da_citare = t.find_first_of(",\r\n") != std::string::npos ||
                           (!t.empty() && (t.front() == ' ' || t.front() == '\t' || t.back() == ' ' || t.back() == '\t'));
    if (!da_citare && (t.empty() || t.front() != '"')) return t;
    if (virgoletta) return std::nullopt;
    return '"' + t + '"';
}

std::int64_t posizione_oggetto(std::int64_t cella) { return metri_cella * (cella - 1); }

// --- the general section ------------------------------------------------------

// The three progressives as rows: the stored records come back in one of the
// six orders, with the 100 that flag 1 adds taken off.
std::array<voce, 3> righe_progressive(const file_compilati& f) {
    std::array<voce, 3> memorizzate;  // tre, due, uno as stored in 81, 82, 83
    for (int i = 0; i < 3; ++i) {
        memorizzate[static_cast<std::size_t>(i)] = f.voci[static_cast<std::size_t>(voce_progressiva_tre + i)];
        voce& v = memorizzate[static_cast<std::size_t>(i)];
        v.testo.clear();
        if (v.punto == 1 && v.fine_tratto >= std::numeric_limits<std::int32_t>::min() + 100) v.fine_tratto -= 100;
    }
    // "uno" first takes slot 81, as an author writes a single progressive.
    std::array<int, 3> ordine{2, 1, 0};
    do {
        scenario prova;
        for (int i = 0; i < 3; ++i) {
            const voce& da = memorizzate[static_cast<std::size_t>(ordine[static_cast<std::size_t>(i)])];
            voce& a = prova.voci[static_cast<std::size_t>(voce_progressiva_tre + i)];
            a.inizio_tratto = da.inizio_tratto, a.fine_tratto = da.fine_tratto, a.punto = da.punto;
        }
        const std::array<voce, 3> righe{prova.voci[voce_progressiva_tre], prova.voci[voce_progressiva_due],
                                        prova.voci[voce_progressiva_uno]};
        progressive_ordina(prova);
        bool uguali = true;
        for (int i = 0; i < 3; ++i) {
            const voce& a = prova.voci[static_cast<std::size_t>(voce_progressiva_tre + i)];
            const voce& b = f.voci[static_cast<std::size_t>(voce_progressiva_tre + i)];
            uguali = uguali && a.inizio_tratto == b.inizio_tratto && a.fine_tratto == b.fine_tratto && a.punto == b.punto;
        }
        if (uguali) return righe;
    } while (std::prev_permutation(ordine.begin(), ordine.end()));
    return memorizzate;
}

std::vector<std::string> sezione_generale(const file_compilati& f) {
    const voce& treno = f.voci[voce_treno];
    const voce& percorso = f.voci[voce_percorso];
    const std::array<voce, 3> p = righe_progressive(f);
    return {
        "[generale]",
        riga("lunghezza percorso", {f.voci[voce_treno_dati].fine_tratto}),
        riga("progressiva chilometrica uno", {p[2].inizio_tratto, p[2].fine_tratto, p[2].punto}),
        riga("progressiva chilometrica due", {p[1].inizio_tratto, p[1].fine_tratto, p[1].punto}),
        riga("progressiva chilometrica tre", {p[0].inizio_tratto, p[0].fine_tratto, p[0].punto}),
        riga("sfondo uno", {percorso.inizio_tratto}),
        riga("sfondo due", {percorso.punto}),
        riga("sfondo tre", {percorso.fine_tratto}),
        riga(treno.punto == 9 ? "ripetizione segnali 9 codici" : "ripetizione segnali 4 codici",
             {treno.inizio_tratto, treno.fine_tratto}),
    };
}

// --- fills ---------------------------------------------------------------------

// One row where the byte changes: a row at 50 k sets the value from cell k
// on, one at 0 the value of cell 0; the fills run to cell numero_celle - 3.
template <typename V>
void righe_riempimento(std::vector<std::string>& righe, const std::vector<cella>& celle, std::uint8_t cella::*campo,
                       std::uint8_t predefinito, const char* chiave, V valore) {
    const auto ultima = static_cast<std::int64_t>(celle.size()) - 4;
    if (celle.empty()) return;
    if (celle[0].*campo != predefinito) righe.push_back(riga(chiave, {0, valore(celle[0].*campo)}));
    for (std::int64_t k = 1; k <= ultima; ++k) {
        const auto b = celle[static_cast<std::size_t>(k)].*campo;
        if (b != celle[static_cast<std::size_t>(k - 1)].*campo) righe.push_back(riga(chiave, {metri_cella * k, valore(b)}));
    }
}

// --- mountains -----------------------------------------------------------------

// Runs of one non-zero byte, a row each. A marked row (type + 10) leaves the
// filler 11 on every fourth cell; a row within 150 m of the previous row's
// end is forced to type 3, so a short empty row far behind lifts that.
std::vector<std::string> righe_montagne(const std::vector<cella>& celle) {
    std::vector<std::string> righe;
    std::optional<std::int64_t> fine_precedente;
    for (std::size_t a = 0; a < celle.size();) {
        const std::uint8_t tipo = celle[a].montagna;
        std::size_t b = a;
        while (b + 1 < celle.size() && celle[b + 1].montagna == tipo) ++b;
        if (tipo != 0) {
            bool marcata = false;
            for (std::size_t c = a + 3; c <= b; c += 4) marcata = marcata || celle[c].oggetto == oggetto_marca_montagna;
            const std::int64_t inizio = metri_cella * static_cast<std::int64_t>(a);
            const std::int64_t fine = metri_cella * static_cast<std::int64_t>(b + 1);
            if (fine_precedente && inizio - *fine_precedente <= 150 && tipo != 3) {
                righe.push_back(riga("montagna", {0, 0, 0}));
                fine_precedente = 0;
            }
            std::int64_t scritto = marcata ? tipo + 10 : (tipo <= 10 ? tipo : tipo - 256);
            righe.push_back(riga("montagna", {inizio, fine, scritto}));
            fine_precedente = fine;
        }
        a = b + 1;
    }
    return righe;
}

// --- boards ----------------------------------------------------------------------

std::string riga_indicatore(std::int64_t cella_indice, const cella& c) {
    auto velocita = [](std::int16_t dato) {
        const std::int64_t s = quoziente(dato, 20);
        return std::pair{s, 5 * (dato - 20 * s)};
    };
    const auto [vas, vad] = velocita(c.dato1);
    const auto [vbs, vbd] = velocita(c.dato2);
    const auto [vcs, vcd] = velocita(c.dato3);
    const std::int64_t strisces = quoziente(c.dato4, 10);
    return riga("indicatori_vmax",
                {posizione_oggetto(cella_indice), vas, vbs, vcs, strisces, vad, vbd, vcd, c.dato4 - 10 * strisces});
}

bool stazione_presente(const voce& v) {
    voce senza_testo = v;
    senza_testo.testo.clear();
    return !(senza_testo == voce{});
}

int numero_stazioni(const file_compilati& f) {
    int n = 0;
    while (n + 1 <= prima_voce_testo && stazione_presente(f.voci[static_cast<std::size_t>(n + 1)])) ++n;
    return n;
}

// The indication texts take slots 80, 79, ... in row order. A text whose
// board a station stop covered gets its board under one of the stops.
void righe_cartelli(const file_compilati& f, const std::map<std::int64_t, std::string>& nascosti,
                    std::vector<std::string>& cartelli, std::vector<std::string>& indicazioni, perche& p) {
    std::map<int, std::int64_t> cella_del_testo;
    std::vector<std::int64_t> fermate;
    for (std::size_t i = 0; i < f.celle.size(); ++i) {
        const cella& c = f.celle[i];
        const auto indice = static_cast<std::int64_t>(i);
        if (c.oggetto == oggetto_indicatore_v_max) cartelli.push_back(riga_indicatore(indice, c));
        if (c.oggetto == oggetto_cartello_indicazione) cella_del_testo.emplace(c.dato1, indice);
        if (c.oggetto != oggetto_fermata_stazione || nascosti.count(indice)) continue;
        // What the stop did not overwrite was a speed board beneath it.
        if (c.dato2 != 0 || c.dato3 != 0 || c.dato4 != 0)
            cartelli.push_back(riga_indicatore(indice, c));
        else
            fermate.push_back(indice);
    }

    int piu_basso = prima_voce_testo + 1;
    for (const auto& [slot, cella_indice] : cella_del_testo)
        if (slot >= 1 && slot <= prima_voce_testo) piu_basso = std::min(piu_basso, slot);
    for (int slot = numero_stazioni(f) + 1; slot <= prima_voce_testo; ++slot)
        if (!f.voci[static_cast<std::size_t>(slot)].testo.empty()) piu_basso = std::min(piu_basso, slot);

    std::size_t prossima_fermata = 0;
    for (int slot = prima_voce_testo; slot >= piu_basso; --slot) {
        std::int64_t cella_indice = 0;
        if (auto it = cella_del_testo.find(slot); it != cella_del_testo.end()) {
            cella_indice = it->second;
        } else if (prossima_fermata < fermate.size()) {
            cella_indice = fermate[prossima_fermata++];
        } else {
            p.voci[slot] = "no board holds this text and no station stop is left to hide one under";
            continue;
        }
        const std::string& testo = f.voci[static_cast<std::size_t>(slot)].testo;
        auto campo = campo_testo(testo);
        if (!campo) {
            p.voci[slot] = "the text holds a double quote and needs quoting, which the source cannot write";
            campo = "";
        }
        indicazioni.push_back("cartello_indicatore, " + std::to_string(posizione_oggetto(cella_indice)) + ", " + *campo);
    }
}

// --- the plan --------------------------------------------------------------------

constexpr std::array<double, 6> costanti_classe{0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

// Step 0 is straight; 1 to 6 turn right (d), -1 to -6 left (s). The
// arithmetic is the compiler's, operation for operation.
std::pair<double, double> applica_passo(double p1_0, double p1_1, double p2_0, double p2_1, int passo) {
    const double d0 = p1_0 - p2_0;
    const double d1 = p1_1 - p2_1;
    if (passo == 0) return {p1_0 + d0, p1_1 + d1};
    double k = costanti_classe[static_cast<std::size_t>(std::abs(passo) - 1)];
    if (passo < 0) k = -k;
    return {p1_0 + (d0 + k * d1), p1_1 + (d1 - k * d0)};
}

bool stessi_bit(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

struct punto_piano {
    double x = 0;
    double y = 0;
};

bool memorizzato(const planimetria_percorso& pl, std::int64_t m, punto_piano q) {
    const valore_planimetria& a = pl(m, 0);
    const valore_planimetria& b = pl(m, 1);
    return a.etichetta == valore_planimetria::tipo::reale && b.etichetta == valore_planimetria::tipo::reale &&
           stessi_bit(a.reale, q.x) && stessi_bit(b.reale, q.y);
}

// The candidate steps, the one in force first so that runs stay whole.
std::array<int, 13> candidati(int in_vigore) {
    std::array<int, 13> c{in_vigore};
    std::size_t n = 1;
    for (int passo : {0, 1, -1, 2, -2, 3, -3, 4, -4, 5, -5, 6, -6})
        if (passo != in_vigore) c[n++] = passo;
    return c;
}

// Metre by metre, the step that gives both stored doubles from the two
// metres before as the compile will hold them. Where none does, the step
// after which the next metre fits again (a metre edited by hand).
std::vector<std::string> righe_curve(const planimetria_percorso& pl, std::int64_t lunghezza_estesa, perche& p) {
    // A curve that runs to the plan's very end computes its last two metres too.
    std::int64_t ultimo = lunghezza_estesa - 2;
    while (ultimo < lunghezza_estesa && pl(ultimo + 1, 0).etichetta == valore_planimetria::tipo::reale) ++ultimo;
    std::vector<punto_piano> q(static_cast<std::size_t>(lunghezza_estesa + 1));
    q[1] = {0, 1};
    std::vector<int> passi(q.size(), 0);
    int in_vigore = 0;
    for (std::int64_t m = 2; m <= ultimo; ++m) {
        const auto i = static_cast<std::size_t>(m);
        auto prova = [&](int passo) {
            auto [x, y] = applica_passo(q[i - 1].x, q[i - 1].y, q[i - 2].x, q[i - 2].y, passo);
            return punto_piano{x, y};
        };
        std::optional<int> scelto;
        for (int passo : candidati(in_vigore))
            if (memorizzato(pl, m, prova(passo))) {
                scelto = passo;
                break;
            }
        if (!scelto) {
            p.metri[m] = "no step (straight, or a curve of class 1 to 6 to either side) gives this metre from the two before";
            scelto = in_vigore;
            for (int passo : candidati(in_vigore)) {
                const punto_piano qui = prova(passo);
                bool dopo = m + 1 > ultimo;
                for (int seguente : candidati(in_vigore)) {
                    if (dopo) break;
                    auto [x, y] = applica_passo(qui.x, qui.y, q[i - 1].x, q[i - 1].y, seguente);
                    dopo = memorizzato(pl, m + 1, {x, y});
                }
                if (dopo) {
                    scelto = passo;
                    break;
                }
            }
        }
        q[i] = prova(*scelto);
        passi[i] = in_vigore = *scelto;
    }

    std::vector<std::string> righe;
    for (std::int64_t a = 2; a <= ultimo;) {
        std::int64_t b = a;
        while (b + 1 <= ultimo && passi[static_cast<std::size_t>(b + 1)] == passi[static_cast<std::size_t>(a)]) ++b;
        const int passo = passi[static_cast<std::size_t>(a)];
        if (passo != 0) {
            const std::string chiave = std::string("curva") + (passo < 0 ? "s" : "d") + std::to_string(std::abs(passo));
            righe.push_back(riga(chiave.c_str(), {a - 1, b - a + 1}));
        }
        a = b + 1;
    }
    return righe;
}

// --- the train source -----------------------------------------------------------

std::vector<std::string> generale_treno(const file_compilati& f) {
    const voce& dati = f.voci[voce_treno_dati];
    const voce& treno = f.voci[voce_treno];
    return {
        "[generale]",
        riga("numero vetture", {dati.punto}),
        riga("percentuale massa frenata", {dati.inizio_tratto}),
        riga("sabbia", {treno.valore1}),
        riga("orologio", {treno.valore3, treno.valore4, treno.valore5}),
    };
}

bool categoria_breve(std::uint8_t c) { return c == 5 || c == 6; }
bool categoria_lunga(std::uint8_t c) { return c == 7 || c == 8; }

// The length comes back from the stretch; the first station's field 6 is
// cleared once the stretch has its extra 50 m, so it shows in the stretch.
std::vector<std::string> righe_stazioni(const file_compilati& f, perche& p) {
    std::vector<std::string> righe;
    const int n = numero_stazioni(f);
    for (int k = 1; k <= n; ++k) {
        const voce& r = f.voci[static_cast<std::size_t>(k)];
        const bool ordinaria = !categoria_breve(r.categoria) && !categoria_lunga(r.categoria);
        const std::int64_t lunghezza =
            ordinaria ? 2 * (std::int64_t{r.punto} - r.inizio_tratto) : std::int64_t{r.punto} - r.inizio_tratto;
        std::int64_t scelta3 = r.scelta3;
        if (k == 1 && ordinaria) scelta3 = std::int64_t{r.fine_tratto} - r.punto - lunghezza / 2 == 50 ? 1 : 0;
        auto nome = campo_testo(r.testo);
        if (!nome) {
            p.voci[k] = "the name holds a double quote and needs quoting, which the source cannot write";
            nome = "";
        }
        const std::int64_t orario = r.orario;
        righe.push_back(riga("stazione", {r.punto, r.categoria, lunghezza, r.opzione, r.scelta4, scelta3, r.valore1,
                                          r.valore2, r.scelta1, r.valore3, r.valore4, r.valore5, r.scelta2,
                                          orario / 3600, orario % 3600 / 60, orario % 60}) +
                        ", " + *nome);
    }
    return righe;
}

// The four numbered cells before a warning board, by the start cell of the
// restriction they belong to: the start 25 cells on, or, from half a cell
// before, an even start 26 cells on (true). Where both starts could own
// them, the one whose d_v matches their dato2 does.
std::map<std::size_t, bool> prima_degli_avvisi(const file_compilati& f) {
    std::map<std::size_t, bool> proprietari;
    auto inizio = [&](std::size_t s) {
        return s < f.celle.size() && s >= 31 && f.celle[s].oggetto == oggetto_inizio_rallentamento &&
               f.celle[s - 24].oggetto == oggetto_avviso_rallentamento && !proprietari.count(s);
    };
    for (std::size_t m = 0; m < f.celle.size(); ++m) {
        const cella& c = f.celle[m];
        if (c.oggetto != oggetto_prima_avviso || c.dato1 != 1) continue;
        const std::size_t intera = m + 25, mezza = m + 26;
        const bool puo_intera = inizio(intera), puo_mezza = mezza % 2 == 0 && mezza >= 32 && inizio(mezza);
        auto adatto = [&](std::size_t s) { return (f.celle[s].dato2 != 0) == (c.dato2 != 0); };
        if (puo_intera && (adatto(intera) || !puo_mezza))
            proprietari[intera] = false;
        else if (puo_mezza)
            proprietari[mezza] = true;
    }
    return proprietari;
}

// A start cell with its end: the first end further on with the same values
// (none when the start overwrote its own end).
std::vector<std::string> righe_rallentamenti(const file_compilati& f) {
    std::vector<std::string> righe;
    std::set<std::size_t> fini_usate;
    const std::map<std::size_t, bool> proprietari = prima_degli_avvisi(f);
    for (std::size_t s = 0; s < f.celle.size(); ++s) {
        const cella& c = f.celle[s];
        if (c.oggetto != oggetto_inizio_rallentamento) continue;
        std::size_t e = s;
        for (std::size_t k = s + 1; k < f.celle.size(); ++k) {
            const cella& d = f.celle[k];
            if (d.oggetto == oggetto_fine_rallentamento && !fini_usate.count(k) && d.dato1 == c.dato1 &&
                d.dato2 == c.dato2 && d.dato3 == c.dato3) {
                e = k;
                break;
            }
        }
        if (e != s) fini_usate.insert(e);
        std::int64_t x = posizione_oggetto(static_cast<std::int64_t>(s));
        std::int64_t l = metri_cella * static_cast<std::int64_t>(e - s);
        // A start in cell 31 with a warning board lay past 1500 m.
        if (x == 1500 && f.celle[s - 24].oggetto == oggetto_avviso_rallentamento) x = 1501;
        const auto proprio = proprietari.find(s);
        // From half a cell before, an even start cell rounds up and the four
        // cells before the warning round down.
        if (proprio != proprietari.end() && proprio->second) {
            x -= metri_cella / 2;
            l += metri_cella / 2;
        }
        righe.push_back(riga("rallentamento", {x, c.dato1, l, c.dato3, proprio != proprietari.end() ? 1 : 0, c.dato2}));
    }
    return righe;
}

// A signal's code comes back from the marks that no later row covers,
// among the codes that the packed dato4 allows.
struct codice_segnale {
    std::int64_t codice = 0;
    int scoperti = 0;  // marks that no later row covers
    int accordi = 0;   // of those, the ones the code gives
    bool segnato = false;  // one of those is not 0
};

codice_segnale scegli_codice(const file_compilati& f, std::int64_t t, const std::set<std::int64_t>& coperte) {
    const cella& c = f.celle[static_cast<std::size_t>(t)];
    codice_segnale migliore;
    migliore.accordi = -1;
    for (std::int64_t prova = 0; prova < 640; ++prova) {
        if ((c.dato4 - prova) % 10 != 0) continue;
        codice_segnale questo{prova, 0, 0, false};
        for (int b = 1; b <= 4; ++b) {
            const std::int64_t m = t - 2 * b;
            if (m < 0 || coperte.count(m)) continue;
            const std::uint8_t segno = f.celle[static_cast<std::size_t>(m)].ripetizione;
            ++questo.scoperti;
            questo.segnato = questo.segnato || segno != 0;
            if (segno == static_cast<std::uint8_t>((prova * 10 + b) & 0xFF)) ++questo.accordi;
        }
        if (questo.accordi > migliore.accordi) migliore = questo;
    }
    return migliore;
}

void copri_segni(std::set<std::int64_t>& coperte, std::int64_t t) {
    for (int b = 1; b <= 4; ++b) coperte.insert(t - 2 * b);
}

std::string riga_segnale(const cella& c, std::int64_t t, std::int64_t codice) {
    const std::int64_t rapp = (c.dato4 - codice) / 10;
    const std::int64_t sx = c.tempo_segnale != 0 ? 2 : quoziente(codice, 3);
    const std::int64_t dx = codice - 3 * sx;
    const std::int64_t tempo = c.tempo_segnale == 0 ? 0 : (c.tempo_segnale >= 101 ? c.tempo_segnale : c.tempo_segnale + 256);
    auto cifre = [](std::int16_t dato) {
        const std::int64_t s = quoziente(dato, 10);
        return std::pair{s, dato - 10 * s};
    };
    const auto [s1, d1] = cifre(c.dato1);
    const auto [s2, d2] = cifre(c.dato2);
    const auto [s3, d3] = cifre(c.dato3);
    return riga("segnale", {posizione_oggetto(t), sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo});
}

std::vector<std::int64_t> celle_con(const file_compilati& f, std::uint8_t oggetto) {
    std::vector<std::int64_t> celle;
    for (std::size_t i = 0; i < f.celle.size(); ++i)
        if (f.celle[i].oggetto == oggetto) celle.push_back(static_cast<std::int64_t>(i));
    return celle;
}

// The signals in cell order; each one's marks may cover those of the ones before.
std::vector<std::string> righe_segnali(const file_compilati& f) {
    const std::vector<std::int64_t> segnali = celle_con(f, oggetto_segnale);
    std::set<std::int64_t> coperte;
    std::vector<std::string> righe(segnali.size());
    for (std::size_t n = segnali.size(); n-- > 0;) {
        const std::int64_t t = segnali[n];
        righe[n] = riga_segnale(f.celle[static_cast<std::size_t>(t)], t, scegli_codice(f, t, coperte).codice);
        copri_segni(coperte, t);
    }
    return righe;
}

// Signals that a station stop covered: the stop keeps their time value and
// the marks that neither a station nor a later signal wrote over. They are
// written before the stations, whose stops then cover them again.
std::map<std::int64_t, std::string> segnali_sotto_fermate(const file_compilati& f) {
    std::set<std::int64_t> coperte;
    for (std::int64_t t : celle_con(f, oggetto_segnale)) copri_segni(coperte, t);
    for (int k = 1; k <= numero_stazioni(f); ++k) {
        const voce& r = f.voci[static_cast<std::size_t>(k)];
        if (r.categoria >= 25 || categoria_breve(r.categoria)) continue;
        for (int i = 1; i <= 4; ++i) {
            const double segno = static_cast<double>(r.fine_tratto) / 50.0 - i - 1;
            if (segno > 1) coperte.insert(static_cast<std::int64_t>(arrotonda(segno)));
        }
    }
    std::map<std::int64_t, std::string> nascosti;
    const std::vector<std::int64_t> fermate = celle_con(f, oggetto_fermata_stazione);
    for (auto it = fermate.rbegin(); it != fermate.rend(); ++it) {
        const cella& c = f.celle[static_cast<std::size_t>(*it)];
        const codice_segnale codice = scegli_codice(f, *it, coperte);
        const bool dai_segni = codice.scoperti > 0 && codice.accordi == codice.scoperti && codice.segnato;
        if (c.tempo_segnale == 0 && !dai_segni) continue;
        nascosti[*it] = riga_segnale(c, *it, codice.codice);
        copri_segni(coperte, *it);
    }
    return nascosti;
}

// --- verification ----------------------------------------------------------------

bool abbattimento(const cella& c) {
    return c.oggetto == oggetto_punto_abbattimento || c.oggetto == oggetto_abbattimento_senza_valore;
}

template <typename R>
std::string campi_diversi(const R& memorizzato, const R& dato, void (*campi)(const R&, std::vector<std::string>&)) {
    std::vector<std::string> a, b;
    campi(memorizzato, a);
    campi(dato, b);
    std::string testo;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) {
            const std::size_t spazio = a[i].find(' ');
            testo += (testo.empty() ? "" : "; ") + a[i].substr(0, spazio) + " stored" + a[i].substr(spazio) +
                     ", the sources give" + b[i].substr(b[i].find(' '));
        }
    return testo;
}

void campi_di_cella(const cella& c, std::vector<std::string>& v) {
    campi_cella(c, [&](const char* nome, const auto& campo) { v.push_back(std::string(nome) + " " + std::to_string(campo)); });
}

void campi_di_voce(const voce& r, std::vector<std::string>& v) {
    campi_voce(r, [&](const char* nome, const auto& campo) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(campo)>, std::string>)
            v.push_back(std::string(nome) + " \"" + campo + "\"");
        else
            v.push_back(std::string(nome) + " " + std::to_string(campo));
    });
}

std::string reale(const valore_planimetria& v) {
    if (v.etichetta == valore_planimetria::tipo::vuoto) return "empty";
    char testo[40];
    std::snprintf(testo, sizeof testo, "%.17g", v.come_reale());
    return testo;
}

std::string con_perche(std::string testo, const std::string* motivo) {
    return motivo ? testo + ": " + *motivo : testo + ": no row found gives it";
}

template <typename M, typename K>
const std::string* motivo(const M& mappa, K chiave) {
    auto it = mappa.find(chiave);
    return it == mappa.end() ? nullptr : &it->second;
}

std::vector<differenza> confronta(const file_compilati& f, const risultato_percorso& r, const perche& p) {
    std::vector<differenza> d;
    auto celle = [&](std::string testo) { d.push_back({file_scenario::celle, std::move(testo)}); };
    auto voci = [&](std::string testo) { d.push_back({file_scenario::voci, std::move(testo)}); };
    auto piano = [&](std::string testo) { d.push_back({file_scenario::planimetria, std::move(testo)}); };
    if (r.esito != esito_percorso::completo) {
        voci("the sources give no files: " +
                    std::string(r.esito == esito_percorso::conflitto ? "a reserved field of the stamps is taken"
                                                                     : "the line source makes no cells"));
        return d;
    }
    const scenario& s = r.modello;
    if (s.celle.size() != f.celle.size())
        celle("cell track: " + std::to_string(f.celle.size()) + " cells stored, the sources give " +
                    std::to_string(s.celle.size()));
    // Marks are the one value that the order of the rows decides.
    static const std::string segni_in_ordine =
        "the signals and stations, written in cell order, leave another mark here (were their rows in another order?)";
    for (std::size_t i = 0; i < std::min(s.celle.size(), f.celle.size()); ++i) {
        if (s.celle[i] == f.celle[i]) continue;
        const std::string* perche_qui = motivo(p.celle, static_cast<std::int64_t>(i));
        cella senza_segno = s.celle[i];
        senza_segno.ripetizione = f.celle[i].ripetizione;
        if (!perche_qui && senza_segno == f.celle[i]) perche_qui = &segni_in_ordine;
        celle(con_perche("cell " + std::to_string(i) + " (from " + std::to_string(metri_cella * static_cast<std::int64_t>(i)) +
                             " m): " + campi_diversi(f.celle[i], s.celle[i], campi_di_cella),
                         perche_qui));
    }
    for (int k = 0; k < numero_voci; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (!(s.voci[i] == f.voci[i]))
            voci(con_perche("slot " + std::to_string(k) + ": " + campi_diversi(f.voci[i], s.voci[i], campi_di_voce),
                                   motivo(p.voci, k)));
    }
    if (f.planimetria.has_value() != s.planimetria.esiste()) {
        piano(f.planimetria ? "plan: stored, the sources give none" : "plan: none stored, the sources give one");
        return d;
    }
    if (!f.planimetria) return d;
    const planimetria_percorso& pl = *f.planimetria;
    if (pl.metri != s.planimetria.metri)
        piano("plan: " + std::to_string(pl.metri) + " metres stored, the sources give " + std::to_string(s.planimetria.metri));
    for (std::int64_t m = 0; m < std::min(pl.metri, s.planimetria.metri); ++m) {
        if (pl(m, 0) == s.planimetria(m, 0) && pl(m, 1) == s.planimetria(m, 1)) continue;
        piano(con_perche("plan metre " + std::to_string(m) + ": stored (" + reale(pl(m, 0)) + ", " + reale(pl(m, 1)) +
                                   "), the sources give (" + reale(s.planimetria(m, 0)) + ", " +
                                   reale(s.planimetria(m, 1)) + ")",
                               motivo(p.metri, m)));
    }
    return d;
}

// Cells whose values no row kind writes: kinds that name no object, and the
// fill bytes of the last three cells.
void segna_celle_impossibili(const file_compilati& f, perche& p) {
    const std::set<int> noti{0, 1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 14};
    for (std::size_t i = 0; i < f.celle.size(); ++i) {
        const cella& c = f.celle[i];
        const auto indice = static_cast<std::int64_t>(i);
        if (!noti.count(c.oggetto)) p.celle[indice] = "no row places an object of kind " + std::to_string(c.oggetto);
        if (i + 3 >= f.celle.size() && (c.pendenza || c.velocita || c.aderenza))
            p.celle[indice] = "no row fills the last three cells";
    }
}

struct sorgenti_lavoro {
    std::vector<std::string> linea;
    std::vector<std::string> treno_senza_codici;
    std::map<std::int64_t, std::int64_t> abbattimenti;  // cell, value

    std::vector<std::string> treno() const {
        std::vector<std::string> t = treno_senza_codici;
        t.push_back("[codici]");
        for (const auto& [a, valore] : abbattimenti) t.push_back(riga("abbattimento", {metri_cella * a, valore}));
        t.push_back("[fine]");
        return t;
    }
};

risultato_percorso compila_sorgenti(const sorgenti_lavoro& l, const std::string& nome_percorso,
                                    const std::string& numero_treno, std::int32_t j) {
    sorgenti_in_memoria sorgenti(testo_sorgente(l.linea), testo_sorgente(l.treno()));
    return compila(nome_percorso, numero_treno, j, sorgenti);
}

// The first cell from which the abatement points of a compile differ from
// the stored ones; the cell count when none does.
std::size_t primo_diverso(const file_compilati& f, const risultato_percorso& r) {
    if (r.esito != esito_percorso::completo) return 0;
    const std::size_t n = std::min(r.modello.celle.size(), f.celle.size());
    std::size_t i = 0;
    while (i < n && abbattimento(f.celle[i]) == abbattimento(r.modello.celle[i]) &&
           (!abbattimento(f.celle[i]) || f.celle[i] == r.modello.celle[i]))
        ++i;
    return i;
}

// The authored abatement points: those the post-pass does not place by
// itself. Its own always hold 180, so every other value is a row. A point of
// 180 is a row when the post-pass, with the rows so far, places its own
// elsewhere; an authored point moves the post-pass's next ones, so the
// points of 180 around the first difference are tried as rows, keeping the
// one that moves the first difference furthest, until none moves it.
risultato_percorso cerca_abbattimenti(sorgenti_lavoro& l, const file_compilati& f, const std::string& nome_percorso,
                                      const std::string& numero_treno, std::int32_t j) {
    for (std::size_t i = 0; i < f.celle.size(); ++i) {
        const cella& c = f.celle[i];
        if (c.oggetto == oggetto_abbattimento_senza_valore) l.abbattimenti[static_cast<std::int64_t>(i)] = 0;
        if (c.oggetto == oggetto_punto_abbattimento && c.dato1 != valore_abbattimento_automatico)
            l.abbattimenti[static_cast<std::int64_t>(i)] = c.dato1;
    }
    risultato_percorso r = compila_sorgenti(l, nome_percorso, numero_treno, j);
    std::size_t diverso = primo_diverso(f, r);
    for (int giro = 0; giro < giri_abbattimenti && diverso < f.celle.size(); ++giro) {
        std::optional<std::int64_t> scelta;
        std::size_t piu_avanti = diverso;
        const std::size_t da = diverso > intorno_abbattimenti ? diverso - intorno_abbattimenti : 0;
        for (std::size_t k = da; k <= diverso + intorno_abbattimenti && k < f.celle.size(); ++k) {
            const auto a = static_cast<std::int64_t>(k);
            if (f.celle[k].oggetto != oggetto_punto_abbattimento || l.abbattimenti.count(a)) continue;
            l.abbattimenti[a] = f.celle[k].dato1;
            const std::size_t qui = primo_diverso(f, compila_sorgenti(l, nome_percorso, numero_treno, j));
            l.abbattimenti.erase(a);
            if (qui > piu_avanti) piu_avanti = qui, scelta = a;
        }
        if (!scelta) break;
        l.abbattimenti[*scelta] = f.celle[static_cast<std::size_t>(*scelta)].dato1;
        r = compila_sorgenti(l, nome_percorso, numero_treno, j);
        diverso = piu_avanti;
    }
    return r;
}

template <typename T>
void aggiungi(std::vector<std::string>& a, const T& b) {
    a.insert(a.end(), b.begin(), b.end());
}

}  // namespace

std::optional<std::string> controlla_file_compilati(const file_compilati& f, const std::string& nome_percorso,
                                                    const std::string& numero_treno) {
    const std::string& nome = f.voci[voce_percorso].testo;
    const std::string& numero = f.voci[voce_treno].testo;
    if (nome != nome_percorso)
        return "the record table names the route \"" + nome + "\", not \"" + nome_percorso + "\"";
    if (numero != numero_treno)
        return "the record table names the train \"" + numero + "\", not \"" + numero_treno + "\"";
    const std::int32_t lunghezza = f.voci[voce_treno_dati].fine_tratto;
    if (lunghezza < 0 || lunghezza > 1000000)
        return "the record table gives the route length " + std::to_string(lunghezza) + ", outside 0 to 1000000";
    const std::int64_t estesa = std::int64_t{lunghezza} + oltre_la_fine;
    const auto celle = static_cast<std::size_t>(indice_cella(estesa, 0.0)) + 1;
    if (f.celle.size() != celle)
        return "the cell track holds " + std::to_string(f.celle.size()) + " cells; the route length " +
               std::to_string(lunghezza) + " needs " + std::to_string(celle);
    if (f.planimetria && f.planimetria->metri != estesa + 1)
        return "the plan holds " + std::to_string(f.planimetria->metri) + " metres; the route length " +
               std::to_string(lunghezza) + " needs " + std::to_string(estesa + 1);
    return std::nullopt;
}

decompilazione decompila(const file_compilati& f, const std::string& nome_percorso, const std::string& numero_treno) {
    perche p;
    segna_celle_impossibili(f, p);
    const std::int32_t j = f.planimetria ? 1 : 0;

    sorgenti_lavoro l;
    l.linea = sezione_generale(f);
    l.linea.push_back("[pendenze]");
    righe_riempimento(l.linea, f.celle, &cella::pendenza, 100, "pendenza", [](std::uint8_t b) { return b - 100; });
    l.linea.push_back("[curve]");
    if (f.planimetria) aggiungi(l.linea, righe_curve(*f.planimetria, f.planimetria->metri - 1, p));
    std::vector<std::string> cartelli, indicazioni;
    const std::map<std::int64_t, std::string> nascosti = segnali_sotto_fermate(f);
    righe_cartelli(f, nascosti, cartelli, indicazioni, p);
    l.linea.push_back("[cartelli]");
    aggiungi(l.linea, cartelli);
    l.linea.push_back("[montagne]");
    aggiungi(l.linea, righe_montagne(f.celle));
    l.linea.push_back("[indicazioni]");
    aggiungi(l.linea, indicazioni);
    l.linea.push_back("[fine]");

    std::vector<std::string>& t = l.treno_senza_codici;
    t = generale_treno(f);
    t.push_back("[aderenze]");
    righe_riempimento(t, f.celle, &cella::aderenza, 0, "aderenza", [](std::uint8_t b) { return b; });
    t.push_back("[vel_limite]");
    righe_riempimento(t, f.celle, &cella::velocita, 0, "velocita", [](std::uint8_t b) { return 5 * b; });
    t.push_back("[stazioni]");
    for (const auto& [cella_indice, r] : nascosti) t.push_back(r);
    aggiungi(t, righe_stazioni(f, p));
    t.push_back("[rallentamenti]");
    aggiungi(t, righe_rallentamenti(f));
    t.push_back("[segnali]");
    aggiungi(t, righe_segnali(f));

    const risultato_percorso r = cerca_abbattimenti(l, f, nome_percorso, numero_treno, j);
    return {l.linea, l.treno(), confronta(f, r, p)};
}

std::string testo_sorgente(const std::vector<std::string>& righe) {
    std::string testo;
    for (const std::string& r : righe) testo += r + "\r\n";
    return testo;
}
