#include <cstdio>
#include <filesystem>

#include "comandi.h"
#include "driver/percorso_utf8.h"
#include "driver/programma.h"
#include "driver/windows1252.h"
#include "json.h"
#include "model/campi.h"
#include "output/lettura_binari.h"
#include "reader/ascii.h"

namespace {

enum class tipo_file { planimetria, voci, celle };

// The kind is told by the name, as the builder names the files.
tipo_file tipo_dal_nome(const std::string& percorso) {
    const std::string nome = minuscolo_ascii(testo_utf8(percorso_utf8(percorso).filename()));
    auto finisce = [&](std::string_view coda) { return nome.size() >= coda.size() && nome.ends_with(coda); };
    if (finisce("_linea.dat")) return tipo_file::planimetria;
    if (finisce(".sim")) return tipo_file::voci;
    if (finisce(".dat")) return tipo_file::celle;
    throw errore_uso("cannot tell the kind of " + percorso +
                     " from its name: a plan ends in _linea.dat, a record table in .sim, a cell track in .dat");
}

std::string fisso(double v, int decimali) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimali, v);
    return buffer;
}

// --- cell track -------------------------------------------------------------

// A field shown as "name value", the value in a column of its own.
template <typename T>
std::string campo_testo(const char* nome, const T& v) {
    char riga[64];
    std::snprintf(riga, sizeof riga, "  %s %6lld", nome, static_cast<long long>(v));
    return riga;
}

struct campo_tratto {
    const char* nome;
    const char* significato;
    std::uint8_t cella::*campo;
    std::string (*mostra)(int);
};

const campo_tratto campi_tratto[] = {
    {"velocita", "line speed limit, value x 5 km/h", &cella::velocita,
     [](int v) { return std::to_string(v) + " = " + std::to_string(v * 5) + " km/h"; }},
    {"pendenza", "gradient + 100, per mille", &cella::pendenza,
     [](int v) { return std::to_string(v) + " = " + (v >= 100 ? "+" : "") + std::to_string(v - 100) + " per mille"; }},
    {"aderenza", "adhesion", &cella::aderenza, [](int v) { return std::to_string(v); }},
    {"montagna", "mountain or tunnel kind, 0 = none", &cella::montagna, [](int v) { return std::to_string(v); }},
};

void testo_celle(const std::string& percorso, const std::vector<cella>& celle, bool tutte, std::ostream& out) {
    out << percorso << ": cell track, " << celle.size() << " cells";
    if (!celle.empty()) out << " (0 to " << celle.size() - 1 << ")";
    out << ", 15 bytes each; cell i begins at metre 50 x i\n";

    for (const campo_tratto& f : campi_tratto) {
        out << '\n' << f.nome << " (" << f.significato << "), in stretches:\n";
        for (std::size_t inizio = 0; inizio < celle.size();) {
            std::size_t fine = inizio;
            while (fine + 1 < celle.size() && celle[fine + 1].*f.campo == celle[inizio].*f.campo) ++fine;
            char riga[128];
            std::snprintf(riga, sizeof riga, "  cells %5zu to %5zu  (%8zu to %8zu m)  ", inizio, fine, 50 * inizio,
                          50 * (fine + 1));
            out << riga << f.mostra(celle[inizio].*f.campo) << '\n';
            inizio = fine + 1;
        }
    }

    out << '\n' << (tutte ? "every cell:\n" : "cells that hold anything else (--all shows every cell):\n");
    auto in_tratti = [](std::string_view nome) {
        for (const campo_tratto& f : campi_tratto)
            if (nome == f.nome) return true;
        return false;
    };
    for (std::size_t i = 0; i < celle.size(); ++i) {
        std::string riga;
        bool occupata = false;
        campi_cella(celle[i], [&](const char* nome, const auto& v) {
            if (!tutte && in_tratti(nome)) return;
            occupata = occupata || v != 0;
            riga += campo_testo(nome, v);
            if (std::string_view(nome) == "oggetto") riga.append(" ").append(nome_oggetto(celle[i].oggetto));
        });
        if (!tutte && !occupata) continue;
        char inizio[48];
        std::snprintf(inizio, sizeof inizio, "  cell %5zu %8zu m", i, 50 * i);
        out << inizio << riga << '\n';
    }
}

