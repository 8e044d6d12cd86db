#include "train/stazioni.h"

#include "model/arrotondamento.h"
#include "model/conversioni.h"

namespace {

constexpr int margine_stazione = 800;
constexpr std::int64_t distanza_minima = 350;
constexpr int categoria_senza_fermata = 25;

bool categoria_breve(std::uint8_t c) { return c == 5 || c == 6; }
bool categoria_lunga(std::uint8_t c) { return c == 7 || c == 8; }

void leggi_valori(voce& r, lettore_campi& lettore) {
    r.opzione = converti_byte(lettore.leggi_numero(), "the station's option (field 4)");
    r.scelta4 = converti_byte(lettore.leggi_numero(), "the station's field 5");
    r.scelta3 = converti_byte(lettore.leggi_numero(), "the station's field 6");
    r.valore1 = converti_intero(lettore.leggi_numero(), "the station's field 7");
    r.valore2 = converti_intero(lettore.leggi_numero(), "the station's field 8");
    r.scelta1 = converti_byte(lettore.leggi_numero(), "the station's field 9");
    r.valore3 = converti_intero(lettore.leggi_numero(), "the station's field 10");
    r.valore4 = converti_intero(lettore.leggi_numero(), "the station's field 11");
    r.valore5 = converti_intero(lettore.leggi_numero(), "the station's field 12");
    r.scelta2 = converti_byte(lettore.leggi_numero(), "the station's field 13");
    std::int64_t ore = lettore.leggi_numero();
    std::int64_t minuti = lettore.leggi_numero();
    std::int64_t secondi = lettore.leggi_numero();
    r.orario = converti_lungo(ore * 3600 + minuti * 60 + secondi, "the station's time of day");
    // Checked before it is stored: a name the record file cannot count must
    // not reach the model that the files are written from.
    std::string nome = lettore.leggi_testo();
    controlla_testo(nome, "a station name");
    r.testo = std::move(nome);
}

void calcola_tratto(voce& r, std::int64_t lunghezza) {
    std::int64_t inizio = 0;
    std::int64_t fine = 0;
    if (categoria_breve(r.categoria)) {
        inizio = r.punto - lunghezza;
        fine = std::int64_t{r.punto} + 150;
        r.scelta3 = 0;
    } else if (categoria_lunga(r.categoria)) {
        inizio = r.punto - lunghezza;
        fine = r.punto + lunghezza;
        r.scelta3 = 0;
    } else {
        double meta = static_cast<double>(lunghezza) / 2.0;
        inizio = static_cast<std::int64_t>(arrotonda(static_cast<double>(r.punto) - meta));
        fine = static_cast<std::int64_t>(arrotonda(static_cast<double>(r.punto) + meta + (r.scelta3 != 0 ? 50.0 : 0.0)));
    }
    r.inizio_tratto = converti_lungo(inizio, "the station stretch's start");
    r.fine_tratto = converti_lungo(fine, "the station stretch's end");
}

}  // namespace

//   stazione, punto, categoria, lunghezza, opzione, campo 5, ..., campo 13, ore, minuti, secondi, nome
esito_riga memo_stazione(scenario& s, registro_problemi& log, stato_stazioni& stato, lettore_campi& lettore) {
    const std::int32_t k = stato.slot;
    // With 80 indication texts there is no slot left: store nothing over them.
    if (k >= stato.voce_testo) return ferma(log, problema_troppe_stazioni);
    voce& r = s.voci[static_cast<std::size_t>(k)];

    r.punto = lettore.leggi_numero();
    if (r.punto < 0 || oltre_le_celle(s, r.punto, margine_stazione)) return rifiuta_fuori_celle(log, r.punto);
    if (r.punto % 50 != 0) return ferma(log, problema_stazione_fuori_griglia, r.punto);
    r.categoria = converti_byte(lettore.leggi_numero(), "the station type (field 2)");
    std::int64_t lunghezza = lettore.leggi_numero();
    if (lunghezza % 100 != 0) return ferma(log, problema_lunghezza_stazione, r.punto);
    leggi_valori(r, lettore);
    calcola_tratto(r, lunghezza);
    if (lunghezza < 600) r.scelta4 = 0;
    if (k == 1) r.scelta3 = r.scelta4 = 0;

    if (r.categoria < categoria_senza_fermata) {
        double fermata = static_cast<double>(r.fine_tratto) / 50.0 - 1.0;
        if (static_cast<std::int64_t>(arrotonda(fermata)) > s.numero_celle) return rifiuta_fuori_celle(log, r.punto);
        if (!categoria_breve(r.categoria)) {
            for (int i = 1; i <= 4; ++i) {
                double f = static_cast<double>(r.fine_tratto) / 50.0 - i - 1;
                if (f > 1) s.cella_a(static_cast<std::int64_t>(arrotonda(f))).ripetizione = static_cast<std::uint8_t>(80 + i);
            }
        }
        if (fermata <= 1) return ferma(log, problema_fermata_iniziale);
        cella& c = s.cella_a(static_cast<std::int64_t>(arrotonda(fermata)));
        c.oggetto = oggetto_fermata_stazione;
        log.segna_cella(static_cast<std::int64_t>(arrotonda(fermata)));
        c.dato1 = static_cast<std::int16_t>(k);
    }

    if (k > 1 && std::int64_t{r.inizio_tratto} - distanza_minima < s.voci[static_cast<std::size_t>(k - 1)].fine_tratto)
        return ferma(log, problema_stazioni_vicine, r.punto);
    stato.slot = k + 1;
    if (stato.slot >= stato.voce_testo) return ferma(log, problema_troppe_stazioni);
    return esito_riga::prosegui;
}
