#include "authoring/diagnosi.h"
#include "comandi.h"
#include "decompila.h"
#include "driver/nomi_file.h"
#include "driver/programma.h"
#include "driver/sostituzione_file.h"

namespace {

std::string file_esistente(piattaforma& p, const std::string& percorso) {
    if (!p.esiste_file(percorso)) throw errore_strumento("there is no " + percorso);
    return percorso;
}

}  // namespace

// The two sources back from a compiled scenario's files, checked by
// compiling them: status 0 when every byte comes back, 2 when some do not.
int comando_decompile(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err) {
    const riga_comando r = analizza_argomenti(argomenti, {"--route", "--train", "--dir", "--out"}, {"--force"});
    if (!r.posizionali.empty()) throw errore_uso("decompile takes its files as options, not " + r.posizionali.front());
    const std::string& nome_percorso = r.richiesto("--route");
    const std::string& numero_treno = r.richiesto("--train");
    if (auto motivo = controlla_nomi(nome_percorso, numero_treno)) throw errore_strumento(*motivo);
    const std::string cartella = r.valore("--dir", ".");
    const std::string uscita = r.valore("--out", ".");
    const nomi_file nomi = nomi_scenario(nome_percorso, numero_treno);

    // One writer in the folder for the whole run.
    const auto blocco = prendi_cartella(p, uscita, {nomi.sorgente_linea, nomi.sorgente_treno});
    const std::string linea = p.unisci_percorso(uscita, nomi.sorgente_linea);
    const std::string treno = p.unisci_percorso(uscita, nomi.sorgente_treno);
    if (!r.ha("--force"))
        for (const std::string& bersaglio : {linea, treno})
            if (p.esiste_file(bersaglio)) throw errore_strumento(bersaglio + " exists; give --force to replace it");

    const std::string voci = file_esistente(p, p.unisci_percorso(cartella, nomi.voci));
    const std::string celle = file_esistente(p, p.unisci_percorso(cartella, nomi.celle));
    const std::string pianta = p.unisci_percorso(cartella, nomi.planimetria);
    file_compilati f;
    f.voci = leggi_file_scenario(p, voci, decodifica_voci);
    f.celle = leggi_file_scenario(p, celle, decodifica_celle);
    if (p.esiste_file(pianta)) f.planimetria = leggi_file_scenario(p, pianta, decodifica_planimetria);
    if (auto motivo = controlla_file_compilati(f, nome_percorso, numero_treno))
        throw errore_strumento(voci + ": " + *motivo);

    const decompilazione d = decompila(f, nome_percorso, numero_treno);
    sostituisci_file(p, linea, testo_sorgente(d.righe_linea));
    sostituisci_file(p, treno, testo_sorgente(d.righe_treno));
    for (const differenza& x : d.differenze) {
        const std::string& file = x.dove == file_scenario::celle ? celle : x.dove == file_scenario::voci ? voci : pianta;
        err << file << ": " << x.testo << '\n';
    }
    // What the authoring checks say of the sources: only what reproducing the
    // files needs (an object in the spare cells, say), listed for the author.
    const nomi_sorgenti nomi_righe{linea, treno};
    const auto autore = compila_per_autore({testo_sorgente(d.righe_linea), testo_sorgente(d.righe_treno)},
                                           nome_percorso, numero_treno, f.planimetria ? 1 : 0, nomi_righe);
    for (const diagnosi& a : autore.avvisi) err << testo_diagnosi(a, nomi_righe) << '\n';
    out << "wrote " << linea << "\nwrote " << treno << '\n';
    const std::string compila = "scenario_tool compile --line " + linea + " --train-source " + treno + " --route " +
                                nome_percorso + " --train " + numero_treno + (f.planimetria ? "" : " --no-plan");
    if (!d.differenze.empty()) {
        err << "error: " << d.differenze.size()
            << (d.differenze.size() == 1 ? " value differs" : " values differ")
            << " when the sources are compiled again (listed above); the sources are written all the same\n";
        return uscita_problemi;
    }
    out << "compiled again, they give the same files byte for byte: " << compila << '\n';
    return uscita_ok;
}