void json_celle(const std::string& percorso, const std::vector<cella>& celle, std::ostream& out) {
    scrittore_json j(out);
    j.apri_oggetto().campo("file", percorso).campo("tipo", "celle").campo("numero_celle", celle.size());
    j.chiave("celle").apri_lista();
    for (std::size_t i = 0; i < celle.size(); ++i) {
        j.apri_oggetto().campo("indice", i);
        campi_cella(celle[i], [&](const char* nome, const auto& v) { j.campo(nome, v); });
        j.chiudi_oggetto();
    }
    j.chiudi_lista().chiudi_oggetto();
}

// --- record table -----------------------------------------------------------

const char* ruolo_voce(std::size_t slot) {
    switch (slot) {
        case 0: return "unused";
        case voce_progressiva_tre:
        case voce_progressiva_due:
        case voce_progressiva_uno: return "kilometric progressive";
        case voce_treno_dati: return "braked mass, route length, cars";
        case voce_percorso: return "route header";
        case voce_treno: return "train header";
        default: return "station or indication text";
    }
}

void testo_voci(const std::string& percorso, const std::array<voce, numero_voci>& voci, bool tutte, std::ostream& out) {
    out << percorso << ": record table, 87 records (slots 0 to 86)\n";
    std::string vuote;
    for (std::size_t k = 0; k < voci.size(); ++k) {
        const voce& v = voci[k];
        if (!tutte && v == voce{}) {
            std::size_t fine = k;
            while (fine + 1 < voci.size() && voci[fine + 1] == voce{}) ++fine;
            if (!vuote.empty()) vuote += ", ";
            vuote += std::to_string(k);
            if (fine > k) vuote.append("-").append(std::to_string(fine));
            k = fine;
            continue;
        }
        out << "\nslot " << k << " (" << ruolo_voce(k) << ")\n";
        campi_voce(v, [&](const char* nome, const auto& campo) {
            if constexpr (std::is_same_v<std::decay_t<decltype(campo)>, std::string>)
                out << "  " << nome << ' ' << testo_json(windows1252_a_utf8(campo)) << '\n';
            else
                out << campo_testo(nome, campo);
        });
        if (k >= 1 && k <= prima_voce_testo && v.orario >= 0) {
            char ora[32];
            std::snprintf(ora, sizeof ora, " (%02d:%02d:%02d)", v.orario / 3600, v.orario / 60 % 60, v.orario % 60);
            out << ora;
        }
        out << '\n';
    }
    if (!vuote.empty()) out << "\nempty slots (--all shows them): " << vuote << '\n';
}

void json_voci(const std::string& percorso, const std::array<voce, numero_voci>& voci, std::ostream& out) {
    scrittore_json j(out);
    j.apri_oggetto().campo("file", percorso).campo("tipo", "voci");
    j.chiave("voci").apri_lista();
    for (std::size_t k = 0; k < voci.size(); ++k) {
        j.apri_oggetto().campo("slot", k);
        campi_voce(voci[k], [&](const char* nome, const auto& campo) {
            if constexpr (std::is_same_v<std::decay_t<decltype(campo)>, std::string>)
                j.campo(nome, windows1252_a_utf8(campo));
            else
                j.campo(nome, campo);
        });
        j.chiudi_oggetto();
    }
    j.chiudi_lista().chiudi_oggetto();
}

// --- plan -------------------------------------------------------------------

constexpr std::int64_t passo_testo_planimetria = 100;

