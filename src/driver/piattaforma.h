#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

// A file operation that failed: which file, and the system's reason.
class errore_file : public std::runtime_error {
public:
    errore_file(const std::string& operazione, std::string percorso, std::string motivo)
        : std::runtime_error("cannot " + operazione + " " + percorso + ": " + motivo),
          percorso(std::move(percorso)),
          motivo(std::move(motivo)) {}

    std::string percorso;
    std::string motivo;
};

// A file being written; closing it makes its content final.
class file_in_scrittura {
public:
    virtual ~file_in_scrittura() = default;
    virtual void scrivi(std::string_view byte) = 0;
    virtual void chiudi() = 0;
};

// Everything the build needs from the system it runs on. Failures of file
// operations are thrown as errore_file.
class piattaforma {
public:
    virtual ~piattaforma() = default;

    // The folder of the running program, without a trailing separator.
    virtual std::string cartella_programma() = 0;
    virtual std::string unisci_percorso(const std::string& cartella, const std::string& nome) = 0;

    virtual bool esiste_file(const std::string& percorso) = 0;
    virtual std::string leggi_file(const std::string& percorso) = 0;
    // Creates the file empty (replacing one that stands there) and opens it.
    virtual std::unique_ptr<file_in_scrittura> crea_file(const std::string& percorso) = 0;
    // Moves a file over another in one step.
    virtual void rinomina_file(const std::string& da, const std::string& a) = 0;
    virtual void elimina_file(const std::string& percorso) = 0;

    // The wait window with its one label, shown without waiting.
    virtual void mostra_attesa(const std::string& etichetta) = 0;
    // A modal message box with an OK button.
    virtual void messaggio(const std::string& testo) = 0;
};

// The implementation for the system the program was built for.
std::unique_ptr<piattaforma> crea_piattaforma_locale();
