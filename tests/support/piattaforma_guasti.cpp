#include "support/piattaforma_guasti.h"

#include <algorithm>

class piattaforma_guasti::file_guasti final : public file_in_scrittura {
public:
    file_guasti(piattaforma_guasti& p, std::unique_ptr<file_in_scrittura> reale, std::string percorso)
        : p_(p), reale_(std::move(reale)), percorso_(std::move(percorso)) {}

    void scrivi(std::string_view byte) override {
        bool tocca = p_.conta(operazione::scrivi, percorso_);
        if (tocca && p_.tipo_guasto_ == guasto::disco_pieno) p_.disco_pieno_ = true;
        if (p_.disco_pieno_) {
            // What fits lands in the file, as on a real disk.
            reale_->scrivi(byte.substr(0, byte.size() / 2));
            throw errore_file("write", percorso_, motivo_disco_pieno);
        }
        if (tocca) p_.fallisci("write", percorso_);
        reale_->scrivi(byte);
    }

    void chiudi() override {
        bool tocca = p_.conta(operazione::chiudi, percorso_);
        // The handle is released either way; only the outcome differs.
        reale_->chiudi();
        if (tocca) p_.fallisci("close", percorso_);
    }

private:
    piattaforma_guasti& p_;
    std::unique_ptr<file_in_scrittura> reale_;
    std::string percorso_;
};

piattaforma_guasti::piattaforma_guasti(std::string cartella)
    : reale_(crea_piattaforma_locale()), cartella_(std::move(cartella)) {}

void piattaforma_guasti::guasta(std::size_t n, guasto tipo) {
    guasto_a_ = n;
    tipo_guasto_ = tipo;
}

bool piattaforma_guasti::conta(operazione tipo, const std::string& percorso) {
    registro_.push_back({tipo, percorso});
    bool tocca = registro_.size() == guasto_a_;
    // A full disk is a write's failure; on any other operation it injects nothing.
    return tocca && (tipo_guasto_ == guasto::fallisce || tipo == operazione::scrivi);
}

void piattaforma_guasti::fallisci(const char* verbo, const std::string& percorso) const {
    throw errore_file(verbo, percorso, motivo_iniettato);
}

std::string piattaforma_guasti::cartella_programma() { return cartella_; }

std::string piattaforma_guasti::unisci_percorso(const std::string& cartella, const std::string& nome) {
    return reale_->unisci_percorso(cartella, nome);
}

bool piattaforma_guasti::esiste_file(const std::string& percorso) { return reale_->esiste_file(percorso); }

std::string piattaforma_guasti::leggi_file(const std::string& percorso, const limite_lettura& limite) {
    if (conta(operazione::leggi, percorso)) fallisci("read", percorso);
    return reale_->leggi_file(percorso, limite);
}

std::unique_ptr<file_in_scrittura> piattaforma_guasti::crea_file(const std::string& percorso) {
    if (conta(operazione::crea, percorso)) fallisci("create", percorso);
    return std::make_unique<file_guasti>(*this, reale_->crea_file(percorso), percorso);
}

void piattaforma_guasti::rinomina_file(const std::string& da, const std::string& a) {
    if (conta(operazione::rinomina, a)) fallisci("replace", a);
    reale_->rinomina_file(da, a);
}

void piattaforma_guasti::elimina_file(const std::string& percorso) {
    if (conta(operazione::elimina, percorso)) fallisci("delete", percorso);
    reale_->elimina_file(percorso);
}

std::vector<std::string> piattaforma_guasti::elenca_cartella(const std::string& cartella) {
    return reale_->elenca_cartella(cartella);
}

std::unique_ptr<blocco_cartella> piattaforma_guasti::blocca_cartella(const std::string& cartella,
                                                                     std::chrono::milliseconds attesa) {
    return reale_->blocca_cartella(cartella, attesa_massima ? std::min(attesa, *attesa_massima) : attesa);
}

void piattaforma_guasti::mostra_attesa(const std::string&) {}

void piattaforma_guasti::messaggio(const std::string& testo) { messaggi.push_back(testo); }

const char* nome_operazione(piattaforma_guasti::operazione tipo) {
    switch (tipo) {
        case piattaforma_guasti::operazione::crea: return "create";
        case piattaforma_guasti::operazione::scrivi: return "write";
        case piattaforma_guasti::operazione::chiudi: return "close";
        case piattaforma_guasti::operazione::rinomina: return "rename";
        case piattaforma_guasti::operazione::elimina: return "delete";
        case piattaforma_guasti::operazione::leggi: return "read";
    }
    return "?";
}
