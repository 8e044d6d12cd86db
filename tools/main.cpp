#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "driver/avvio.h"
#include "driver/programma.h"
#include "strumento.h"

int main(int argc, char** argv) {
    int stato = uscita_guasto;
    try {
        const std::vector<std::string> argomenti = avvia_programma(argc, argv);
        auto p = crea_piattaforma_locale();
        stato = scenario_tool_main(argomenti, *p, std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << '\n';
        stato = uscita_guasto;
    }
    // scenario_tool_main checked the streams; the C streams beneath them too.
    if ((std::fflush(stdout) != 0 || std::ferror(stdout) != 0) && stato != uscita_guasto) {
        std::cerr << "error: cannot write the standard output: a write failed or was cut short, so what was printed "
                     "is incomplete\n";
        stato = uscita_guasto;
    }
    if (!std::cerr.flush() || std::fflush(stderr) != 0 || std::ferror(stderr) != 0) stato = uscita_guasto;
    return stato;
}
