#include "driver/sostituzione_file.h"

#include <algorithm>
#include <random>

namespace {

// Written in blocks, so that a full disk shows up where it happens.
constexpr std::size_t blocco_scrittura = 65536;

constexpr std::string_view coda_temporaneo = ".part";
constexpr std::size_t cifre_temporaneo = 16;

std::string nome_temporaneo(const std::string& percorso) {
    static std::mt19937_64 generatore{[] {
        std::random_device casuale;
        return (static_cast<std::uint64_t>(casuale()) << 32) ^ casuale();
    }()};
    std::uint64_t n = generatore();
    std::string cifre(cifre_temporaneo, '0');
    for (std::size_t i = cifre_temporaneo; i-- > 0; n >>= 4) cifre[i] = "0123456789abcdef"[n & 15];
    return percorso + "." + cifre + std::string(coda_temporaneo);
}

}  // namespace

std::optional<std::string> bersaglio_temporaneo(std::string_view nome) {
    const std::size_t coda = 1 + cifre_temporaneo + coda_temporaneo.size();
    if (nome.size() <= coda || !nome.ends_with(coda_temporaneo)) return std::nullopt;
    const std::string_view cifre = nome.substr(nome.size() - coda + 1, cifre_temporaneo);
    if (nome[nome.size() - coda] != '.') return std::nullopt;
    for (char c : cifre)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return std::nullopt;
    return std::string(nome.substr(0, nome.size() - coda));
}

void sostituisci_file(piattaforma& p, const std::string& percorso, std::string_view contenuto) {
    sostituisci_file_a_blocchi(p, percorso, [&](const std::function<void(std::string_view)>& scrivi) {
        for (std::size_t da = 0; da < contenuto.size(); da += blocco_scrittura) scrivi(contenuto.substr(da, blocco_scrittura));
    });
}

void sostituisci_file_a_blocchi(piattaforma& p, const std::string& percorso, const produttore_blocchi& produci) {
    const std::string temporaneo = nome_temporaneo(percorso);
    std::unique_ptr<file_in_scrittura> file;
    try {
        file = p.crea_file(temporaneo);
    } catch (const errore_file& e) {
        // Nothing of ours stands there: whatever does is left alone.
        throw errore_file("write", percorso, e.motivo);
    }
    try {
        produci([&](std::string_view blocco) { file->scrivi(blocco); });
        file->chiudi();
        p.rinomina_file(temporaneo, percorso);
    } catch (const errore_file& e) {
        file.reset();
        try {
            if (p.esiste_file(temporaneo)) p.elimina_file(temporaneo);
        } catch (const errore_file&) {
            // The first failure is the one to report.
        }
        throw errore_file("write", percorso, e.motivo);
    }
}

std::unique_ptr<blocco_cartella> prendi_cartella(piattaforma& p, const std::string& cartella,
                                                 const std::vector<std::string>& bersagli,
                                                 std::chrono::milliseconds attesa) {
    auto blocco = p.blocca_cartella(cartella, attesa);
    for (const std::string& nome : p.elenca_cartella(cartella)) {
        const auto bersaglio = bersaglio_temporaneo(nome);
        if (bersaglio && std::find(bersagli.begin(), bersagli.end(), *bersaglio) != bersagli.end())
            p.elimina_file(p.unisci_percorso(cartella, nome));
    }
    return blocco;
}
