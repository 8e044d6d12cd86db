#include <filesystem>
#include <optional>

#include "comandi.h"
#include "driver/nomi_file.h"
#include "driver/percorso_utf8.h"
#include "driver/programma.h"
#include "driver/sostituzione_file.h"
#include "output/lettura_binari.h"
#include "plot/percorso_disegnato.h"
#include "plot/pittore.h"

int comando_plot(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream&) {
    const riga_comando r = analizza_argomenti(argomenti, {"--route", "--train", "--dir", "--out"}, {});
    if (!r.posizionali.empty()) throw errore_uso("plot takes its files as options, not " + r.posizionali.front());
    const std::string& nome_percorso = r.richiesto("--route");
    const std::string& numero_treno = r.richiesto("--train");
    if (auto motivo = controlla_nomi(nome_percorso, numero_treno)) throw errore_strumento(*motivo);
    const std::string cartella = r.valore("--dir", ".");
    const nomi_file nomi = nomi_scenario(nome_percorso, numero_treno);
    const std::string uscita = r.valore("--out", p.unisci_percorso(cartella, nome_percorso + "_" + numero_treno + ".svg"));
    // Only a picture may be written, never over a scenario or source file.
    if (uscita.size() < 4 || !(uscita.ends_with(".svg") || uscita.ends_with(".SVG")))
        throw errore_uso("the picture's name must end in .svg: " + uscita);

    // One writer in the picture's folder for the whole run.
    const std::filesystem::path figura = percorso_utf8(uscita);
    const std::string cartella_figura = figura.has_parent_path() ? testo_utf8(figura.parent_path()) : ".";
    const auto blocco = prendi_cartella(p, cartella_figura, {testo_utf8(figura.filename())});

    const auto voci = leggi_file_scenario(p, p.unisci_percorso(cartella, nomi.voci), decodifica_voci);
    const auto celle = leggi_file_scenario(p, p.unisci_percorso(cartella, nomi.celle), decodifica_celle);
    std::optional<planimetria_percorso> planimetria;
    const std::string pianta = p.unisci_percorso(cartella, nomi.planimetria);
    if (p.esiste_file(pianta)) planimetria = leggi_file_scenario(p, pianta, decodifica_planimetria);

    const percorso_disegnato d =
        componi_percorso(nome_percorso + " — train " + numero_treno, voci, celle, planimetria);
    sostituisci_file(p, uscita, disegna_percorso(d));
    out << "wrote " << uscita << '\n';
    return uscita_ok;
}
