#include "authoring/avvisi.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "authoring/righe_lette.h"
#include "driver/windows1252.h"
#include "model/arrotondamento.h"
#include "reader/ascii.h"
#include "reader/lettore_campi.h"
#include "reader/parole_chiave.h"

namespace {

struct voce_avviso {
    tipo_avviso tipo;
    std::string_view nome;
    std::string_view descrizione;
};

constexpr voce_avviso tabella_avvisi[] = {
    {tipo_avviso::chiave_sconosciuta, "unknown-key", "a field in key position matches no key of its file, so the row is ignored"},
    {tipo_avviso::chiave_altro_file, "wrong-file", "a row of the other source file, which this file ignores"},
    {tipo_avviso::maiuscole, "key-case", "a key that the reader compares in exact letter case is written with capitals"},
    {tipo_avviso::senza_generale, "no-general", "the train source has no [generale] section, so none of its rows is read"},
    {tipo_avviso::fuori_ordine, "out-of-order", "a gradient, speed limit or adhesion row before an earlier position undoes part of the profile"},
    {tipo_avviso::oltre_la_fine, "past-route-end", "a position past the route's end, in the spare cells beyond it"},
    {tipo_avviso::posizione_negativa, "negative-position", "a position before the route's start"},
    {tipo_avviso::frazione, "fraction", "a number field holding a fraction, which is rounded"},
    {tipo_avviso::riga_spezzata, "row-over-lines", "a row whose fields run over several lines"},
    {tipo_avviso::nome_numerico, "numeric-name", "a station name that is a plain number"},
    {tipo_avviso::marche_perse, "marks-dropped", "code-repetition marks that would fall before cell 0 and are dropped"},
    {tipo_avviso::tempo_oltre_59, "time-over-59", "a clock or station time with minutes or seconds above 59"},
    {tipo_avviso::utf8, "utf8", "a source saved as UTF-8, whose accented letters are stored byte for byte"},
    {tipo_avviso::utf16, "utf16", "a source saved as UTF-16, which the reader cannot read"},
};

const voce_avviso& voce_di(tipo_avviso tipo) {
    return *std::find_if(std::begin(tabella_avvisi), std::end(tabella_avvisi),
                         [&](const voce_avviso& v) { return v.tipo == tipo; });
}

// A field quoted in a message, cut so that a stray huge field cannot flood it.
std::string tra_virgolette(std::string_view t) {
    constexpr std::size_t massimo = 60;
    const std::string mostrato = windows1252_a_utf8(t.substr(0, massimo));
    return "\"" + mostrato + (t.size() > massimo ? "...\"" : "\"");
}

// The keys an author writes, in their usual spelling, for the suggestion.
constexpr std::array<std::string_view, 15> chiavi_linea{
    "lunghezza percorso", "progressiva chilometrica uno", "progressiva chilometrica due",
    "progressiva chilometrica tre", "sfondo uno", "sfondo due", "sfondo tre", "ripetizione segnali 4 codici",
    "ripetizione segnali 9 codici", "pendenza", "curvas", "curvad", "montagna", "indicatori_vmax",
    "cartello_indicatore"};
constexpr std::array<std::string_view, 10> chiavi_treno{
    "numero vetture", "percentuale massa frenata", "velocita", "aderenza", "orologio", "sabbia",
    "segnale", "rallentamento", "abbattimento", "stazione"};

// The general keys matched in exact letter case, as pairs of words.
constexpr std::array<std::array<std::string_view, 2>, 7> chiavi_esatte{{
    {"progressiva", "tre"}, {"progressiva", "due"}, {"progressiva", "uno"}, {"sfondo", "uno"},
    {"sfondo", "due"}, {"sfondo", "tre"}, {"ripetizione", "segnali"}}};

bool ha(std::string_view campo, std::string_view parola) { return contiene_senza_maiuscole(campo, parola); }

bool chiave_di_linea(std::string_view c) {
    return ha(c, "pendenza") || ha(c, "curva") || ha(c, "montagna") || ha(c, "indicatori_v") ||
           (ha(c, "indicat") && ha(c, "cartello")) || (ha(c, "lunghezza") && ha(c, "percorso")) ||
           ha(c, "progressiva") || ha(c, "sfondo") || (ha(c, "ripetizione") && ha(c, "segnali"));
}

bool chiave_di_treno(std::string_view c) {
    return (ha(c, "frenata") && ha(c, "massa")) || ha(c, "vetture") || ha(c, "velocit") || ha(c, "aderenza") ||
           ha(c, "orologio") || ha(c, "sabbia") || ha(c, "segnale") || ha(c, "rallentamento") ||
           ha(c, "abbattimento") || ha(c, "stazione");
}

bool chiave_di_corpo(std::string_view c) {
    return ha(c, "pendenza") || ha(c, "curva") || ha(c, "montagna") || ha(c, "indicatori_v") ||
           (ha(c, "indicat") && ha(c, "cartello"));
}

bool numerico(std::string_view t) {
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) t.remove_prefix(1);
    return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}

