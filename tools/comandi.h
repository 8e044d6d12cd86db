#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "driver/limiti_file.h"
#include "driver/piattaforma.h"
#include "output/lettura_binari.h"

// A command line that does not fit its command: the message, then the usage.
class errore_uso : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A failure the user must hear about in one line, with the exit status 1.
class errore_strumento : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The options of one command, once parsed.
struct riga_comando {
    std::map<std::string, std::string, std::less<>> valori;
    std::set<std::string, std::less<>> segnali;
    std::vector<std::string> posizionali;

    // The value of an option that must be given.
    const std::string& richiesto(std::string_view opzione) const;
    std::string valore(std::string_view opzione, std::string predefinito) const;
    bool ha(std::string_view opzione) const { return segnali.count(opzione) != 0; }
};

// Splits the arguments after the command's name: options that take a value,
// options that stand alone, and everything else in order. Throws errore_uso
// on an unknown option, a missing value or an option given twice.
riga_comando analizza_argomenti(const std::vector<std::string>& argomenti, std::initializer_list<std::string_view> con_valore,
                                std::initializer_list<std::string_view> senza_valore);

// Why a route name and train number cannot name a scenario's files, or
// nothing when they can: each 1 to 64 of ASCII letters, digits, '_', '-' and
// '.', not beginning with '.', and no two of the eight names equal ignoring
// case.
std::optional<std::string> controlla_nomi(const std::string& nome_percorso, const std::string& numero_treno);

// Whether two paths lead to the same file, ignoring case (so that a file
// system that ignores it is covered too).
bool stesso_file(const std::string& a, const std::string& b);

// A source file's text, or nothing after one "error: cannot read ..." line.
std::optional<std::string> leggi_sorgente(piattaforma& p, const std::string& percorso, const char* che,
                                          std::ostream& err);

// Reads a scenario file through the platform and decodes it; a file that
// does not decode is an errore_strumento naming it and the offset.
template <typename F>
auto leggi_file_scenario(piattaforma& p, const std::string& percorso, F decodifica) {
    const std::string byte = p.leggi_file(percorso, limite_scenario(decodifica));
    try {
        return decodifica(byte);
    } catch (const errore_lettura& e) {
        throw errore_strumento(percorso + ": " + e.what());
    }
}

int comando_sources(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err);
int comando_compile(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err);
int comando_check(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err);
int comando_dump(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err);
int comando_decompile(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err);
int comando_view(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err);
int comando_watch(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err);
int comando_plot(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err);
