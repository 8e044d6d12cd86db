#include "line/sezione_generale.h"

#include <utility>

#include "model/arrotondamento.h"
#include "model/conversioni.h"

namespace {

constexpr std::int32_t lunghezza_massima = 1000000;
constexpr std::int32_t oltre_la_fine = 7000;

void elimina_celle(scenario& s) {
    s.celle.clear();
    s.planimetria.elimina();
}

// A refused length leaves no cells, so that the record table never
// disagrees with the cell and plan files.
//   lunghezza percorso, L
esito_riga memo_lunghezza(scenario& s, registro_problemi& log, std::int32_t lunghezza) {
    s.voci[voce_treno_dati].fine_tratto = lunghezza;
    if (lunghezza > lunghezza_massima) {
        elimina_celle(s);
        return ferma(log, problema_lunghezza_eccessiva);
    }
    std::int32_t estesa = lunghezza + oltre_la_fine;
    auto celle = static_cast<std::int64_t>(arrotonda(static_cast<double>(estesa) / 50.0));
    if (celle < 1) {
        elimina_celle(s);
        throw errore_esecuzione("the route length " + std::to_string(lunghezza) + " leaves no cells");
    }
    s.lunghezza_estesa = estesa;
    s.numero_celle = static_cast<std::int32_t>(celle);
    s.celle.assign(static_cast<std::size_t>(celle + 1), cella{});
    if (s.j != 0)
        s.planimetria.crea(std::int64_t{estesa} + 1);
    else
        s.planimetria.elimina();
    return esito_riga::prosegui;
}

//   progressiva chilometrica uno|due|tre, inizio, progressiva, flag
void memo_progressiva(voce& v, lettore_campi& lettore) {
    v.inizio_tratto = lettore.leggi_numero();
    v.fine_tratto = lettore.leggi_numero();
    v.punto = lettore.leggi_numero();
}

//   ripetizione segnali 4|9 codici, inizio, fine
esito_riga memo_ripetizione(scenario& s, registro_problemi& log, const std::string& chiave, lettore_campi& lettore) {
    voce& v = s.voci[voce_treno];
    v.inizio_tratto = lettore.leggi_numero();
    v.fine_tratto = lettore.leggi_numero();
    if (v.inizio_tratto % 50 != 0) return ferma(log, problema_inizio_ripetizione);
    if (v.fine_tratto % 50 != 0) return ferma(log, problema_fine_ripetizione);
    if (contiene_senza_maiuscole(chiave, "4"))
        v.punto = 4;
    else if (contiene_senza_maiuscole(chiave, "9"))
        v.punto = 9;
    else
        return ferma(log, problema_codici_ripetizione);
    if (v.fine_tratto == 0) v.punto = 0;
    return esito_riga::prosegui;
}

// The eight tests are independent: a field that passes two reads two sets of values.
//   sfondo uno|due|tre, valore
esito_riga prova_chiavi_generali(scenario& s, registro_problemi& log, const std::string& chiave, lettore_campi& lettore) {
    if (contiene_senza_maiuscole(chiave, "lunghezza") && contiene_senza_maiuscole(chiave, "percorso")) {
        if (memo_lunghezza(s, log, lettore.leggi_numero()) != esito_riga::prosegui) return esito_riga::ritorna;
    }
    if (contiene(chiave, "tre") && contiene(chiave, "progressiva")) memo_progressiva(s.voci[voce_progressiva_tre], lettore);
    if (contiene(chiave, "due") && contiene(chiave, "progressiva")) memo_progressiva(s.voci[voce_progressiva_due], lettore);
    if (contiene(chiave, "uno") && contiene(chiave, "progressiva")) memo_progressiva(s.voci[voce_progressiva_uno], lettore);
    if (contiene(chiave, "sfondo") && contiene(chiave, "uno")) s.voci[voce_percorso].inizio_tratto = lettore.leggi_numero();
    if (contiene(chiave, "sfondo") && contiene(chiave, "due")) s.voci[voce_percorso].punto = lettore.leggi_numero();
    if (contiene(chiave, "sfondo") && contiene(chiave, "tre")) s.voci[voce_percorso].fine_tratto = lettore.leggi_numero();
    if (contiene(chiave, "segnali") && contiene(chiave, "ripetizione")) return memo_ripetizione(s, log, chiave, lettore);
    return esito_riga::prosegui;
}

bool intestazione_sezione(const std::string& campo) {
    std::size_t primo = campo.find_first_not_of(" \t");
    if (primo != std::string::npos && campo[primo] == '-') return false;
    return contiene(campo, "[") && contiene(campo, "]");
}

}  // namespace

