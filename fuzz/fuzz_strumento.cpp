// Arbitrary bytes to scenario_tool dump (text, --all, --json), plot and view,
// run in-process on the in-memory platform. The first byte picks the command
// (cell track, record table or plan for dump, or plot), the second the dump's
// form (for plot, 1 makes it view's page instead); the rest is the file. For
// plot and view the rest is the record table, the cell track and, when there
// is one, the plan, split at the separator below.
//
// Each run must end in status 0 with its output (valid JSON for --json, one
// picture or page, whose data are valid JSON, and one "wrote" line for plot
// and view) and nothing on standard error, or in
// status 1 with one "error: " line and no output file; no temporary file may
// be left; anything else aborts.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "driver/sostituzione_file.h"
#include "strumento.h"
#include "support/piattaforma_memoria.h"

namespace {

constexpr std::string_view separatore = "\n@@\n";
const std::string cartella = "/memoria/d";

[[noreturn]] void violazione(const char* cosa, const std::string& dettaglio) {
    std::fprintf(stderr, "fuzz_strumento: %s\n%s\n", cosa, dettaglio.c_str());
    std::abort();
}

int conta_righe(const std::string& t) {
    int n = 0;
    for (char c : t) n += c == '\n';
    return n;
}

// The JSON island of view's page.
std::string dati_pagina(const std::string& html) {
    const std::string inizio = R"(<script type="application/json" id="dati">)";
    const std::size_t a = html.find(inizio);
    if (a == std::string::npos) violazione("the page has no data", "");
    const std::size_t b = html.find("</script>", a);
    return html.substr(a + inizio.size(), b - a - inizio.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    if (dimensione < 2) return 0;
    const int comando = dati[0] % 4;
    const int forma = dati[1] % 3;
    const std::string_view resto(reinterpret_cast<const char*>(dati) + 2, dimensione - 2);

    piattaforma_memoria p;
    std::vector<std::string> argomenti;
    std::string svg;
    if (comando < 3) {
        static const char* const nomi[] = {"R_1.dat", "R_1.sim", "R_linea.dat"};
        const std::string percorso = cartella + "/" + nomi[comando];
        p.file[percorso] = std::string(resto);
        argomenti = {"dump", percorso};
        if (forma == 1) argomenti.push_back("--all");
        if (forma == 2) argomenti.push_back("--json");
    } else {
        std::vector<std::string> parti;
        std::string_view r = resto;
        for (;;) {
            const auto dove = r.find(separatore);
            if (dove == std::string_view::npos || parti.size() == 2) {
                parti.emplace_back(r);
                break;
            }
            parti.emplace_back(r.substr(0, dove));
            r.remove_prefix(dove + separatore.size());
        }
        const char* const nomi[] = {"R_1.sim", "R_1.dat", "R_linea.dat"};
        for (std::size_t i = 0; i < parti.size(); ++i) p.file[cartella + "/" + nomi[i]] = parti[i];
        if (forma == 1) {
            svg = cartella + "/R_1.html";
            argomenti = {"view", "--route", "R", "--train", "1", "--dir", cartella, "--out", svg};
        } else {
            svg = cartella + "/R_1.svg";
            argomenti = {"plot", "--route", "R", "--train", "1", "--dir", cartella};
        }
    }
    const auto prima = p.file;

    std::ostringstream out, err;
    const int stato = scenario_tool_main(argomenti, p, out, err);

    for (const auto& [percorso, byte] : p.file)
        if (bersaglio_temporaneo(percorso.substr(percorso.rfind('/') + 1))) violazione("a temporary file was left", percorso);
    if (stato == 0) {
        if (!err.str().empty()) violazione("status 0 with a diagnostic", err.str());
        if (comando < 3) {
            if (out.str().empty()) violazione("status 0 and no output", "");
            if (forma == 2) {
                if (!nlohmann::json::accept(out.str())) violazione("--json printed what is not JSON", "");
            }
            if (p.file != prima) violazione("dump changed a file", "");
        } else {
            if (out.str() != "wrote " + svg + "\n") violazione("plot's output line", out.str());
            const auto it = p.file.find(svg);
            if (it == p.file.end()) violazione("plot wrote no picture", "");
            if (forma == 1) {
                if (!nlohmann::json::accept(dati_pagina(it->second))) violazione("the page's data are not JSON", "");
            } else if (!it->second.starts_with("<?xml") && !it->second.starts_with("<svg")) {
                violazione("the picture is no SVG", it->second.substr(0, 80));
            }
            if (p.file.size() != prima.size() + 1) violazione("plot touched another file", "");
        }
    } else if (stato == 1) {
        if (conta_righe(err.str()) != 1 || !err.str().starts_with("error: "))
            violazione("status 1 without one error line", err.str());
        if (p.file != prima) violazione("a failed run changed the files", err.str());
    } else {
        violazione("a status other than 0 and 1", std::to_string(stato));
    }
    return 0;
}
