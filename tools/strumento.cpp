#include "strumento.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "comandi.h"
#include "driver/nomi_file.h"
#include "driver/percorso_utf8.h"
#include "driver/programma.h"
#include "json.h"
#include "output/lettura_binari.h"
#include "reader/ascii.h"

namespace {

constexpr std::size_t lunghezza_massima_nome = 64;

struct uso_comando {
    std::string_view nome;
    std::string_view riga;
};

// Every option also takes the form --option=value; after "--" nothing is an option.
constexpr uso_comando usi[] = {
    {"sources", "  scenario_tool sources [--out DIR] [--force]\n"},
    {"compile",
     "  scenario_tool compile --line FILE --train-source FILE --route NAME --train NUMBER [--out DIR] [--no-plan]"
     " [--strict]\n"},
    {"check",
     "  scenario_tool check --line FILE --train-source FILE [--route NAME --train NUMBER] [--strict] [--json]\n"},
    {"dump", "  scenario_tool dump FILE [--json] [--all]\n"},
    {"plot", "  scenario_tool plot --route NAME --train NUMBER [--dir DIR] [--out FILE.svg]\n"},
    {"view",
     "  scenario_tool view --route NAME --train NUMBER [--dir DIR | --line FILE --train-source FILE]"
     " [--out FILE.html]\n"},
    {"watch", "  scenario_tool watch --line FILE --train-source FILE --route NAME --train NUMBER [--out DIR]\n"},
    {"decompile", "  scenario_tool decompile --route NAME --train NUMBER [--dir DIR] [--out DIR] [--force]\n"},
};

void scrivi_uso(std::ostream& o) {
    o << "usage:\n";
    for (const uso_comando& u : usi) o << u.riga;
}

// The usage of the command asked for, or null for an unknown command.
const uso_comando* uso_di(std::string_view comando) {
    for (const uso_comando& u : usi)
        if (u.nome == comando) return &u;
    return nullptr;
}

// Whether the arguments ask for the command's usage rather than for the command.
bool chiede_aiuto(const std::vector<std::string>& argomenti) {
    for (const std::string& a : argomenti) {
        if (a == "--") return false;
        if (a == "--help" || a == "-h") return true;
    }
    return false;
}

bool carattere_ammesso(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
           c == '.';
}

std::optional<std::string> controlla_nome(const std::string& nome, const char* che) {
    const std::string chi = std::string("the ") + che + " " + testo_json(nome);
    if (nome.empty()) return std::string("the ") + che + " is empty";
    if (nome.size() > lunghezza_massima_nome)
        return chi + " has " + std::to_string(nome.size()) + " characters; at most 64 are allowed";
    if (nome.front() == '.') return chi + " begins with '.'";
    for (char c : nome) {
        if (carattere_ammesso(c)) continue;
        const auto u = static_cast<unsigned char>(c);
        const std::string mostrato = u >= 0x20 && u < 0x7F ? std::string("'") + c + "'" : "byte " + std::to_string(u);
        return chi + " holds " + mostrato + "; only ASCII letters, digits, '_', '-' and '.' are allowed";
    }
    return std::nullopt;
}

}  // namespace

const std::string& riga_comando::richiesto(std::string_view opzione) const {
    auto it = valori.find(opzione);
    if (it == valori.end()) throw errore_uso(std::string(opzione) + " is required");
    return it->second;
}

std::string riga_comando::valore(std::string_view opzione, std::string predefinito) const {
    auto it = valori.find(opzione);
    return it == valori.end() ? predefinito : it->second;
}

riga_comando analizza_argomenti(const std::vector<std::string>& argomenti, std::initializer_list<std::string_view> con_valore,
                                std::initializer_list<std::string_view> senza_valore) {
    auto tra = [](std::initializer_list<std::string_view> elenco, const std::string& a) {
        return std::find(elenco.begin(), elenco.end(), a) != elenco.end();
    };
    riga_comando r;
    for (std::size_t i = 0; i < argomenti.size(); ++i) {
        const std::string& a = argomenti[i];
        if (a == "--") {
            r.posizionali.insert(r.posizionali.end(), argomenti.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                 argomenti.end());
            break;
        }
        const std::size_t uguale = a.find('=');
        if (a.rfind("--", 0) == 0 && uguale != std::string::npos) {
            const std::string nome = a.substr(0, uguale);
            if (tra(senza_valore, nome)) throw errore_uso(nome + " takes no value");
            if (!tra(con_valore, nome)) throw errore_uso("unknown option " + nome);
            if (!r.valori.emplace(nome, a.substr(uguale + 1)).second) throw errore_uso(nome + " is given twice");
        } else if (tra(con_valore, a)) {
            if (i + 1 >= argomenti.size()) throw errore_uso(a + " needs a value");
            if (!r.valori.emplace(a, argomenti[++i]).second) throw errore_uso(a + " is given twice");
        } else if (tra(senza_valore, a)) {
            if (!r.segnali.insert(a).second) throw errore_uso(a + " is given twice");
        } else if (a.size() > 1 && a.front() == '-') {
            throw errore_uso("unknown option " + a);
        } else {
            r.posizionali.push_back(a);
        }
    }
    return r;
}

