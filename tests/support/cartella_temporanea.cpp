#include "support/cartella_temporanea.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

cartella_temporanea::cartella_temporanea() {
    std::random_device casuale;
    const auto base = std::filesystem::temp_directory_path();
    for (int tentativo = 0; tentativo < 100; ++tentativo) {
        auto candidato = base / ("scenario-prova-" + std::to_string(casuale()));
        if (std::filesystem::create_directory(candidato)) {
            percorso_ = candidato;
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

cartella_temporanea::~cartella_temporanea() {
    std::error_code ec;
    std::filesystem::remove_all(percorso_, ec);
}

std::string leggi(const std::filesystem::path& percorso) {
    std::ifstream f(percorso, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

std::map<std::string, std::string> contenuto_cartella(const std::filesystem::path& cartella) {
    std::map<std::string, std::string> file;
    for (const auto& voce : std::filesystem::directory_iterator(cartella))
        if (voce.is_regular_file()) file[voce.path().filename().string()] = leggi(voce.path());
    return file;
}

void scrivi_file(const std::filesystem::path& percorso, const std::string& byte) {
    std::ofstream f(percorso, std::ios::binary | std::ios::trunc);
    f.write(byte.data(), static_cast<std::streamsize>(byte.size()));
    if (!f) throw std::runtime_error("cannot write " + percorso.string());
}
