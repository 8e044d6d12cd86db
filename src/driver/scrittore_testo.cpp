#include "driver/scrittore_testo.h"

#include <stdexcept>

#include "driver/sostituzione_file.h"
#include "driver/windows1252.h"

std::string codifica_testo(const std::vector<std::string>& righe) {
    std::string byte;
    for (const auto& riga : righe) {
        if (riga == marcatore_fine) break;
        auto convertita = utf8_a_windows1252(riga);
        if (!convertita) throw std::logic_error("a text line holds a character outside Windows-1252: " + riga);
        byte += *convertita;
        byte += "\r\n";
    }
    return byte;
}

void scrivi_testo(piattaforma& p, const std::string& percorso, const std::vector<std::string>& righe) {
    sostituisci_file(p, percorso, codifica_testo(righe));
}
