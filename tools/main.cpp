#include <iostream>
#include <string>
#include <vector>

#include "driver/programma.h"
#include "strumento.h"

int main(int argc, char** argv) {
    try {
        std::vector<std::string> argomenti(argv + (argc > 0 ? 1 : 0), argv + argc);
        auto p = crea_piattaforma_locale();
        return scenario_tool_main(argomenti, *p, std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << '\n';
        return uscita_guasto;
    }
}