std::size_t distanza(std::string_view a, std::string_view b) {
    std::vector<std::size_t> riga(b.size() + 1);
    for (std::size_t k = 0; k <= b.size(); ++k) riga[k] = k;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonale = riga[0];
        riga[0] = i;
        for (std::size_t k = 1; k <= b.size(); ++k) {
            std::size_t sopra = riga[k];
            riga[k] = std::min({riga[k] + 1, riga[k - 1] + 1, diagonale + (a[i - 1] == b[k - 1] ? 0 : 1)});
            diagonale = sopra;
        }
    }
    return riga[b.size()];
}

// No key is longer than this: a longer field is compared by its start, so
// that a huge stray field costs no more than a short one.
constexpr std::size_t lunghezza_confronto = 64;

template <std::size_t n>
std::string_view piu_vicina(std::string_view campo, const std::array<std::string_view, n>& chiavi) {
    std::string piegato;
    for (char c : minuscolo_ascii(campo.substr(0, lunghezza_confronto)))
        if (c < '0' || c > '9') piegato += c;
    std::string_view migliore = chiavi.front();
    std::size_t d_migliore = distanza(piegato, migliore);
    for (std::string_view k : chiavi)
        if (std::size_t d = distanza(piegato, k); d < d_migliore) migliore = k, d_migliore = d;
    return migliore;
}

const char* nome_file(file_sorgente f) { return f == file_sorgente::linea ? "line" : "train"; }

class raccolta {
public:
    raccolta(const scenario& s, const registro_problemi& log, const nomi_sorgenti& nomi) : s_(s), nomi_(nomi) {
        for (const problema& p : log.elenco)
            if (p.riga) con_problema_.emplace_back(static_cast<int>(p.riga->file), p.riga->riga);
        std::sort(con_problema_.begin(), con_problema_.end());
    }

    void aggiungi(tipo_avviso tipo, file_sorgente f, std::int64_t riga, std::string messaggio) {
        elenco.push_back({tipo, f, riga, std::move(messaggio)});
    }
    bool con_problema(const riga_letta& r) const {
        return std::binary_search(con_problema_.begin(), con_problema_.end(),
                                  std::pair(static_cast<int>(r.file), r.riga()));
    }
    const scenario& s() const { return s_; }
    std::string dove(const riga_letta& riga) const {
        return (riga.file == file_sorgente::linea ? nomi_.linea : nomi_.treno) + ":" + std::to_string(riga.riga());
    }

    std::vector<avviso> elenco;

private:
    const scenario& s_;
    const nomi_sorgenti& nomi_;
    std::vector<std::pair<int, std::int64_t>> con_problema_;  // sorted
};

