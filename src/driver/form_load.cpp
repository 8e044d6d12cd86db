#include "driver/form_load.h"

#include "documents/note.h"
#include "documents/ordine_rallentamento.h"
#include "documents/scheda_treno.h"
#include "driver/nomi_file.h"
#include "driver/scrittore_testo.h"
#include "driver/sostituzione_file.h"
#include "scenario/sorgenti_incorporate.h"

void Form_Load(piattaforma& p, risultato_percorso& r) {
    scenario& s = r.modello;
    s.nome_percorso = nome_percorso_incorporato;
    s.numero_treno = numero_treno_incorporato;
    p.mostra_attesa("Attendere");

    const std::string cartella = p.cartella_programma();
    const nomi_file nomi = nomi_scenario(s.nome_percorso, s.numero_treno);
    auto percorso = [&](const std::string& nome) { return p.unisci_percorso(cartella, nome); };
    // One writer in the folder, from the first source file written to the
    // last file of the package.
    const auto blocco = prendi_cartella(p, cartella,
                                        {nomi.sorgente_linea, nomi.sorgente_treno, nomi.note, nomi.rallentamenti,
                                         nomi.scheda, nomi.planimetria, nomi.voci, nomi.celle});

    scrivi_testo(p, percorso(nomi.sorgente_linea), righe_linea());   // dati_linea
    scrivi_testo(p, percorso(nomi.sorgente_treno), righe_treno());   // dati_treno
    scrivi_testo(p, percorso(nomi.note), righe_note());               // dati_note
    scrivi_testo(p, percorso(nomi.rallentamenti), righe_rallentamenti());  // dati_rallentamenti
    scrivi_testo(p, percorso(nomi.scheda), righe_scheda());           // dati_scheda

    sorgenti_su_disco sorgenti(p, percorso(nomi.sorgente_linea), percorso(nomi.sorgente_treno));
    memorizza_percorso(r, 1, sorgenti, p, cartella);
}

std::string errore(const std::string& a) { return " Errore n. " + a; }
