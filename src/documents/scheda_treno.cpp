#include "documents/scheda_treno.h"

#include <cstddef>

namespace {

// A grid row left blank for the driver's own notes.
constexpr const char* riga_vuota_griglia =
    " |     |     |          |     |                            |                |     |";
constexpr std::size_t righe_vuote_griglia = 20;

std::vector<std::string> componi_scheda() {
    std::vector<std::string> righe = {
        "",
        "",
        "  ___________________                                               ______________",
        " |                   |                    SCHEDA  1/1              |              |",
        " |   TRENO n.52816   |                   da: Valdesca              |    V250 C    |",
        " |___________________|                    a: Morlano               |     130%     |",
        "                                                                   |______________|",
        "  ___________________                ___________________",
        " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
        " |     EUROSTAR      |              |      330T         |",
        " |___________________|              |___________________|",
        "",
        "  ________________________________________________________________________________",
        " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
        " | Lim.|Marc.|          |  Rs |                            |                |     |",
        " |_____|_____|__________|_____|____________________________|________________|_____|",
        " | 120 |     |  82.200  | 120 | VALDESCA-CORNIOLA          |          19.23 |     |",
        " |     |     |  74.900  |     | Spino sul Lavello          |      19.28     |     |",
        " | 105 |     |  75.100  | 105 | Km 75.100                  |      19.28     |     |",
        " |     |     |  70.350  |     | Castelvere sul Lavello     |      19.32     |     |",
        " | 110 |     |  70.150  | 110 | Km 70.150                  |      19.32     |     |",
        " |     |     |  63.900  |     | Poggioluna                 |      19.36     |     |",
        " |     |     |  61.100  |     | Fontara                    |      19.38     |     |",
        " |     |     |  55.550  |     | Monte Savino               |      19.42     |     |",
        " |     |     |  49.800  |     | Rovella-Castigo            |      19.45     |     |",
        " |     |     |  39.850  |     | MORLANO                    |  19.51         |     |",
        " |_____|_____|__________|_____|____________________________|________________|_____|",
    };
    righe.insert(righe.end(), righe_vuote_griglia, riga_vuota_griglia);
    righe.insert(righe.end(), {
        " |_____|_____|__________|_____|____________________________|________________|_____|",
        "",
        "",
    });
    return righe;
}

}  // namespace

const std::vector<std::string>& righe_scheda() {
    static const std::vector<std::string> righe = componi_scheda();
    return righe;
}