// A key of the wrong case, of the other file, or of nothing at all.
void chiave_non_riconosciuta(raccolta& r, const riga_letta& riga) {
    const std::string_view c = riga.chiave().testo;
    const file_sorgente f = riga.file;
    if (riga.generale) {
        for (const auto& [a, b] : chiavi_esatte) {
            if (ha(c, a) && ha(c, b) && !(contiene(c, a) && contiene(c, b))) {
                r.aggiungi(tipo_avviso::maiuscole, f, riga.riga(),
                           tra_virgolette(c) + " is not read: the words \"" + std::string(a) + "\" and \"" +
                               std::string(b) + "\" of this key must be written in small letters");
                return;
            }
        }
    }
    if (f == file_sorgente::linea && chiave_di_treno(c) && !chiave_di_linea(c)) {
        r.aggiungi(tipo_avviso::chiave_altro_file, f, riga.riga(),
                   tra_virgolette(c) + " is a train-source row; the line source ignores it");
        return;
    }
    if (f == file_sorgente::treno && chiave_di_linea(c) && !chiave_di_treno(c)) {
        r.aggiungi(tipo_avviso::chiave_altro_file, f, riga.riga(),
                   tra_virgolette(c) + " is a line-source row; the train source ignores it");
        return;
    }
    if (riga.generale && chiave_di_corpo(c)) {
        r.aggiungi(tipo_avviso::chiave_sconosciuta, f, riga.riga(),
                   tra_virgolette(c) + " stands in the general section, where it is ignored; put it after the "
                                       "section header that ends the general section");
        return;
    }
    std::string_view vicina =
        f == file_sorgente::linea ? piu_vicina(c, chiavi_linea) : piu_vicina(c, chiavi_treno);
    r.aggiungi(tipo_avviso::chiave_sconosciuta, f, riga.riga(),
               tra_virgolette(c) + " matches no key of the " + nome_file(f) +
                   " source, so the row is ignored; did you mean \"" + std::string(vicina) + "\"?");
}

// One warning per unrecognised row: the fields read in key position after it
// are its own values, up to the next recognised key.
void chiavi(raccolta& r, const std::vector<riga_letta>& righe, std::int32_t j) {
    bool dopo_sconosciuta = false;
    for (const riga_letta& riga : righe) {
        const std::string_view c = riga.chiave().testo;
        if (riga.riconosciuta() || (j == 0 && !riga.generale && ha(c, "curva"))) {
            dopo_sconosciuta = false;
            continue;
        }
        if (c.empty() || numerico(c) || intestazione(c) || contiene(c, "-") || dopo_sconosciuta) continue;
        chiave_non_riconosciuta(r, riga);
        dopo_sconosciuta = true;
    }
}

// The words of the positioned keys of both files and of the train rows whose
// fields are checked, looked for once per key.
constexpr parole_chiave<13> parole_righe({"pendenza", "curva", "montagna", "indicatori_v", "indicat", "cartello",
                                          "velocit", "aderenza", "segnale", "rallentamento", "abbattimento", "stazione",
                                          "orologio"});

// The fills that run forward, each with the last row that moved it.
enum class in_avanti { nessuno, pendenza, velocita, aderenza };
constexpr std::size_t riempimenti = static_cast<std::size_t>(in_avanti::aderenza) + 1;

// A kind of positioned row: the words its key holds and what it is called.
struct posizionato {
    std::uint32_t parole;
    std::string_view nome;
    in_avanti riempie = in_avanti::nessuno;
};

// In the order of the key tests: a key takes the first kind it matches.
constexpr posizionato posizionati_linea[] = {
    {parole_righe.bit({"pendenza"}), "gradient", in_avanti::pendenza},
    {parole_righe.bit({"curva"}), "curve"},
    {parole_righe.bit({"montagna"}), "mountain"},
    {parole_righe.bit({"indicatori_v"}), "speed indicator board"},
    {parole_righe.bit({"indicat", "cartello"}), "indication board"},
};
constexpr posizionato posizionati_treno[] = {
    {parole_righe.bit({"velocit"}), "speed limit", in_avanti::velocita},
    {parole_righe.bit({"aderenza"}), "adhesion", in_avanti::aderenza},
    {parole_righe.bit({"segnale"}), "signal"},
    {parole_righe.bit({"rallentamento"}), "speed restriction"},
    {parole_righe.bit({"abbattimento"}), "code abatement"},
    {parole_righe.bit({"stazione"}), "station"},
};

