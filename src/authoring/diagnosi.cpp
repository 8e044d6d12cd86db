#include "authoring/diagnosi.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "authoring/righe_lette.h"
#include "compile/in_parallelo.h"
#include "driver/windows1252.h"
#include "model/arrotondamento.h"
#include "reader/lettore_campi.h"
#include "reader/riga.h"

namespace {

constexpr std::size_t massimo_problemi = 50;
constexpr std::int32_t distanza_avviso = 1200;

const std::string& nome_di(file_sorgente f, const nomi_sorgenti& nomi) {
    return f == file_sorgente::linea ? nomi.linea : nomi.treno;
}

std::string rif(const riga_sorgente& r, const nomi_sorgenti& nomi) {
    return nome_di(r.file, nomi) + ":" + std::to_string(r.riga);
}

std::string tratto(std::int64_t k) {
    return "cell " + std::to_string(k) + " (" + std::to_string((k - 1) * 50) + "-" + std::to_string(k * 50) + " m)";
}

// What holds cell k, and which row put it there.
std::string contenuto(const scenario& s, const registro_righe& righe, std::int64_t k, const nomi_sorgenti& nomi) {
    const cella& c = s.cella_a(k);
    std::string cosa = c.oggetto == oggetto_fermata_stazione && c.dato1 > 0 && c.dato1 < numero_voci
                           ? "the stop of station " + windows1252_a_utf8(s.voci[static_cast<std::size_t>(c.dato1)].testo)
                           : std::string(descrizione_oggetto(c.oggetto));
    const origine_oggetto* o = righe.origine(k);
    if (!o) return cosa;
    if (o->automatico) return cosa + ", placed by the post-pass for the row at " + rif(o->riga, nomi);
    return cosa + " (" + rif(o->riga, nomi) + ")";
}

struct cella_contesa {
    std::int64_t cella;
    const char* soggetto;
};

// The cell a refused row wanted, from its values as written.
std::optional<cella_contesa> cella_rifiutata(std::int32_t codice, const riga_letta& riga, const scenario& s) {
    auto p = riga.valore(1);
    if (!p) return std::nullopt;
    const std::int64_t x = *p;
    switch (codice) {
        case problema_segnale_occupato: return cella_contesa{indice_cella(x, 1.0), "the signal's"};
        case problema_indicazione_occupata: return cella_contesa{indice_cella(x, 1.0), "the indication board's"};
        case problema_indicatore_occupato: return cella_contesa{indice_cella(x, 1.0), "the speed indicator board's"};
        case problema_abbattimento_occupato: return cella_contesa{indice_cella(x, 0.0), "the code abatement point's"};
        case problema_avviso_occupato:
            return cella_contesa{indice_cella(x - distanza_avviso, 1.0), "the speed restriction's warning"};
        case problema_inizio_occupato: return cella_contesa{indice_cella(x, 1.0), "the speed restriction's start"};
        case problema_fine_occupata:
            if (!riga.valore(3)) return std::nullopt;
            return cella_contesa{indice_cella(x + *riga.valore(3), 1.0), "the speed restriction's end"};
        case problema_prima_avviso_occupata: {
            const std::int64_t base = indice_cella(x - distanza_avviso, 0.0);
            for (std::int64_t k = base; k >= base - 3; --k)
                if (s.nelle_celle(k) && !cella_libera(s.cella_a(k)))
                    return cella_contesa{k, "the speed restriction's numbered"};
            return std::nullopt;
        }
        default: return std::nullopt;
    }
}

// Which end of a row lies outside the cells, when its start does not.
std::string fine_fuori(const riga_letta& riga, const scenario& s) {
    auto p = riga.valore(1);
    if (!p) return {};
    if (*p < 0) return "its position lies before the route's start";
    const std::string_view c = riga.chiave().testo;
    const bool stazione = contiene_senza_maiuscole(c, "stazione");
    if (oltre_le_celle(s, *p, stazione ? 800 : margine_riga)) return {};
    const std::string ultima = " (the cells end at " + std::to_string(std::int64_t{s.numero_celle} * 50) + " m)";
    auto fine_a = [&](std::int64_t fine) { return "its end at " + std::to_string(fine) + " m lies past the last cell" + ultima; };
    if (contiene_senza_maiuscole(c, "rallentamento") && riga.valore(3)) return fine_a(std::int64_t{*p} + *riga.valore(3));
    if (contiene_senza_maiuscole(c, "montagna") && riga.valore(2)) return fine_a(*riga.valore(2));
    if (contiene_senza_maiuscole(c, "curva") && riga.valore(2))
        return "its end at " + std::to_string(std::int64_t{*p} + *riga.valore(2)) + " m lies past the plan's last metre (" +
               std::to_string(s.lunghezza_estesa) + " m)";
    if (stazione) return "its stop cell lies past the last cell" + ultima;
    return "its fill would run past the last cell" + ultima + "; are the rows in order of position?";
}

// The kilometric progressive row off the 50 m grid, as written.
const riga_letta* progressiva_fuori_griglia(const std::vector<riga_letta>& righe) {
    for (const riga_letta& r : righe) {
        const std::string_view c = r.chiave().testo;
        if (!r.generale || !contiene(c, "progressiva") || !r.valore(3)) continue;
        const std::int64_t catena = std::int64_t{*r.valore(2)} + (*r.valore(3) == 1 ? 100 : 0);
        if (*r.valore(1) % 50 != 0 || catena % 50 != 0) return &r;
    }
    return nullptr;
}

// The speed row whose value a failing fill was writing: the one before the
// row in hand, or the last one when the fill completed the route.
const riga_letta* velocita_in_vigore(const std::vector<riga_letta>& righe, const std::optional<riga_sorgente>& in_corso) {
    const riga_letta* in_vigore = nullptr;
    for (const riga_letta& r : righe) {
        if (!r.riconosciuta() || !contiene_senza_maiuscole(r.chiave().testo, "velocit")) continue;
        if (in_corso && r.riga() >= in_corso->riga) break;
        in_vigore = &r;
    }
    return in_vigore;
}

// The signal whose two cells before it were taken, after a restriction's end.
std::optional<std::int64_t> segnale_dopo(const scenario& s, std::int64_t fine) {
    for (std::int64_t g = fine; g <= fine + 12 && s.nelle_celle(g); ++g) {
        if (s.cella_a(g).oggetto != oggetto_segnale) continue;
        const bool prese = !(s.nelle_celle(g - 1) && cella_libera(s.cella_a(g - 1))) &&
                           !(s.nelle_celle(g - 2) && cella_libera(s.cella_a(g - 2)));
        return prese ? std::optional<std::int64_t>(g) : std::nullopt;
    }
    return std::nullopt;
}

std::string riga_del_segnale(const registro_righe& righe, std::int64_t cella, const nomi_sorgenti& nomi) {
    const origine_oggetto* o = righe.origine(cella);
    return o ? "; the signal is the row at " + rif(o->riga, nomi) : "";
}

struct contesto {
    const risultato_percorso& r;
    const registro_righe& righe;
    const nomi_sorgenti& nomi;
    const righe_dei_file& lette;