esito_riga leggi_sezione_generale(scenario& s, registro_problemi& log, lettore_campi& lettore) {
    constexpr int riempitivi_massimi = 10;
    std::string riga_letta;
    for (;;) {
        if (lettore.fine()) return esito_riga::prosegui;
        riga_letta = lettore.leggi_testo();
        lettore.segna_ultimo(ruolo_campo::scartato);
        if (lettore.fine()) return esito_riga::prosegui;
        for (int n = 0; n < riempitivi_massimi; ++n) {
            if (!contiene(riga_letta, "-")) continue;
            riga_letta = lettore.leggi_testo();
            lettore.segna_ultimo(ruolo_campo::scartato);
        }
        lettore.segna_ultimo(ruolo_campo::chiave);

        log.riga_in_corso = riga_sorgente{file_sorgente::linea, lettore.riga_ultimo_campo()};
        esito_riga esito = prova_chiavi_generali(s, log, riga_letta, lettore);
        log.riga_in_corso.reset();
        if (esito != esito_riga::prosegui) return esito;
        if (intestazione_sezione(riga_letta)) return esito_riga::prosegui;
    }
}

void progressive_ordina(scenario& s) {
    voce& tre = s.voci[voce_progressiva_tre];
    voce& due = s.voci[voce_progressiva_due];
    voce& uno = s.voci[voce_progressiva_uno];
    auto azzera = [&] {
        for (voce* v : {&tre, &due, &uno}) v->inizio_tratto = v->fine_tratto = v->punto = 0;
    };

    std::int64_t somma = std::int64_t{tre.inizio_tratto} + due.inizio_tratto + uno.inizio_tratto;
    if (somma == 0) {
        if (uno.fine_tratto > 0)
            std::swap(tre, uno);
        else if (due.fine_tratto > 0)
            std::swap(tre, due);
        else if (tre.fine_tratto <= 0)
            azzera();
    } else {
        // Ties among the two smaller starts keep "uno" before "due" before "tre".
        voce a = uno, b = due, c = tre;
        voce* massimo = nullptr;
        voce* resto1 = nullptr;
        voce* resto2 = nullptr;
        if (a.inizio_tratto > b.inizio_tratto && a.inizio_tratto > c.inizio_tratto) {
            massimo = &a, resto1 = &b, resto2 = &c;
        } else if (b.inizio_tratto > a.inizio_tratto && b.inizio_tratto > c.inizio_tratto) {
            massimo = &b, resto1 = &a, resto2 = &c;
        } else if (c.inizio_tratto > a.inizio_tratto && c.inizio_tratto > b.inizio_tratto) {
            massimo = &c, resto1 = &a, resto2 = &b;
        }
        if (!massimo) {
            azzera();
        } else {
            if (resto2->inizio_tratto > resto1->inizio_tratto) std::swap(resto1, resto2);
            tre = *massimo;
            due = *resto1;
            uno = *resto2;
        }
    }
    for (voce* v : {&tre, &due, &uno})
        if (v->punto == 1) v->fine_tratto = converti_lungo(std::int64_t{v->fine_tratto} + 100, "a kilometric chainage");
}