// The kind of a positioned row, in the order of its file's key tests; nothing
// for a row without a position.
const posizionato* tipo_posizionato(const riga_letta& riga, ultima_chiave<13>& parole) {
    if (riga.generale || !riga.riconosciuta()) return nullptr;
    const std::uint32_t trovate = parole.in(riga.chiave().testo);
    const std::span<const posizionato> tipi =
        riga.file == file_sorgente::linea ? std::span<const posizionato>(posizionati_linea) : posizionati_treno;
    for (const posizionato& t : tipi)
        if (tutte(trovate, t.parole)) return &t;
    return nullptr;
}

// Fills only run forward: a row whose cell is not past the previous row's
// writes the older value over one cell and leaves the profile shifted.
void ordine_e_posizioni(raccolta& r, const std::vector<riga_letta>& righe) {
    struct precedente {
        const riga_letta* riga = nullptr;
        std::int64_t cella = 0;
    };
    std::array<precedente, riempimenti> precedenti{};
    ultima_chiave parole(parole_righe);
    const std::int64_t fine = r.s().voci[voce_treno_dati].fine_tratto;
    for (const riga_letta& riga : righe) {
        const posizionato* tipo = tipo_posizionato(riga, parole);
        auto p = riga.valore(1);
        if (!tipo || !p || r.con_problema(riga)) continue;
        if (*p < 0)
            r.aggiungi(
                tipo_avviso::posizione_negativa, riga.file, riga.riga(),
                "the " + std::string(tipo->nome) + " at " + std::to_string(*p) + " m lies before the route's start");
        else if (*p > fine)
            r.aggiungi(tipo_avviso::oltre_la_fine, riga.file, riga.riga(),
                       "the " + std::string(tipo->nome) + " at " + std::to_string(*p) +
                           " m lies past the route's end (" + std::to_string(fine) +
                           " m), in the spare cells beyond it");
        if (tipo->riempie == in_avanti::nessuno) continue;
        precedente& prima = precedenti.at(static_cast<std::size_t>(tipo->riempie));
        const std::int64_t cella = indice_cella(*p, 0.0);
        if (prima.riga && cella > 0 && cella <= prima.cella)
            r.aggiungi(tipo_avviso::fuori_ordine, riga.file, riga.riga(),
                       "this " + std::string(tipo->nome) + " row at " + std::to_string(*p) +
                           " m comes after the one at " + std::to_string(*prima.riga->valore(1)) + " m (" +
                           r.dove(*prima.riga) + ") and undoes it: these rows must come in order of position");
        prima = {&riga, cella};
    }
}

// A digit other than 0 after the point.
bool frazione(std::string_view t) {
    const auto punto = std::find(t.begin(), t.end(), '.');
    return std::any_of(punto, t.end(), [](char c) { return c >= '1' && c <= '9'; });
}

void frazioni(raccolta& r, file_sorgente f, const traccia_campi& traccia) {
    for (const campo_letto& c : traccia) {
        if (!c.numero || !frazione(c.testo)) continue;
        r.aggiungi(tipo_avviso::frazione, f, c.riga,
                   "the number " + tra_virgolette(c.testo) + " holds a fraction; it is stored as " +
                       std::to_string(c.valore));
    }
}

void tempo(raccolta& r, const riga_letta& riga, std::size_t campo, const char* che, const char* successiva) {
    auto v = riga.valore(campo);
    if (v && *v > 59)
        r.aggiungi(tipo_avviso::tempo_oltre_59, riga.file, riga.riga(),
                   std::string(che) + " are " + std::to_string(*v) + "; above 59 they run into the next " + successiva);
}