    const scenario& s() const { return r.modello; }
};

// A station too close to the one before: both stretches, as compiled. Every
// station row before a refused one took a slot, so the slots follow the rows.
std::string stazione_precedente(const contesto& c, const riga_letta& riga) {
    std::size_t slot = 1;
    const riga_letta* prima = nullptr;
    for (const riga_letta& r : c.lette.treno) {
        if (&r == &riga) break;
        if (r.riconosciuta() && contiene_senza_maiuscole(r.chiave().testo, "stazione")) ++slot, prima = &r;
    }
    if (!prima || slot >= prima_voce_testo) return {};
    const voce& questa = c.s().voci[slot];
    const voce& precedente = c.s().voci[slot - 1];
    return ": this stretch starts at " + std::to_string(questa.inizio_tratto) + " m, and the previous station's (" +
           windows1252_a_utf8(precedente.testo) + ", " + rif(prima->dove(), c.nomi) + ") ends at " +
           std::to_string(precedente.fine_tratto) + " m";
}

void lega(diagnosi& d, const riga_letta* riga) {
    if (!riga) return;
    d.file = riga->file;
    d.riga = riga->riga();
}

diagnosi errore_di(const contesto& c, const problema& p) {
    diagnosi d;
    d.codice = p.codice;
    d.posizione = p.posizione;
    d.messaggio = std::string(descrizione_codice(p.codice));
    if (p.riga) {
        d.file = p.riga->file;
        d.riga = p.riga->riga;
    }
    const riga_letta* riga = p.riga ? riga_a(c.lette.di(p.riga->file), p.riga->riga) : nullptr;
    const std::string dettaglio = windows1252_a_utf8(p.dettaglio);

    if (auto contesa = riga ? cella_rifiutata(p.codice, *riga, c.s()) : std::nullopt; contesa && c.s().nelle_celle(contesa->cella)) {
        d.messaggio = std::string(contesa->soggetto) + " " + tratto(contesa->cella) + " already holds " +
                      contenuto(c.s(), c.righe, contesa->cella, c.nomi);
        return d;
    }
    switch (p.codice) {
        case problema_fuori_celle:
            if (riga)
                if (std::string fine = fine_fuori(*riga, c.s()); !fine.empty()) d.messaggio += ": " + fine;
            return d;
        case problema_stazioni_vicine:
            if (riga) d.messaggio += stazione_precedente(c, *riga);
            return d;
        case problema_progressiva_fuori_griglia:
            if (const riga_letta* prog = progressiva_fuori_griglia(c.lette.linea)) {
                lega(d, prog);
                d.messaggio += ": start " + std::to_string(*prog->valore(1)) + " m, chainage " +
                               std::to_string(*prog->valore(2)) + " m";
            }
            return d;
        case problema_punto_segnale_avviso:
            if (const origine_oggetto* o = p.posizione ? c.righe.origine(*p.posizione / 50) : nullptr)
                d.messaggio = "no free cell for the abatement point before the signal at " + rif(o->riga, c.nomi) +
                              ", which stands within 20 cells before this restriction's warning board";
            return d;
        case problema_punto_dopo_rallentamento:
            if (p.posizione)
                if (auto g = segnale_dopo(c.s(), *p.posizione / 50)) d.messaggio += riga_del_segnale(c.righe, *g, c.nomi);
            return d;
        case problema_guasto:
            if (dettaglio.find("a speed limit / 5") != std::string::npos)
                if (const riga_letta* v = velocita_in_vigore(c.lette.treno, p.riga); v && v->valore(2)) {
                    lega(d, v);
                    const std::int32_t kmh = *v->valore(2);
                    d.messaggio += ": speed " + std::to_string(kmh) + " km/h, stored as " +
                                   std::to_string(static_cast<std::int64_t>(arrotonda(kmh / 5.0))) +
                                   ", does not fit the speed limit byte (0 to 255, that is 0 to 1275 km/h)";
                    return d;
                }
            if (!dettaglio.empty()) d.messaggio += ": " + dettaglio;
            if (!d.file) d.file = c.righe.traccia(file_sorgente::treno).empty() ? file_sorgente::linea : file_sorgente::treno;
            return d;
        case problema_manca_linea:
        case problema_manca_generale: d.file = file_sorgente::linea; return d;
        default:
            if (!dettaglio.empty()) d.messaggio += ": " + dettaglio;
            return d;
    }
}

diagnosi conflitto_di(const contesto& c) {
    const conflitto_timbro& t = *c.r.conflitto;
    diagnosi d;
    d.codice = t.numero;
    d.messaggio = std::string(descrizione_codice(t.numero)) + ": " + t.campo;
    if (const origine_oggetto* o = c.righe.origine(1)) {
        d.file = o->riga.file;
        d.riga = o->riga.riga;
        d.messaggio += o->automatico ? "; the object is an automatic abatement point for this row" : "; this row put it there";
    }
    return d;
}

int gruppo(const diagnosi& d) { return d.riga == 0 || !d.file ? 2 : static_cast<int>(*d.file); }

std::tuple<int, std::int64_t> ordine(const diagnosi& d) { return {gruppo(d), d.riga}; }

// A line, with the line ends the reader knows (CR LF, LF, CR), emptied.
void svuota_righe(std::string& testo, std::int64_t da, std::int64_t a) {
    std::string fuori;
    std::int64_t riga = 1;
    for (std::size_t i = 0; i < testo.size(); ++i) {
        const char ch = testo[i];
        const bool fine = ch == '\n' || ch == '\r';
        if (fine || riga < da || riga > a) fuori += ch;
        if (ch == '\r' && i + 1 < testo.size() && testo[i + 1] == '\n') fuori += testo[++i];
        if (fine) ++riga;
    }
    testo = std::move(fuori);
}

bool togli_riga(testi_sorgente& testi, const compilazione_autore& c, const diagnosi& d) {
    if (!d.file || d.riga == 0) return false;
    const std::vector<riga_letta> righe = righe_lette(c.righe, *d.file);
    const riga_letta* r = riga_a(righe, d.riga);
    svuota_righe(*d.file == file_sorgente::linea ? testi.linea : testi.treno, d.riga, r ? r->ultima_riga() : d.riga);
    return true;
}

}  // namespace

