#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A file operation that failed: which file, and the system's reason.
class errore_file : public std::runtime_error {
public:
    errore_file(const std::string& operazione, std::string percorso, std::string motivo)
        : std::runtime_error("cannot " + operazione + " " + percorso + ": " + motivo),
          percorso(std::move(percorso)),
          motivo(std::move(motivo)) {}

    std::string percorso;
    std::string motivo;

protected:
    struct messaggio_intero {};
    errore_file(messaggio_intero, const std::string& messaggio, std::string percorso, std::string motivo)
        : std::runtime_error(messaggio), percorso(std::move(percorso)), motivo(std::move(motivo)) {}
};

// Another run holds the folder and did not let it go in time.
class errore_cartella_occupata : public errore_file {
public:
    explicit errore_cartella_occupata(const std::string& cartella)
        : errore_file(messaggio_intero{}, "another build is writing into " + cartella, cartella,
                      "another build is writing into it") {}
};

// What a read accepts: a regular file (never a FIFO, a device or a folder) of
// at most byte_massimi bytes, checked before a byte is read. `cosa` names
// what the file is for the refusal ("a line or train source"). Without
// segui_collegamento, a symbolic link at the name is refused too.
struct limite_lettura {
    std::uint64_t byte_massimi;
    const char* cosa;
    bool segui_collegamento;
};

// A source file: 64 MiB at most.
inline constexpr std::uint64_t byte_massimi_sorgente = std::uint64_t{64} << 20;
inline constexpr limite_lettura limite_sorgente{byte_massimi_sorgente, "a source file", true};
// A file the program wrote itself and reads back: the same bound, and the
// name must not have become a link.
inline constexpr limite_lettura limite_sorgente_propria{byte_massimi_sorgente, "a source file", false};

// Where the system locks no folder (Windows), the lock is on a hidden file of
// this name in it, there while a run holds the folder and gone after.
inline constexpr const char* nome_file_blocco = ".scenario_builder.lock";

// A folder held by this run alone until the object is destroyed.
class blocco_cartella {
public:
    virtual ~blocco_cartella() = default;
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
    // The whole file, within the limit; a file outside it is refused with
    // errore_file before it is read.
    virtual std::string leggi_file(const std::string& percorso, const limite_lettura& limite) = 0;
    // The program's own source files read back: never through a link.
    std::string leggi_file(const std::string& percorso) { return leggi_file(percorso, limite_sorgente_propria); }
    // Creates a new, empty regular file and opens it. Whatever stands at the
    // name already (a file, a link, a FIFO, a device) makes it fail: nothing
    // there is followed, truncated or opened.
    virtual std::unique_ptr<file_in_scrittura> crea_file(const std::string& percorso) = 0;
    // Moves a file over another in one step.
    virtual void rinomina_file(const std::string& da, const std::string& a) = 0;
    virtual void elimina_file(const std::string& percorso) = 0;
    // The names in a folder (files, links and all), in no order.
    virtual std::vector<std::string> elenca_cartella(const std::string& cartella) = 0;
    // Holds the folder for this run alone, waiting up to `attesa` while
    // another run holds it; then errore_cartella_occupata. Nothing is left in
    // the folder for it.
    virtual std::unique_ptr<blocco_cartella> blocca_cartella(const std::string& cartella,
                                                             std::chrono::milliseconds attesa) = 0;

    // The wait window with its one label, shown without waiting.
    virtual void mostra_attesa(const std::string& etichetta) = 0;
    // A modal message box with an OK button.
    virtual void messaggio(const std::string& testo) = 0;
};

// The implementation for the system the program was built for.
std::unique_ptr<piattaforma> crea_piattaforma_locale();
