// Writes the generated seeds of fuzz/corpus/: the embedded scenario's two
// sources joined as fuzz_compila reads them. The small fault cases beside
// them are written by hand.
//
//   genera_semi DIR   writes DIR/compila/*, DIR/lettura/* and DIR/strumento/*

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "compile/compilazione.h"
#include "driver/scrittore_testo.h"
#include "compile/sorgenti.h"
#include "output/file_binari.h"
#include "scenario/sorgenti_incorporate.h"

namespace {

void scrivi(const std::filesystem::path& percorso, const std::string& byte) {
    std::ofstream f(percorso, std::ios::binary | std::ios::trunc);
    f.write(byte.data(), static_cast<std::streamsize>(byte.size()));
    if (!f) {
        std::cerr << "cannot write " << percorso << '\n';
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: genera_semi DIR\n";
        return 2;
    }
    const std::filesystem::path semi_compila = std::filesystem::path(argv[1]) / "compila";
    std::filesystem::create_directories(semi_compila);

    const std::string linea = codifica_testo(righe_linea());
    const std::string treno = codifica_testo(righe_treno());
    scrivi(semi_compila / "incorporato", linea + '\0' + treno);
    scrivi(semi_compila / "incorporato_senza_treno", linea);

    // The same scenario cut to its first 5 km, with the rows that lie there.
    std::string corta;
    for (const std::string& riga : righe_linea()) {
        if (riga.find("45000") != std::string::npos) {
            corta += riga.substr(0, riga.find("45000")) + "5000\r\n";
            continue;
        }
        std::size_t virgola = riga.find(',');
        if (virgola != std::string::npos) {
            long posizione = std::atol(riga.c_str() + virgola + 1);
            if (posizione > 5000) continue;
        }
        corta += riga + "\r\n";
    }
    std::string treno_corto;
    for (const std::string& riga : righe_treno()) {
        std::size_t virgola = riga.find(',');
        if (virgola != std::string::npos && riga.find("orologio") == std::string::npos &&
            riga.find("vetture") == std::string::npos && riga.find("massa") == std::string::npos &&
            riga.find("sabbia") == std::string::npos && std::atol(riga.c_str() + virgola + 1) > 5000)
            continue;
        treno_corto += riga + "\r\n";
    }
    scrivi(semi_compila / "corto", corta + '\0' + treno_corto);

    // The scenario files, whole and cut short. The embedded route's plan is
    // 1 MB, so the plan seeds come from a route of 500 m in all.
    const std::filesystem::path lettura = std::filesystem::path(argv[1]) / "lettura";
    std::filesystem::create_directories(lettura);
    auto compila_scenario = [](const std::string& l, const std::string& t) {
        sorgenti_in_memoria sorgenti(l, t);
        return compila(nome_percorso_incorporato, numero_treno_incorporato, 1, sorgenti).modello;
    };
    const scenario intero = compila_scenario(linea, treno);
    const std::string voci = codifica_voci(intero.voci);
    const std::string celle = codifica_celle(intero.celle);
    const scenario breve = compila_scenario(
        "[generale]\r\nlunghezza percorso, -6500\r\n[curve]\r\ncurvas5,100,50\r\ncurvad2,200,100\r\n[fine]\r\n",
        "[generale]\r\n[fine]\r\n");
    const std::string planimetria = codifica_planimetria(breve.planimetria);
    scrivi(lettura / "voci.sim", voci);
    scrivi(lettura / "voci_troncato.sim", voci.substr(0, 16 + 40 * 34 + 5));
    scrivi(lettura / "celle.dat", celle);
    scrivi(lettura / "celle_troncato.dat", celle.substr(0, celle.size() - 1));
    scrivi(lettura / "planimetria_linea.dat", planimetria);
    scrivi(lettura / "planimetria_troncato_linea.dat", planimetria.substr(0, planimetria.size() / 2 + 3));

    // fuzz_strumento: a command byte (0 cells, 1 records, 2 plan, 3 plot) and
    // a form byte (0 text, 1 --all, 2 --json), then the file; for plot the
    // record table, the cell track and the plan between separators.
    const std::filesystem::path strumento = std::filesystem::path(argv[1]) / "strumento";
    std::filesystem::create_directories(strumento);
    const std::string separatore = "\n@@\n";
    const char* const forme[] = {"testo", "tutto", "json"};
    for (char forma = 0; forma < 3; ++forma) {
        const std::string f = forme[static_cast<int>(forma)];
        scrivi(strumento / ("celle_" + f), std::string{'\0', forma} + celle);
        scrivi(strumento / ("voci_" + f), std::string{'\1', forma} + voci);
        scrivi(strumento / ("planimetria_" + f), std::string{'\2', forma} + planimetria);
    }
    scrivi(strumento / "celle_troncato", std::string{'\0', '\0'} + celle.substr(0, celle.size() - 1));
    scrivi(strumento / "voci_troncato", std::string{'\1', '\0'} + voci.substr(0, 16 + 40 * 34 + 5));
    scrivi(strumento / "plot_senza_pianta", std::string{'\3', '\0'} + voci + separatore + celle);
    const std::string voci_breve = codifica_voci(breve.voci);
    const std::string celle_breve = codifica_celle(breve.celle);
    scrivi(strumento / "plot_breve",
           std::string{'\3', '\0'} + voci_breve + separatore + celle_breve + separatore + planimetria);
    return 0;
}