std::vector<diagnosi> diagnosi_errori(const risultato_percorso& r, const registro_righe& righe,
                                      const righe_dei_file& lette, const nomi_sorgenti& nomi) {
    contesto c{r, righe, nomi, lette};
    std::vector<diagnosi> elenco;
    for (const problema& p : r.registro.elenco) elenco.push_back(errore_di(c, p));
    if (r.conflitto) elenco.push_back(conflitto_di(c));
    return elenco;
}

std::vector<diagnosi> diagnosi_avvisi(const std::vector<avviso>& avvisi) {
    std::vector<diagnosi> elenco;
    for (const avviso& a : avvisi) {
        diagnosi d;
        d.errore = false;
        d.file = a.file;
        d.riga = a.riga;
        d.nome = std::string(nome_avviso(a.tipo));
        d.messaggio = a.messaggio;
        elenco.push_back(std::move(d));
    }
    return elenco;
}

std::vector<diagnosi> unisci(const std::vector<diagnosi>& errori, const std::vector<diagnosi>& avvisi) {
    std::vector<diagnosi> elenco;
    std::size_t a = 0;
    for (std::size_t e = 0; e < errori.size(); ++e) {
        const bool ultimo = e + 1 == errori.size();
        while (a < avvisi.size() && (ultimo || ordine(avvisi[a]) <= ordine(errori[e]))) elenco.push_back(avvisi[a++]);
        elenco.push_back(errori[e]);
    }
    elenco.insert(elenco.end(), avvisi.begin() + static_cast<std::ptrdiff_t>(a), avvisi.end());
    return elenco;
}

