#include "model/problemi.h"

#include <algorithm>
#include <utility>

#include "model/righe.h"

namespace {

struct voce_codice {
    codice_problema codice;
    std::string_view descrizione;
};

constexpr voce_codice tabella_codici[] = {
    {problema_lunghezza_eccessiva, "the route length is above 1000000 m"},
    {problema_progressiva_fuori_griglia, "a kilometric progressive has a start or chainage that is not a multiple of 50"},
    {problema_inizio_ripetizione, "the signal repetition start is not a multiple of 50"},
    {problema_fine_ripetizione, "the signal repetition end is not a multiple of 50"},
    {problema_codici_ripetizione, "the signal repetition key names neither 4 nor 9 codes"},
    {problema_indicazione_occupata, "the indication board's cell is already taken"},
    {problema_abbattimento_occupato, "the code abatement point's cell is already taken"},
    {problema_stazione_fuori_griglia, "the station position is not a multiple of 50"},
    {problema_lunghezza_stazione, "the station length is not a multiple of 100"},
    {problema_troppe_stazioni, "too many stations: the station slots reach the indication texts"},
    {problema_punto_segnale_avviso, "no free cell for the abatement point before this signal ahead of a warning board"},
    {problema_punto_prima_rallentamento, "no free cell for an abatement point before this speed restriction"},
    {problema_punto_dopo_rallentamento, "no free cell for an abatement point inside or after this speed restriction"},
    {problema_fuori_celle, "the row lies outside the route's cells"},
    {problema_segnale_occupato, "the signal's cell is already taken"},
    {problema_avviso_occupato, "the speed restriction's warning cell is already taken"},
    {problema_inizio_occupato, "the speed restriction's start cell is already taken"},
    {problema_fine_occupata, "the speed restriction's end cell is already taken"},
    {problema_prima_avviso_occupata, "one of the four cells before the speed restriction's warning is already taken"},
    {problema_indicatore_occupato, "the speed indicator board's cell is already taken"},
    {problema_stazioni_vicine, "the station stretch starts less than 350 m after the previous station's stretch ends"},
    {problema_fermata_iniziale, "the station's stop cell would fall at cell 1 or before"},
    {problema_guasto, "the source could not be read"},
    {problema_manca_linea, "the line source file does not exist"},
    {problema_manca_generale, "the line source file has no [generale] section"},
    {problema_curva, "a curve key has no class digit 1 to 6, or the plan runs past 1000000 m"},
    {problema_timbro, "the header stamp fields are already taken"},
    {problema_codice_gara, "the check-code fields are already taken"},
};

}  // namespace

const std::vector<codice_problema>& codici_problema() {
    static const std::vector<codice_problema> codici = [] {
        std::vector<codice_problema> c;
        for (const voce_codice& v : tabella_codici) c.push_back(v.codice);
        return c;
    }();
    return codici;
}

std::string_view descrizione_codice(std::int32_t codice) {
    const auto* v = std::find_if(std::begin(tabella_codici), std::end(tabella_codici),
                                 [&](const voce_codice& t) { return t.codice == codice; });
    return v != std::end(tabella_codici) ? v->descrizione : "unknown problem";
}

void registro_problemi::registra(std::int32_t codice, std::optional<std::int32_t> posizione, std::string dettaglio) {
    codice_errore = codice;
    if (posizione) posizione_errore = *posizione;
    elenco.push_back({codice, posizione, riga_in_corso, std::move(dettaglio)});
}

void registro_problemi::segna_cella(std::int64_t cella) {
    if (righe && riga_in_corso) righe->celle[cella] = {*riga_in_corso, false};
}

void registro_problemi::segna_automatico(std::int64_t cella, std::int64_t causa) {
    if (auto riga = riga_di(causa)) righe->celle[cella] = {*riga, true};
}

std::optional<riga_sorgente> registro_problemi::riga_di(std::int64_t cella) const {
    if (!righe) return std::nullopt;
    const origine_oggetto* o = righe->origine(cella);
    return o ? std::optional<riga_sorgente>(o->riga) : std::nullopt;
}
