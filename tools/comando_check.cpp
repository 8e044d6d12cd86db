#include "authoring/diagnosi.h"
#include "comandi.h"
#include "driver/programma.h"
#include "json.h"

namespace {

void scrivi_json(const esito_verifica& e, const nomi_sorgenti& nomi, std::ostream& out) {
    scrittore_json j(out);
    j.apri_oggetto().chiave("problems").apri_lista();
    for (const diagnosi& d : e.elenco) {
        j.apri_oggetto();
        j.chiave("file");
        if (d.file)
            j.testo(*d.file == file_sorgente::linea ? nomi.linea : nomi.treno);
        else
            j.nullo();
        j.chiave("line");
        if (d.riga > 0)
            j.intero(d.riga);
        else
            j.nullo();
        j.campo("severity", d.errore ? "error" : "warning");
        j.chiave("code");
        if (d.codice)
            j.intero(*d.codice);
        else if (!d.errore)
            j.testo(d.nome);
        else
            j.nullo();
        j.chiave("position");
        if (d.posizione)
            j.intero(*d.posizione);
        else
            j.nullo();
        j.campo("message", d.messaggio);
        j.chiudi_oggetto();
    }
    j.chiudi_lista().campo("errors", e.errori).campo("warnings", e.avvisi).chiudi_oggetto();
    out << '\n';
}

}  // namespace

int comando_check(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err) {
    const riga_comando r =
        analizza_argomenti(argomenti, {"--line", "--train-source", "--route", "--train"}, {"--strict", "--json"});
    if (!r.posizionali.empty()) throw errore_uso("check takes its files as options, not " + r.posizionali.front());
    const std::string& linea = r.richiesto("--line");
    const std::string& treno = r.richiesto("--train-source");
    const std::string nome_percorso = r.valore("--route", "check");
    const std::string numero_treno = r.valore("--train", "0");
    if (auto motivo = controlla_nomi(nome_percorso, numero_treno)) {
        err << "error: " << *motivo << '\n';
        return uscita_guasto;
    }
    auto testo_linea = leggi_sorgente(p, linea, "line", err);
    if (!testo_linea) return uscita_guasto;
    auto testo_treno = leggi_sorgente(p, treno, "train", err);
    if (!testo_treno) return uscita_guasto;

    const nomi_sorgenti nomi{linea, treno};
    const esito_verifica e = verifica({*testo_linea, *testo_treno}, nome_percorso, numero_treno, nomi);
    if (r.ha("--json")) {
        scrivi_json(e, nomi, out);
    } else {
        for (const diagnosi& d : e.elenco) out << testo_diagnosi(d, nomi) << '\n';
        out << riassunto(e) << '\n';
    }
    return e.errori > 0 || (r.ha("--strict") && e.avvisi > 0) ? uscita_problemi : uscita_ok;
}
