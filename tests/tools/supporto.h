#pragma once

// Running the real scenario_tool (and the builder) in fresh folders.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/cartella_temporanea.h"

namespace supporto {

namespace fs = std::filesystem;

// The folder and file helpers are the ones every test shares.
using ::cartella_temporanea;
using ::leggi;

inline void scrivi(const fs::path& percorso, const std::string& byte) { scrivi_file(percorso, byte); }

inline std::string tra_apici(const std::string& a) {
    std::string t = "'";
    for (char c : a) t += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return t + "'";
}

struct esito {
    int stato = -1;
    std::string out;
    std::string err;

    std::vector<std::string> righe_err() const {
        std::vector<std::string> righe;
        std::istringstream in(err);
        for (std::string r; std::getline(in, r);) righe.push_back(r);
        return righe;
    }
};

// Runs a program in a folder; the exit status comes back through a file, so
// that no system header is needed to read it.
inline esito esegui_in(const fs::path& cartella, const std::string& programma, const std::vector<std::string>& argomenti) {
    static std::atomic<unsigned> contatore{0};
    const std::string base = "run_" + std::to_string(contatore++);
    const fs::path fuori = fs::temp_directory_path() / (base + "_" + std::to_string(std::random_device{}()));
    std::string comando = "cd " + tra_apici(cartella.string()) + " && " + tra_apici(programma);
    for (const auto& a : argomenti) comando.append(" ").append(tra_apici(a));
    comando.append(" >").append(tra_apici(fuori.string() + ".out"));
    comando.append(" 2>").append(tra_apici(fuori.string() + ".err"));
    comando.append("; echo $? >").append(tra_apici(fuori.string() + ".rc"));
    std::system(comando.c_str());
    esito e;
    e.out = leggi(fuori.string() + ".out");
    e.err = leggi(fuori.string() + ".err");
    const std::string rc = leggi(fuori.string() + ".rc");
    if (!rc.empty()) e.stato = std::stoi(rc);
    for (const char* coda : {".out", ".err", ".rc"}) fs::remove(fuori.string() + coda);
    return e;
}

// A program and its arguments, for esegui_insieme.
struct comando {
    comando(std::string programma, std::vector<std::string> argomenti, std::string ingresso = "/dev/null")
        : programma(std::move(programma)), argomenti(std::move(argomenti)), ingresso(std::move(ingresso)) {}

    std::string programma;
    std::vector<std::string> argomenti;
    std::string ingresso;  // standard input
    std::string uscita;    // standard output to this file instead of capturing it
};

// Runs the programs at the same time in one folder and waits for all; each
// is killed after `limite_secondi` (a generous bound against a hang, not a
// timing assertion: a killed run has status 124 or 137).
inline std::vector<esito> esegui_insieme(const fs::path& cartella, const std::vector<comando>& comandi,
                                         int limite_secondi = 120) {
    static std::atomic<unsigned> contatore{0};
    const std::string base = (fs::temp_directory_path() / ("insieme_" + std::to_string(contatore++) + "_" +
                                                           std::to_string(std::random_device{}())))
                                 .string();
    std::string script = "cd " + tra_apici(cartella.string()) + " || exit 1\n";
    for (std::size_t i = 0; i < comandi.size(); ++i) {
        const comando& c = comandi[i];
        const std::string f = base + "_" + std::to_string(i);
        std::string riga = "timeout -k 5 " + std::to_string(limite_secondi) + " " + tra_apici(c.programma);
        for (const auto& a : c.argomenti) riga += " " + tra_apici(a);
        riga += " <" + tra_apici(c.ingresso) + " >" + tra_apici(c.uscita.empty() ? f + ".out" : c.uscita) + " 2>" +
                tra_apici(f + ".err");
        script += "{ " + riga + "; echo $? >" + tra_apici(f + ".rc") + "; } &\n";
    }
    script += "wait\n";
    scrivi(base + ".sh", script);
    std::system(("sh " + tra_apici(base + ".sh")).c_str());
    fs::remove(base + ".sh");
    std::vector<esito> esiti(comandi.size());
    for (std::size_t i = 0; i < comandi.size(); ++i) {
        const std::string f = base + "_" + std::to_string(i);
        if (comandi[i].uscita.empty()) esiti[i].out = leggi(f + ".out");
        esiti[i].err = leggi(f + ".err");
        const std::string rc = leggi(f + ".rc");
        if (!rc.empty()) esiti[i].stato = std::stoi(rc);
        for (const char* coda : {".out", ".err", ".rc"}) fs::remove(f + coda);
    }
    return esiti;
}

// One program, with the same bound against a hang and a chosen standard
// input and output.
inline esito esegui_limitato(const fs::path& cartella, const comando& c, int limite_secondi = 120) {
    return esegui_insieme(cartella, {c}, limite_secondi).front();
}

inline esito strumento(const fs::path& cartella, const std::vector<std::string>& argomenti) {
    return esegui_in(cartella, SCENARIO_TOOL_EXE, argomenti);
}

// The files of a folder, by name.
inline std::vector<std::string> nomi_in(const fs::path& cartella) {
    std::vector<std::string> nomi;
    for (const auto& voce : fs::directory_iterator(cartella)) nomi.push_back(voce.path().filename().string());
    std::sort(nomi.begin(), nomi.end());
    return nomi;
}

// A source file with one line put in before the line that reads `prima`;
// returns the new line's number (from 1).
inline int inserisci_riga(const fs::path& file, const std::string& prima, const std::string& riga) {
    std::string testo = leggi(file);
    const auto dove = testo.find("\r\n" + prima + "\r\n");
    if (dove == std::string::npos) throw std::runtime_error("no line " + prima + " in " + file.string());
    testo.insert(dove + 2, riga + "\r\n");
    scrivi(file, testo);
    return static_cast<int>(std::count(testo.begin(), testo.begin() + static_cast<std::ptrdiff_t>(dove) + 2, '\n')) + 1;
}

inline void sostituisci(const fs::path& file, const std::string& da, const std::string& a) {
    std::string testo = leggi(file);
    const auto dove = testo.find(da);
    if (dove == std::string::npos) throw std::runtime_error("no " + da + " in " + file.string());
    testo.replace(dove, da.size(), a);
    scrivi(file, testo);
}

}  // namespace supporto