// Signals near the start, station rows and clocks: what their fields say.
void righe_treno(raccolta& r, const std::vector<riga_letta>& righe) {
    constexpr std::size_t campi_stazione = 18;  // the key and 17 values
    ultima_chiave parole(parole_righe);
    for (const riga_letta& riga : righe) {
        if (!riga.riconosciuta()) continue;
        const std::uint32_t trovate = parole.in(riga.chiave().testo);
        if (tutte(trovate, parole_righe.bit({"orologio"}))) {
            tempo(r, riga, 2, "the clock's minutes", "hour");
            tempo(r, riga, 3, "the clock's seconds", "minute");
        }
        if (tutte(trovate, parole_righe.bit({"stazione"})) && riga.campi.size() == campi_stazione) {
            tempo(r, riga, 15, "the station's minutes", "hour");
            tempo(r, riga, 16, "the station's seconds", "minute");
            const std::string_view nome = riga.campi.back().testo;
            if (numerico(nome))
                r.aggiungi(tipo_avviso::nome_numerico, riga.file, riga.riga(),
                           "the station's name is the number " + tra_virgolette(nome) +
                               "; a stray comma has probably shifted the row's fields");
        }
        if (tutte(trovate, parole_righe.bit({"segnale"})) && riga.valore(1) && !r.con_problema(riga)) {
            const std::int64_t t = indice_cella(*riga.valore(1), 1.0);
            int perse = 0;
            for (int b = 1; b <= 4; ++b) perse += t - 2 * b < 0 ? 1 : 0;
            if (perse > 0)
                r.aggiungi(tipo_avviso::marche_perse, riga.file, riga.riga(),
                           std::to_string(perse) + " of the signal's 4 code-repetition marks would fall before cell 0 "
                                                   "and were dropped");
        }
    }
}

void righe_spezzate(raccolta& r, const std::vector<riga_letta>& righe) {
    for (const riga_letta& riga : righe)
        if (riga.ultima_riga() != riga.riga())
            r.aggiungi(tipo_avviso::riga_spezzata, riga.file, riga.riga(),
                       "the row's fields run from line " + std::to_string(riga.riga()) + " to line " +
                           std::to_string(riga.ultima_riga()) +
                           "; a comma at the end of a line carries the next line's fields into the row");
}

bool utf16(std::string_view t) {
    return t.size() >= 2 && ((t[0] == '\xFF' && t[1] == '\xFE') || (t[0] == '\xFE' && t[1] == '\xFF'));
}

// The length of the well-formed UTF-8 sequence at i, or 0.
std::size_t sequenza_utf8(std::string_view t, std::size_t i) {
    const auto b = static_cast<unsigned char>(t[i]);
    std::size_t n = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b <= 0xDF ? 2 : 0;
    if (b >= 0xF5) n = 0;
    if (n == 0 || i + n > t.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(t[i + k]) & 0xC0) != 0x80) return 0;
    return n;
}

// Where the first byte of 0x80 or above stands, 32 and then eight bytes at a
// time: most sources have none.
std::size_t primo_alto(std::string_view t) {
    constexpr std::uint64_t alti = 0x8080808080808080u;
    std::size_t i = 0;
    for (; i + 32 <= t.size(); i += 32) {
        std::array<std::uint64_t, 4> blocco;
        std::memcpy(blocco.data(), t.data() + i, 32);
        if ((blocco[0] | blocco[1] | blocco[2] | blocco[3]) & alti) break;
    }
    for (; i + 8 <= t.size(); i += 8) {
        std::uint64_t otto;
        std::memcpy(&otto, t.data() + i, 8);
        if (otto & alti) break;
    }
    while (i < t.size() && static_cast<unsigned char>(t[i]) < 0x80) ++i;
    return i;
}