std::string testo_diagnosi(const diagnosi& d, const nomi_sorgenti& nomi) {
    std::string t;
    if (d.file) t = nome_di(*d.file, nomi) + (d.riga > 0 ? ":" + std::to_string(d.riga) : "") + ": ";
    if (!d.errore) return t + "warning: " + d.messaggio + " [" + d.nome + "]";
    t += "error";
    if (d.codice) t += " " + std::to_string(*d.codice);
    if (d.posizione) t += " at " + std::to_string(*d.posizione) + " m";
    return t + ": " + d.messaggio;
}

compilazione_autore compila_per_autore(const testi_sorgente& testi, const std::string& nome_percorso,
                                       const std::string& numero_treno, std::int32_t j, const nomi_sorgenti& nomi,
                                       const mentre_diagnosi& intanto) {
    compilazione_autore c;
    sorgenti_prestate sorgenti(testi.linea, testi.treno);
    c.risultato = compila(nome_percorso, numero_treno, j, sorgenti, &c.righe);
    c.risultato.registro.righe = nullptr;
    std::optional<in_parallelo> compito;
    if (intanto) compito.emplace([&] { intanto(c.risultato); });
    const righe_dei_file lette(c.righe);
    c.errori = diagnosi_errori(c.risultato, c.righe, lette, nomi);
    c.avvisi = diagnosi_avvisi(trova_avvisi(testi, c.risultato.modello, c.risultato.registro, c.righe, lette, nomi));
    if (compito) compito->attendi();
    return c;
}

esito_verifica verifica(const testi_sorgente& testi, const std::string& nome_percorso, const std::string& numero_treno,
                        const nomi_sorgenti& nomi) {
    esito_verifica e;
    std::set<std::tuple<bool, int, std::int64_t, std::string>> visti;
    auto nuova = [&](const diagnosi& d) {
        return visti.insert({d.errore, d.file ? static_cast<int>(*d.file) : -1, d.riga, d.messaggio}).second;
    };
    testi_sorgente attuali = testi;
    for (bool ancora = true; ancora && e.elenco.size() < massimo_problemi;) {
        const compilazione_autore c = compila_per_autore(attuali, nome_percorso, numero_treno, 1, nomi);
        for (const diagnosi& d : c.avvisi)
            if (nuova(d)) e.elenco.push_back(d);
        std::vector<diagnosi> errori = c.errori;
        if (c.risultato.esito == esito_percorso::senza_celle && errori.empty()) {
            diagnosi d;
            d.file = file_sorgente::linea;
            d.messaggio = "the line source made no cells, so nothing more can be checked";
            errori.push_back(d);
        }
        bool nuovi = false;
        bool senza_riga = false;
        for (const diagnosi& d : errori) {
            if (!nuova(d)) continue;
            e.elenco.push_back(d);
            nuovi = true;
            if (!togli_riga(attuali, c, d)) senza_riga = true;
        }
        ancora = nuovi && !senza_riga;
    }
    std::stable_sort(e.elenco.begin(), e.elenco.end(),
                     [](const diagnosi& a, const diagnosi& b) { return ordine(a) < ordine(b); });
    if (e.elenco.size() > massimo_problemi) e.elenco.resize(massimo_problemi);
    for (const diagnosi& d : e.elenco) (d.errore ? e.errori : e.avvisi) += 1;
    return e;
}

std::string riassunto(const esito_verifica& e) {
    auto conta = [](int n, const char* nome) { return std::to_string(n) + " " + nome + (n == 1 ? "" : "s"); };
    return conta(e.errori, "error") + ", " + conta(e.avvisi, "warning");
}
