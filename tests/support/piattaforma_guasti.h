#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "driver/piattaforma.h"

// The real platform, except that the n-th file operation fails with
// errore_file, and that the program's folder is one the test chooses.
// Counted operations: create, write, close, rename, delete and read;
// existence tests are not counted.
class piattaforma_guasti final : public piattaforma {
public:
    enum class operazione { crea, scrivi, chiudi, rinomina, elimina, leggi };
    enum class guasto {
        fallisce,     // the operation does nothing and fails
        disco_pieno,  // a write: half of the bytes land, then it fails, and so does every later write
    };

    struct voce_registro {
        operazione tipo;
        std::string percorso;
    };

    static constexpr const char* motivo_iniettato = "injected failure";
    static constexpr const char* motivo_disco_pieno = "No space left on device";

    explicit piattaforma_guasti(std::string cartella);

    // Fails the operation numbered n (from 1); 0 fails nothing. A full disk
    // applies only when operation n is a write.
    void guasta(std::size_t n, guasto tipo = guasto::fallisce);

    // Every counted operation so far, in order, the failed one included.
    const std::vector<voce_registro>& registro() const { return registro_; }

    std::string cartella_programma() override;
    std::string unisci_percorso(const std::string& cartella, const std::string& nome) override;
    bool esiste_file(const std::string& percorso) override;
    using piattaforma::leggi_file;
    std::string leggi_file(const std::string& percorso, const limite_lettura& limite) override;
    std::unique_ptr<file_in_scrittura> crea_file(const std::string& percorso) override;
    void rinomina_file(const std::string& da, const std::string& a) override;
    void elimina_file(const std::string& percorso) override;
    // Not counted: the listing and the lock go to the real platform as they are.
    std::vector<std::string> elenca_cartella(const std::string& cartella) override;
    std::unique_ptr<blocco_cartella> blocca_cartella(const std::string& cartella,
                                                     std::chrono::milliseconds attesa) override;
    void mostra_attesa(const std::string& etichetta) override;
    void messaggio(const std::string& testo) override;

    std::vector<std::string> messaggi;  // the error boxes shown
    // When set, the longest a folder lock waits, whatever the program asks.
    std::optional<std::chrono::milliseconds> attesa_massima;

private:
    class file_guasti;

    // Counts the operation; true when it is the one to fail.
    bool conta(operazione tipo, const std::string& percorso);
    [[noreturn]] void fallisci(const char* verbo, const std::string& percorso) const;

    std::unique_ptr<piattaforma> reale_;
    std::string cartella_;
    std::size_t guasto_a_ = 0;
    guasto tipo_guasto_ = guasto::fallisce;
    bool disco_pieno_ = false;
    std::vector<voce_registro> registro_;
};

const char* nome_operazione(piattaforma_guasti::operazione tipo);
