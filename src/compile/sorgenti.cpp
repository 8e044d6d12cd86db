#include "compile/sorgenti.h"

#include "model/conversioni.h"

sorgenti_su_disco::sorgenti_su_disco(piattaforma& p, std::string linea, std::string treno)
    : p_(p), linea_(std::move(linea)), treno_(std::move(treno)) {}

const std::string& sorgenti_su_disco::percorso(file_sorgente quale) const {
    return quale == file_sorgente::linea ? linea_ : treno_;
}

bool sorgenti_su_disco::esiste(file_sorgente quale) { return p_.esiste_file(percorso(quale)); }

std::string_view sorgenti_su_disco::leggi(file_sorgente quale) {
    try {
        std::string& testo = quale == file_sorgente::linea ? testo_linea_ : testo_treno_;
        testo = p_.leggi_file(percorso(quale));
        return testo;
    } catch (const errore_file& e) {
        throw errore_esecuzione(e.what());
    }
}

void sorgenti_su_disco::elimina(file_sorgente quale) {
    try {
        p_.elimina_file(percorso(quale));
    } catch (const errore_file& e) {
        throw errore_esecuzione(e.what());
    }
}

sorgenti_in_memoria::sorgenti_in_memoria(std::optional<std::string> linea, std::optional<std::string> treno)
    : linea_(std::move(linea)), treno_(std::move(treno)) {}

const std::optional<std::string>& sorgenti_in_memoria::testo(file_sorgente quale) const {
    return quale == file_sorgente::linea ? linea_ : treno_;
}

bool sorgenti_in_memoria::esiste(file_sorgente quale) { return testo(quale).has_value(); }

std::string_view sorgenti_in_memoria::leggi(file_sorgente quale) {
    if (!testo(quale)) throw errore_esecuzione(std::string("the ") + (quale == file_sorgente::linea ? "line" : "train") + " source is missing");
    return *testo(quale);
}
