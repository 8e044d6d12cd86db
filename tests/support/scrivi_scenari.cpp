// Writes the sources of generated scenarios into a folder, so that the
// builds of other systems can compile them and be compared byte for byte:
//   scrivi_scenari DIR FIRST COUNT
// writes, for each seed from FIRST on, DIR/GenSEED_linea.txt and
// DIR/GenSEED_7-.txt, and one line "GenSEED J" per seed to standard output
// (J 0: the scenario is compiled without its plan).

#include <fstream>
#include <iostream>
#include <string>

#include "support/generatore_scenari.h"

namespace {

bool scrivi(const std::string& percorso, const std::string& byte) {
    std::ofstream f(percorso, std::ios::binary | std::ios::trunc);
    f.write(byte.data(), static_cast<std::streamsize>(byte.size()));
    return static_cast<bool>(f);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: scrivi_scenari DIR FIRST COUNT\n";
        return 1;
    }
    const std::string cartella = argv[1];
    const std::uint64_t primo = std::stoull(argv[2]);
    const std::uint64_t quanti = std::stoull(argv[3]);
    for (std::uint64_t seme = primo; seme < primo + quanti; ++seme) {
        const generatore::sorgenti_generate g = generatore::genera(seme);
        if (g.linea.empty()) continue;
        const std::string nome = "Gen" + std::to_string(seme);
        if (!scrivi(cartella + "/" + nome + "_linea.txt", g.linea) ||
            !scrivi(cartella + "/" + nome + "_7-.txt", g.treno)) {
            std::cerr << "error: cannot write the sources of " << nome << " into " << cartella << '\n';
            return 1;
        }
        std::cout << nome << ' ' << g.j << '\n';
    }
    return std::cout.flush() ? 0 : 1;
}
