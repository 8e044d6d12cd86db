#include <filesystem>
#include <optional>

#include "authoring/diagnosi.h"
#include "comandi.h"
#include "driver/nomi_file.h"
#include "driver/programma.h"
#include "driver/sostituzione_file.h"
#include "output/lettura_binari.h"
#include "view/dati_pagina.h"
#include "view/pagina.h"

namespace {

// The page from the compiled files: as dump, a malformed file is refused.
std::string dati_dei_file(piattaforma& p, const std::string& cartella, const std::string& nome_percorso,
                          const std::string& numero_treno) {
    const nomi_file nomi = nomi_scenario(nome_percorso, numero_treno);
    const auto voci = leggi_file_scenario(p, p.unisci_percorso(cartella, nomi.voci), decodifica_voci);
    const auto celle = leggi_file_scenario(p, p.unisci_percorso(cartella, nomi.celle), decodifica_celle);
    std::optional<planimetria_percorso> planimetria;
    const std::string pianta = p.unisci_percorso(cartella, nomi.planimetria);
    if (p.esiste_file(pianta)) planimetria = leggi_file_scenario(p, pianta, decodifica_planimetria);
    return dati_da_file(nome_percorso, numero_treno, voci, celle, planimetria ? &*planimetria : nullptr);
}

std::string cartella_di(const std::string& percorso) {
    const std::filesystem::path f(percorso);
    return f.has_parent_path() ? f.parent_path().string() : ".";
}

std::string nome_in_cartella(const std::string& percorso) {
    return std::filesystem::path(percorso).filename().string();
}

}  // namespace

int comando_view(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err) {
    const riga_comando r =
        analizza_argomenti(argomenti, {"--route", "--train", "--dir", "--out", "--line", "--train-source"}, {});
    if (!r.posizionali.empty()) throw errore_uso("view takes its files as options, not " + r.posizionali.front());
    const std::string& nome_percorso = r.richiesto("--route");
    const std::string& numero_treno = r.richiesto("--train");
    const bool da_sorgenti = r.valori.count("--line") != 0 || r.valori.count("--train-source") != 0;
    if (da_sorgenti && r.valori.count("--dir") != 0)
        throw errore_uso("view reads either the compiled files (--dir) or the sources (--line, --train-source)");
    if (auto motivo = controlla_nomi(nome_percorso, numero_treno)) throw errore_strumento(*motivo);
    const std::string uscita = r.valore("--out", nome_percorso + "_" + numero_treno + ".html");
    // Only a page may be written, never over a scenario or source file.
    if (!(uscita.ends_with(".html") || uscita.ends_with(".HTML")) || nome_in_cartella(uscita).size() <= 5)
        throw errore_uso("the page's name must end in .html: " + uscita);
    const auto blocco = prendi_cartella(p, cartella_di(uscita), {nome_in_cartella(uscita)});

    if (!da_sorgenti) {
        const std::string dati = dati_dei_file(p, r.valore("--dir", "."), nome_percorso, numero_treno);
        sostituisci_file(p, uscita, pagina_html(dati, ""));
        out << "wrote " << uscita << '\n';
        return uscita_ok;
    }

    const std::string& linea = r.richiesto("--line");
    const std::string& treno = r.richiesto("--train-source");
    auto testo_linea = leggi_sorgente(p, linea, "line", err);
    if (!testo_linea) return uscita_guasto;
    auto testo_treno = leggi_sorgente(p, treno, "train", err);
    if (!testo_treno) return uscita_guasto;
    const nomi_sorgenti nomi{linea, treno};
    const testi_sorgente testi{std::move(*testo_linea), std::move(*testo_treno)};
    const compilazione_autore c = compila_per_autore(testi, nome_percorso, numero_treno, 1, nomi);
    const esito_verifica e = verifica(testi, nome_percorso, numero_treno, nomi);
    sostituisci_file(p, uscita, pagina_html(dati_da_sorgenti(c, e, nomi), ""));
    for (const diagnosi& d : e.elenco) out << testo_diagnosi(d, nomi) << '\n';
    out << riassunto(e) << '\n' << "wrote " << uscita << '\n';
    return e.errori > 0 ? uscita_problemi : uscita_ok;
}
