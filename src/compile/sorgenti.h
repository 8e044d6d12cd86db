#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "driver/piattaforma.h"
#include "model/problemi.h"

// Where the compile finds its two source files. A read or delete that fails
// throws errore_esecuzione naming the file and the reason. A text read stays
// valid while the sources live: the compile reads from it without a copy.
class sorgenti_compilazione {
public:
    virtual ~sorgenti_compilazione() = default;
    virtual bool esiste(file_sorgente quale) = 0;
    virtual std::string_view leggi(file_sorgente quale) = 0;
    virtual void elimina(file_sorgente quale) = 0;
};

// The builder's: files in a folder, deleted once read.
class sorgenti_su_disco final : public sorgenti_compilazione {
public:
    sorgenti_su_disco(piattaforma& p, std::string linea, std::string treno);
    bool esiste(file_sorgente quale) override;
    std::string_view leggi(file_sorgente quale) override;
    void elimina(file_sorgente quale) override;

private:
    const std::string& percorso(file_sorgente quale) const;

    piattaforma& p_;
    std::string linea_;
    std::string treno_;
    std::string testo_linea_;
    std::string testo_treno_;
};

// Texts already in memory; nothing is ever deleted. A missing text is a
// source that does not exist.
class sorgenti_in_memoria final : public sorgenti_compilazione {
public:
    sorgenti_in_memoria(std::optional<std::string> linea, std::optional<std::string> treno);
    bool esiste(file_sorgente quale) override;
    std::string_view leggi(file_sorgente quale) override;
    void elimina(file_sorgente) override {}

private:
    const std::optional<std::string>& testo(file_sorgente quale) const;

    std::optional<std::string> linea_;
    std::optional<std::string> treno_;
};

// Texts the caller keeps alive for as long as the sources are used: nothing
// is copied, nothing deleted.
class sorgenti_prestate final : public sorgenti_compilazione {
public:
    sorgenti_prestate(const std::string& linea, const std::string& treno) : linea_(linea), treno_(treno) {}
    bool esiste(file_sorgente) override { return true; }
    std::string_view leggi(file_sorgente quale) override { return quale == file_sorgente::linea ? linea_ : treno_; }
    void elimina(file_sorgente) override {}

private:
    const std::string& linea_;
    const std::string& treno_;
};