std::optional<std::string> controlla_nomi(const std::string& nome_percorso, const std::string& numero_treno) {
    if (auto e = controlla_nome(nome_percorso, "route name")) return e;
    if (auto e = controlla_nome(numero_treno, "train number")) return e;
    const nomi_file n = nomi_scenario(nome_percorso, numero_treno);
    const std::string tutti[] = {n.sorgente_linea, n.sorgente_treno, n.note,  n.rallentamenti,
                                 n.scheda,         n.planimetria,    n.voci,  n.celle};
    for (std::size_t i = 0; i < std::size(tutti); ++i)
        for (std::size_t k = i + 1; k < std::size(tutti); ++k)
            if (minuscolo_ascii(tutti[i]) == minuscolo_ascii(tutti[k]))
                return "the route name \"" + nome_percorso + "\" with the train number \"" + numero_treno +
                       "\" gives two of the scenario's files the same name (" + tutti[i] + " and " + tutti[k] +
                       "), and one would overwrite the other";
    return std::nullopt;
}

bool stesso_file(const std::string& a, const std::string& b) {
    auto normale = [](const std::string& percorso) {
        std::error_code ec;
        std::filesystem::path assoluto = std::filesystem::absolute(percorso_utf8(percorso), ec);
        if (ec) assoluto = percorso_utf8(percorso);
        std::filesystem::path canonico = std::filesystem::weakly_canonical(assoluto, ec);
        return minuscolo_ascii(testo_utf8(ec ? assoluto.lexically_normal() : canonico));
    };
    return normale(a) == normale(b);
}

std::optional<std::string> leggi_sorgente(piattaforma& p, const std::string& percorso, const char* che,
                                          std::ostream& err) {
    try {
        return p.leggi_file(percorso, limite_sorgente);
    } catch (const errore_file& e) {
        err << "error: cannot read the " << che << " source " << percorso << ": " << e.motivo << '\n';
        return std::nullopt;
    }
}

namespace {

int esegui_comando(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err) {
    if (argomenti.empty()) {
        scrivi_uso(err);
        return uscita_guasto;
    }
    const std::string& comando = argomenti.front();
    const std::vector<std::string> resto(argomenti.begin() + 1, argomenti.end());
    if (const uso_comando* u = uso_di(comando); u && chiede_aiuto(resto)) {
        out << "usage:\n" << u->riga;
        return uscita_ok;
    }
    try {
        if (comando == "sources") return comando_sources(resto, p, out, err);
        if (comando == "compile") return comando_compile(resto, p, out, err);
        if (comando == "check") return comando_check(resto, p, out, err);
        if (comando == "dump") return comando_dump(resto, p, out, err);
        if (comando == "plot") return comando_plot(resto, p, out, err);
        if (comando == "view") return comando_view(resto, p, out, err);
        if (comando == "watch") return comando_watch(resto, p, out, err);
        if (comando == "decompile") return comando_decompile(resto, p, out, err);
        if (comando == "help" || comando == "--help" || comando == "-h") {
            scrivi_uso(out);
            return uscita_ok;
        }
        throw errore_uso("unknown command " + comando);
    } catch (const errore_uso& e) {
        err << "error: " << e.what() << '\n';
        scrivi_uso(err);
    } catch (const std::exception& e) {
        // errore_file, errore_strumento, and anything unforeseen: one line.
        err << "error: " << e.what() << '\n';
    }
    return uscita_guasto;
}

}  // namespace

int scenario_tool_main(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err) {
    const int stato = esegui_comando(argomenti, p, out, err);
    // Output that did not all land is a failure, whatever the command said.
    if (!out.flush()) {
        err << "error: cannot write the standard output: a write failed or was cut short, so what was printed is "
               "incomplete\n";
        return uscita_guasto;
    }
    if (!err.flush()) return uscita_guasto;
    return stato;
}
