#pragma once

// A platform that keeps its files in memory: for running scenario_tool
// in-process (tests and the fuzz target) without touching the disk.

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "driver/piattaforma.h"
#include "driver/sostituzione_file.h"

class piattaforma_memoria final : public piattaforma {
public:
    std::map<std::string, std::string> file;
    std::vector<std::string> operazioni;  // "verb path", in order
    std::string guasto_in_scrittura;      // a file whose writing fails (its temporary file's creation)
    int blocchi = 0;                      // folder locks taken

    std::string cartella_programma() override { return "/memoria"; }
    std::string unisci_percorso(const std::string& cartella, const std::string& nome) override {
        return cartella + "/" + nome;
    }
    bool esiste_file(const std::string& percorso) override { return file.count(percorso) != 0; }
    using piattaforma::leggi_file;
    std::string leggi_file(const std::string& percorso, const limite_lettura& limite) override {
        operazioni.push_back("leggi " + percorso);
        auto it = file.find(percorso);
        if (it == file.end()) throw errore_file("read", percorso, "No such file");
        if (it->second.size() > limite.byte_massimi)
            throw errore_file("read", percorso,
                              "it holds " + std::to_string(it->second.size()) + " bytes; " + limite.cosa +
                                  " may hold at most " + std::to_string(limite.byte_massimi) + " bytes");
        return it->second;
    }
    std::unique_ptr<file_in_scrittura> crea_file(const std::string& percorso) override {
        operazioni.push_back("crea " + percorso);
        const auto barra = percorso.rfind('/');
        const auto bersaglio = bersaglio_temporaneo(percorso.substr(barra == std::string::npos ? 0 : barra + 1));
        if (percorso == guasto_in_scrittura ||
            (bersaglio && percorso.substr(0, barra + 1) + *bersaglio == guasto_in_scrittura))
            throw errore_file("create", percorso, "Disk full");
        if (!file.emplace(percorso, std::string()).second)
            throw errore_file("create", percorso, "something already stands at that name");
        return std::make_unique<scrittura>(file[percorso]);
    }
    void rinomina_file(const std::string& da, const std::string& a) override {
        operazioni.push_back("rinomina " + a);
        file[a] = file.at(da);
        file.erase(da);
    }
    void elimina_file(const std::string& percorso) override {
        operazioni.push_back("elimina " + percorso);
        file.erase(percorso);
    }
    std::vector<std::string> elenca_cartella(const std::string& cartella) override {
        std::vector<std::string> nomi;
        const std::string prefisso = cartella + "/";
        for (const auto& [percorso, byte] : file)
            if (percorso.starts_with(prefisso) && percorso.find('/', prefisso.size()) == std::string::npos)
                nomi.push_back(percorso.substr(prefisso.size()));
        return nomi;
    }
    std::unique_ptr<blocco_cartella> blocca_cartella(const std::string&, std::chrono::milliseconds) override {
        ++blocchi;
        return std::make_unique<blocco_cartella>();
    }
    void mostra_attesa(const std::string&) override {}
    void messaggio(const std::string&) override {}

private:
    struct scrittura final : file_in_scrittura {
        explicit scrittura(std::string& d) : dati(d) {}
        void scrivi(std::string_view byte) override { dati += byte; }
        void chiudi() override {}
        std::string& dati;
    };
};
