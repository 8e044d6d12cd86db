#include <iostream>

#include "driver/programma.h"

int main() {
    try {
        auto p = crea_piattaforma_locale();
        return esegui_builder(*p, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << '\n';
        return uscita_guasto;
    }
}
