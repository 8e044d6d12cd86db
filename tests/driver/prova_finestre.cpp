// The builder's wait window and box through the real platform, held for the
// tests that look at them through the window system:
//   prova_finestre attesa          the wait window, until standard input ends
//   prova_finestre errore NUMERO   the box of that error, until it is closed

#include <iostream>
#include <string>
#include <vector>

#include "driver/form_load.h"
#include "driver/piattaforma.h"

int main(int argc, char** argv) {
    const std::vector<std::string> a(argv + (argc > 0 ? 1 : 0), argv + argc);
    auto p = crea_piattaforma_locale();
    if (a.size() == 1 && a[0] == "attesa") {
        p->mostra_attesa("Attendere");
        std::cout << "shown" << std::endl;
        for (std::string riga; std::getline(std::cin, riga);) {
        }
        return 0;
    }
    if (a.size() == 2 && a[0] == "errore") {
        p->messaggio(errore(a[1]));
        return 0;
    }
    std::cerr << "usage: prova_finestre attesa | prova_finestre errore NUMBER\n";
    return 2;
}