// The first line holding a byte of 0x80 or above, when every such byte is
// part of a well-formed UTF-8 sequence.
std::optional<std::int64_t> riga_utf8(std::string_view t) {
    const std::size_t primo = primo_alto(t);
    if (primo == t.size()) return std::nullopt;
    for (std::size_t i = primo; i < t.size(); ++i) {
        if (static_cast<unsigned char>(t[i]) < 0x80) continue;
        std::size_t n = sequenza_utf8(t, i);
        if (n == 0) return std::nullopt;
        i += n - 1;
    }
    return 1 + std::count(t.begin(), t.begin() + static_cast<std::ptrdiff_t>(primo), '\n');
}

void codifica(raccolta& r, file_sorgente f, std::string_view testo, const traccia_campi& traccia) {
    if (utf16(testo)) {
        r.aggiungi(tipo_avviso::utf16, f, 1,
                   "the file is UTF-16 (it begins with a byte-order mark), which the reader cannot read; save it as "
                   "Windows-1252 (\"ANSI\") text");
        return;
    }
    auto riga = riga_utf8(testo);
    if (!riga) return;
    std::string esempio;
    for (const campo_letto& c : traccia)
        if (c.riga == *riga && riga_utf8(c.testo)) esempio = c.testo;
    std::string messaggio = "the file looks like UTF-8, but it is read byte for byte as Windows-1252";
    if (!esempio.empty()) messaggio += ": \"" + esempio + "\" will be stored as " + tra_virgolette(esempio);
    r.aggiungi(tipo_avviso::utf8, f, *riga, messaggio);
}

void generale_del_treno(raccolta& r, std::string_view testo, const traccia_campi& traccia) {
    // A train half that never ran (the line half ended the compile) read nothing.
    if (utf16(testo) || (traccia.empty() && !testo.empty())) return;
    bool trovata = std::any_of(traccia.begin(), traccia.end(),
                               [](const campo_letto& c) { return ha(c.testo, "[generale]"); });
    if (!trovata)
        r.aggiungi(tipo_avviso::senza_generale, file_sorgente::treno, 0,
                   testo.empty() ? "the train source is empty: no train row is read"
                                 : "the train source has no [generale] section: none of its rows is read");
}

}  // namespace

const std::vector<tipo_avviso>& tipi_avviso() {
    static const std::vector<tipo_avviso> tipi = [] {
        std::vector<tipo_avviso> t;
        for (const voce_avviso& v : tabella_avvisi) t.push_back(v.tipo);
        return t;
    }();
    return tipi;
}

std::string_view nome_avviso(tipo_avviso tipo) { return voce_di(tipo).nome; }
std::string_view descrizione_avviso(tipo_avviso tipo) { return voce_di(tipo).descrizione; }

std::vector<avviso> trova_avvisi(const testi_sorgente& testi, const scenario& s, const registro_problemi& log,
                                 const registro_righe& righe, const righe_dei_file& lette, const nomi_sorgenti& nomi) {
    raccolta r(s, log, nomi);
    for (file_sorgente f : {file_sorgente::linea, file_sorgente::treno}) {
        const std::string& testo = f == file_sorgente::linea ? testi.linea : testi.treno;
        const std::vector<riga_letta>& elenco = lette.di(f);
        codifica(r, f, testo, righe.traccia(f));
        if (f == file_sorgente::treno) {
            generale_del_treno(r, testo, righe.traccia(f));
            righe_treno(r, elenco);
        }
        chiavi(r, elenco, s.j);
        ordine_e_posizioni(r, elenco);
        frazioni(r, f, righe.traccia(f));
        righe_spezzate(r, elenco);
    }
    std::stable_sort(r.elenco.begin(), r.elenco.end(), [](const avviso& a, const avviso& b) {
        return std::pair(static_cast<int>(a.file), a.riga) < std::pair(static_cast<int>(b.file), b.riga);
    });
    return r.elenco;
}
