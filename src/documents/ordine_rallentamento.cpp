#include "documents/ordine_rallentamento.h"

#include <cstddef>

namespace {

// The scenario has no restrictions, so the form goes out blank: the
// placeholders stay as they are and every table row is empty.
constexpr const char* riga_vuota_tabella =
    " |   |                            |            |          |         |            |";
constexpr std::size_t righe_vuote_tabella = 26;

std::vector<std::string> componi_ordine() {
    std::vector<std::string> righe = {
        "",
        "                               Modulo M. 3",
        "                           ORDINE DI RALLENTAMENTO",
        " ________________________________________________________________________________",
        "  Linea  xxxxxx xxxxxxx",
        "",
        "  Si ordina al macchinista del treno xxxxx di effettuare i seguenti rallentamenti",
        "  _______________________________________________________________________________",
        " |   |                            |Inizio dopo |          |         |            |",
        " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
        " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
        " |___|____________________________|____________|__________|_________|____________|",
    };
    righe.insert(righe.end(), righe_vuote_tabella, riga_vuota_tabella);
    righe.insert(righe.end(), {
        " |___|____________________________|____________|__________|_________|____________|",
        "",
        "              Prescrizioni specifiche",
        " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
        " B - Interessa anche la stazione di.......",
        // "Rallentamneto" is how the printed form reads; kept as printed.
        " D - Rallentamneto N. ... e N. ...  sono contigui",
        " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
        "     i giorni esclusi i seguenti:.........",
    });
    return righe;
}

}  // namespace

const std::vector<std::string>& righe_rallentamenti() {
    static const std::vector<std::string> righe = componi_ordine();
    return righe;
}
