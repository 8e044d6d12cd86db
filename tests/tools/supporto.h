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
#include <thread>
#include <vector>

#include "driver/percorso_utf8.h"
#include "support/cartella_temporanea.h"

namespace supporto {

namespace fs = std::filesystem;

// The folder and file helpers are the ones every test shares.
using ::cartella_temporanea;
using ::leggi;

inline void scrivi(const fs::path& percorso, const std::string& byte) { scrivi_file(percorso, byte); }

// Skips a test of what only a POSIX system has: links that anyone may make,
// FIFOs, /dev, sh and its ulimit.
#ifdef _WIN32
#define SOLO_POSIX(cosa) GTEST_SKIP() << "needs " cosa ", which Windows has not"
#else
#define SOLO_POSIX(cosa) static_cast<void>(0)
#endif

// A path as the programs print it, with this system's separator.
inline std::string nativo(const std::string& percorso) { return testo_utf8(percorso_utf8(percorso).make_preferred()); }

// A program of the build under the name this system starts it by.
inline std::string eseguibile(const std::string& nome) { return nome + SCENARIO_SUFFISSO_ESEGUIBILE; }

#ifdef _WIN32
inline constexpr const char* nessun_ingresso = "NUL";
#else
inline constexpr const char* nessun_ingresso = "/dev/null";
#endif

// One word of a command line for the shell that std::system starts: sh's
// quotes, or on Windows the double quotes that cmd.exe leaves alone and the
// program's CommandLineToArgvW takes apart again.
inline std::string tra_apici(const std::string& a) {
#ifdef _WIN32
    std::string t = "\"";
    std::size_t barre = 0;
    for (char c : a) {
        if (c == '\\') {
            ++barre;
            continue;
        }
        t.append(c == '"' ? 2 * barre + 1 : barre, '\\');
        t += c;
        barre = 0;
    }
    return t.append(2 * barre, '\\') + "\"";
#else
    std::string t = "'";
    for (char c : a) t += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return t + "'";
#endif
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

#ifdef _WIN32
// A command line run by cmd.exe, in UTF-16 so that every name gets through;
// its exit status is the program's. cmd.exe /c drops the first and the last
// quote of a line that begins with one: the line is wrapped in a pair of its
// own.
inline int esegui_riga(const std::string& riga) {
    return _wsystem(percorso_utf8("\"" + riga + "\"").wstring().c_str());
}

// The line that runs a program in a folder, with its standard streams from
// and to files.
inline std::string riga_di(const fs::path& cartella, const std::string& programma,
                           const std::vector<std::string>& argomenti, const std::string& ingresso,
                           const std::string& uscita, const std::string& errore) {
    std::string riga = "cd /d " + tra_apici(testo_utf8(cartella)) + " && " +
                       tra_apici(testo_utf8(percorso_utf8(programma).make_preferred()));
    for (const auto& a : argomenti) riga.append(" ").append(tra_apici(a));
    return riga + " <" + tra_apici(ingresso) + " >" + tra_apici(uscita) + " 2>" + tra_apici(errore);
}
#endif

// Runs a program in a folder; the exit status comes back through a file, so
// that no system header is needed to read it.
inline esito esegui_in(const fs::path& cartella, const std::string& programma, const std::vector<std::string>& argomenti) {
    static std::atomic<unsigned> contatore{0};
    const std::string base = "run_" + std::to_string(contatore++);
    const fs::path fuori = fs::temp_directory_path() / (base + "_" + std::to_string(std::random_device{}()));
    esito e;
#ifdef _WIN32
    e.stato = esegui_riga(riga_di(cartella, programma, argomenti, nessun_ingresso, fuori.string() + ".out",
                                  fuori.string() + ".err"));
#else
    std::string comando = "cd " + tra_apici(cartella.string()) + " && " + tra_apici(programma);
    for (const auto& a : argomenti) comando.append(" ").append(tra_apici(a));
    comando.append(" >").append(tra_apici(fuori.string() + ".out"));
    comando.append(" 2>").append(tra_apici(fuori.string() + ".err"));
    comando.append("; echo $? >").append(tra_apici(fuori.string() + ".rc"));
    std::system(comando.c_str());
    const std::string rc = leggi(fuori.string() + ".rc");
    if (!rc.empty()) e.stato = std::stoi(rc);
#endif
    e.out = leggi(fuori.string() + ".out");
    e.err = leggi(fuori.string() + ".err");
    for (const char* coda : {".out", ".err", ".rc"}) fs::remove(fuori.string() + coda);
    return e;
}

// A program and its arguments, for esegui_insieme.
struct comando {
    comando(std::string programma, std::vector<std::string> argomenti, std::string ingresso = nessun_ingresso)
        : programma(std::move(programma)), argomenti(std::move(argomenti)), ingresso(std::move(ingresso)) {}

    std::string programma;
    std::vector<std::string> argomenti;
    std::string ingresso;  // standard input
    std::string uscita;    // standard output to this file instead of capturing it
};

// Runs the programs at the same time in one folder and waits for all; each
// is killed after `limite_secondi` (a generous bound against a hang, not a
// timing assertion: a killed run has status 124 or 137). Windows has no
// timeout command: there the programs run unbounded, each from a thread of
// its own.
inline std::vector<esito> esegui_insieme(const fs::path& cartella, const std::vector<comando>& comandi,
                                         int limite_secondi = 120) {
    static std::atomic<unsigned> contatore{0};
    const std::string base = (fs::temp_directory_path() / ("insieme_" + std::to_string(contatore++) + "_" +
                                                           std::to_string(std::random_device{}())))
                                 .string();
    std::vector<esito> esiti(comandi.size());
#ifdef _WIN32
    (void)limite_secondi;
    std::vector<std::thread> fili;
    for (std::size_t i = 0; i < comandi.size(); ++i)
        fili.emplace_back([&, i] {
            const comando& c = comandi[i];
            const std::string f = base + "_" + std::to_string(i);
            esiti[i].stato = esegui_riga(
                riga_di(cartella, c.programma, c.argomenti, c.ingresso, c.uscita.empty() ? f + ".out" : c.uscita, f + ".err"));
        });
    for (std::thread& filo : fili) filo.join();
#else
    std::string script = "cd " + tra_apici(cartella.string()) + " || exit 1\n";
    for (std::size_t i = 0; i < comandi.size(); ++i) {
        const comando& c = comandi[i];
        const std::string f = base + "_" + std::to_string(i);
        std::string riga = "timeout -k 5 " + std::to_string(limite_secondi) + " " + tra_apici(c.programma);
        // append, not " " + ...: GCC 12 at -O3 sees a false overlap there (-Wrestrict) on aarch64.
        for (const auto& a : c.argomenti) riga.append(" ").append(tra_apici(a));
        riga += " <" + tra_apici(c.ingresso) + " >" + tra_apici(c.uscita.empty() ? f + ".out" : c.uscita) + " 2>" +
                tra_apici(f + ".err");
        script += "{ " + riga + "; echo $? >" + tra_apici(f + ".rc") + "; } &\n";
    }
    script += "wait\n";
    scrivi(base + ".sh", script);
    std::system(("sh " + tra_apici(base + ".sh")).c_str());
    fs::remove(base + ".sh");
    for (std::size_t i = 0; i < comandi.size(); ++i) {
        const std::string rc = leggi(base + "_" + std::to_string(i) + ".rc");
        if (!rc.empty()) esiti[i].stato = std::stoi(rc);
    }
#endif
    for (std::size_t i = 0; i < comandi.size(); ++i) {
        const std::string f = base + "_" + std::to_string(i);
        if (comandi[i].uscita.empty()) esiti[i].out = leggi(f + ".out");
        esiti[i].err = leggi(f + ".err");
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
