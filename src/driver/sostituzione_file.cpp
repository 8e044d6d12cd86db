#include "driver/sostituzione_file.h"

namespace {

// Written in blocks, so that a full disk shows up where it happens.
constexpr std::size_t blocco_scrittura = 65536;

}  // namespace

void sostituisci_file(piattaforma& p, const std::string& percorso, std::string_view contenuto) {
    sostituisci_file_a_blocchi(p, percorso, [&](const std::function<void(std::string_view)>& scrivi) {
        for (std::size_t da = 0; da < contenuto.size(); da += blocco_scrittura) scrivi(contenuto.substr(da, blocco_scrittura));
    });
}

void sostituisci_file_a_blocchi(piattaforma& p, const std::string& percorso, const produttore_blocchi& produci) {
    const std::string temporaneo = percorso + ".part";
    try {
        auto file = p.crea_file(temporaneo);
        produci([&](std::string_view blocco) { file->scrivi(blocco); });
        file->chiudi();
        p.rinomina_file(temporaneo, percorso);
    } catch (const errore_file& e) {
        try {
            if (p.esiste_file(temporaneo)) p.elimina_file(temporaneo);
        } catch (const errore_file&) {
            // The first failure is the one to report.
        }
        throw errore_file("write", percorso, e.motivo);
    }
}
