#include "model/problema.h"

#include <utility>

#include "model/modello.h"

void registra_problema(scenario& s, std::int32_t codice, std::optional<std::int32_t> posizione, std::string dettaglio) {
    s.codice_errore = codice;
    if (posizione) s.posizione_errore = *posizione;
    s.problemi.push_back({codice, posizione, s.riga_in_corso, std::move(dettaglio)});
}

std::string descrizione_codice(std::int32_t codice) {
    switch (codice) {
        case 1: return "the route length is above 1000000 m";
        case 2: return "a kilometric progressive has a start or chainage that is not a multiple of 50";
        case 3: return "the signal repetition start is not a multiple of 50";
        case 4: return "the signal repetition end is not a multiple of 50";
        case 5: return "the signal repetition key names neither 4 nor 9 codes";
        case 6: return "the indication board's cell is already taken";
        case 7: return "the code abatement point's cell is already taken";
        case 8: return "the station position is not a multiple of 50";
        case 9: return "the station length is not a multiple of 100";
        case 10: return "too many stations: the station slots reach the indication texts";
        case 11: return "no free cell for the abatement point before this signal ahead of a warning board";
        case 12: return "no free cell for an abatement point before this speed restriction";
        case 13: return "no free cell for an abatement point inside or after this speed restriction";
        case 15: return "the row lies outside the route's cells";
        case 16: return "the signal's cell is already taken";
        case 17: return "the speed restriction's warning cell is already taken";
        case 18: return "the speed restriction's start cell is already taken";
        case 19: return "the speed restriction's end cell is already taken";
        case 20: return "one of the four cells before the speed restriction's warning is already taken";
        case 21: return "the speed indicator board's cell is already taken";
        case 22: return "the station stretch starts less than 350 m after the previous station's stretch ends";
        case 24: return "the station's stop cell would fall at cell 1 or before";
        case 25: return "the source could not be read";
        case 101: return "the line source file does not exist";
        case 102: return "the line source file has no [generale] section";
        case 103: return "a curve key has no class digit 1 to 6, or the plan runs past 1000000 m";
        default: return "unknown problem";
    }
}

std::string riga_diagnostica(const problema& p, const std::string& prefisso) {
    std::string testo = prefisso + "error " + std::to_string(p.codice);
    if (p.posizione) testo += " at " + std::to_string(*p.posizione) + " m";
    testo += ": " + descrizione_codice(p.codice);
    if (!p.dettaglio.empty()) testo += ": " + p.dettaglio;
    return testo;
}