std::string mostra_elemento(const valore_planimetria& e) {
    switch (e.etichetta) {
        case valore_planimetria::tipo::vuoto: return "(empty)";
        case valore_planimetria::tipo::intero: return std::to_string(e.intero) + " (16-bit)";
        case valore_planimetria::tipo::reale: return fisso(e.reale, 3);
    }
    return "";
}

void testo_planimetria(const std::string& percorso, const planimetria_percorso& pl, bool tutte, std::ostream& out) {
    std::int64_t pieni = 0;
    std::int64_t ultimo = -1;
    for (std::int64_t m = 0; m < pl.metri; ++m)
        if (pl(m, 0).etichetta != valore_planimetria::tipo::vuoto &&
            pl(m, 1).etichetta != valore_planimetria::tipo::vuoto) {
            ++pieni;
            ultimo = m;
        }
    out << percorso << ": plan, " << pl.metri << " metres";
    if (pl.metri > 0) out << " (0 to " << pl.metri - 1 << ")";
    out << ", " << pieni << " of them with both coordinates\n"
        << (tutte ? "every metre:\n" : "every 100th metre and the last drawn one (--all shows every metre):\n");
    char riga[160];
    std::snprintf(riga, sizeof riga, "  %8s  %24s  %24s\n", "metre", "coordinata 0", "coordinata 1");
    out << riga;
    for (std::int64_t m = 0; m < pl.metri; ++m) {
        if (!tutte && m % passo_testo_planimetria != 0 && m != ultimo) continue;
        std::snprintf(riga, sizeof riga, "  %8lld  %24s  %24s\n", static_cast<long long>(m),
                      mostra_elemento(pl(m, 0)).c_str(), mostra_elemento(pl(m, 1)).c_str());
        out << riga;
    }
}

void json_planimetria(const std::string& percorso, const planimetria_percorso& pl, std::ostream& out) {
    scrittore_json j(out);
    j.apri_oggetto().campo("file", percorso).campo("tipo", "planimetria").campo("metri", pl.metri);
    for (int coordinata = 0; coordinata < 2; ++coordinata) {
        j.chiave(coordinata == 0 ? "coordinata_0" : "coordinata_1").apri_lista();
        for (std::int64_t m = 0; m < pl.metri; ++m) {
            const valore_planimetria& e = pl(m, coordinata);
            j.apri_oggetto().campo("etichetta", static_cast<std::uint16_t>(e.etichetta)).chiave("valore");
            switch (e.etichetta) {
                case valore_planimetria::tipo::vuoto: j.nullo(); break;
                case valore_planimetria::tipo::intero: j.intero(e.intero); break;
                case valore_planimetria::tipo::reale: j.reale(e.reale); break;
            }
            j.chiudi_oggetto();
        }
        j.chiudi_lista();
    }
    j.chiudi_oggetto();
}

}  // namespace

int comando_dump(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream&) {
    const riga_comando r = analizza_argomenti(argomenti, {}, {"--json", "--all"});
    if (r.posizionali.size() != 1) throw errore_uso("dump takes one file");
    const std::string& percorso = r.posizionali.front();
    const bool json = r.ha("--json");
    const bool tutte = r.ha("--all");

    switch (tipo_dal_nome(percorso)) {
        case tipo_file::celle: {
            auto celle = leggi_file_scenario(p, percorso, decodifica_celle);
            json ? json_celle(percorso, celle, out) : testo_celle(percorso, celle, tutte, out);
            break;
        }
        case tipo_file::voci: {
            auto voci = leggi_file_scenario(p, percorso, decodifica_voci);
            json ? json_voci(percorso, voci, out) : testo_voci(percorso, voci, tutte, out);
            break;
        }
        case tipo_file::planimetria: {
            auto planimetria = leggi_file_scenario(p, percorso, decodifica_planimetria);
            json ? json_planimetria(percorso, planimetria, out) : testo_planimetria(percorso, planimetria, tutte, out);
            break;
        }
    }
    return uscita_ok;
}
