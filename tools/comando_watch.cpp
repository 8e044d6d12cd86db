#include <chrono>
#include <csignal>
#include <filesystem>
#include <optional>
#include <system_error>
#include <thread>

#include "authoring/diagnosi.h"
#include "comandi.h"
#include "compile/compilazione.h"
#include "driver/nomi_file.h"
#include "driver/programma.h"
#include "driver/sostituzione_file.h"
#include "view/dati_pagina.h"
#include "view/pagina.h"

namespace {

volatile std::sig_atomic_t fermato = 0;

extern "C" void ferma_watch(int) { fermato = 1; }

// What tells a saved file from the one seen before: its size and time. An
// editor that saves by rename gives a new time too.
struct impronta {
    std::uintmax_t byte = 0;
    std::filesystem::file_time_type ora{};
    bool esiste = false;

    bool operator==(const impronta&) const = default;
};

impronta impronta_di(const std::string& percorso) {
    std::error_code ec;
    impronta i;
    i.byte = std::filesystem::file_size(percorso, ec);
    if (ec) return {};
    i.ora = std::filesystem::last_write_time(percorso, ec);
    if (ec) return {};
    i.esiste = true;
    return i;
}

struct osservazione {
    std::string linea;
    std::string treno;
    std::string nome_percorso;
    std::string numero_treno;
    std::string cartella;
    std::string pagina;  // the page's path
    std::string script;  // the data script's path
    std::string nome_script;
};

class osservatore {
public:
    osservatore(const osservazione& o, piattaforma& p, std::ostream& out, std::ostream& err)
        : o_(o), p_(p), out_(out), err_(err) {}

    // One compile of the sources as they stand, and what it writes.
    void compila() {
        ++versione_;
        auto testo_linea = leggi_sorgente(p_, o_.linea, "line", err_);
        auto testo_treno = leggi_sorgente(p_, o_.treno, "train", err_);
        if (!testo_linea || !testo_treno) return;
        const nomi_sorgenti nomi{o_.linea, o_.treno};
        const testi_sorgente testi{std::move(*testo_linea), std::move(*testo_treno)};
        compilazione_autore c = compila_per_autore(testi, o_.nome_percorso, o_.numero_treno, 1, nomi);
        const esito_verifica e = verifica(testi, o_.nome_percorso, o_.numero_treno, nomi);
        out_ << "--- compile " << versione_ << '\n';
        for (const diagnosi& d : e.elenco) out_ << testo_diagnosi(d, nomi) << '\n';
        out_ << riassunto(e) << '\n';

        std::string esito;
        if (c.risultato.esito == esito_percorso::completo) {
            scrivi(c);
            ultimo_buono_ = std::move(c);
        } else {
            esito = riga_esito(c.risultato, o_.linea) + "; the files and the page keep the last compile that made them";
            out_ << esito << '\n';
        }
        // The page shows the new diagnostics over the last good model.
        const compilazione_autore& mostrato = ultimo_buono_ ? *ultimo_buono_ : c;
        const std::string dati = dati_da_sorgenti(mostrato, e, nomi, versione_, esito);
        const auto blocco = prendi_cartella(p_, o_.cartella, {nome_pagina(), o_.nome_script});
        sostituisci_file(p_, o_.script, script_dati(dati));
        sostituisci_file(p_, o_.pagina, pagina_html(dati, o_.nome_script));
        out_ << "wrote " << o_.pagina << " and " << o_.script << '\n' << std::flush;
    }

private:
    void scrivi(const compilazione_autore& c) {
        const nomi_file nomi = nomi_scenario(o_.nome_percorso, o_.numero_treno);
        const auto blocco = prendi_cartella(p_, o_.cartella, {nomi.planimetria, nomi.voci, nomi.celle});
        scrivi_binari(c.risultato.modello, p_, o_.cartella);
    }

    std::string nome_pagina() const { return std::filesystem::path(o_.pagina).filename().string(); }

    const osservazione& o_;
    piattaforma& p_;
    std::ostream& out_;
    std::ostream& err_;
    std::int64_t versione_ = 0;
    std::optional<compilazione_autore> ultimo_buono_;
};

}  // namespace

int comando_watch(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err) {
    const riga_comando r =
        analizza_argomenti(argomenti, {"--line", "--train-source", "--route", "--train", "--out"}, {});
    if (!r.posizionali.empty()) throw errore_uso("watch takes its files as options, not " + r.posizionali.front());
    osservazione o{r.richiesto("--line"),
                   r.richiesto("--train-source"),
                   r.richiesto("--route"),
                   r.richiesto("--train"),
                   r.valore("--out", "."),
                   "",
                   "",
                   ""};
    if (auto motivo = controlla_nomi(o.nome_percorso, o.numero_treno)) throw errore_strumento(*motivo);
    const std::string base = o.nome_percorso + "_" + o.numero_treno;
    o.nome_script = base + ".dati.js";
    o.pagina = p.unisci_percorso(o.cartella, base + ".html");
    o.script = p.unisci_percorso(o.cartella, o.nome_script);
    // The sources are only ever read: none may stand where watch writes.
    const nomi_file nomi = nomi_scenario(o.nome_percorso, o.numero_treno);
    for (const std::string& sorgente : {o.linea, o.treno})
        for (const std::string& scritto :
             {o.pagina, o.script, p.unisci_percorso(o.cartella, nomi.planimetria),
              p.unisci_percorso(o.cartella, nomi.voci), p.unisci_percorso(o.cartella, nomi.celle)})
            if (stesso_file(sorgente, scritto))
                throw errore_strumento("the source " + sorgente + " is where watch writes");

    fermato = 0;
    std::signal(SIGINT, ferma_watch);
    std::signal(SIGTERM, ferma_watch);
    osservatore w(o, p, out, err);
    std::optional<std::pair<impronta, impronta>> visto;
    out << "watching " << o.linea << " and " << o.treno << "; Ctrl-C ends\n";
    while (fermato == 0) {
        const std::pair<impronta, impronta> ora{impronta_di(o.linea), impronta_di(o.treno)};
        if (ora != visto) {
            visto = ora;
            try {
                w.compila();
            } catch (const errore_file& e) {
                // A failed write is told and tried again at the next change.
                err << "error: " << e.what() << '\n';
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    out << "stopped watching\n";
    return uscita_ok;
}
