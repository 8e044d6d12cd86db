#include "simboli.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

namespace {

constexpr const char* colore_binario = "#37474f";
constexpr const char* colore_segnale = "#c62828";
constexpr const char* colore_rallentamento = "#ef6c00";
constexpr const char* colore_abbattimento = "#7b1fa2";
constexpr const char* colore_salita = "#d9825b";
constexpr const char* colore_discesa = "#4fa89b";
constexpr const char* colori_montagna[] = {"#8d6e63", "#5d4037", "#a1887f", "#3e2723", "#bcaaa4"};

}  // namespace

void simbolo_stazione(disegno_svg& svg, double x1, double x2, double x_fermata, double y) {
    svg.rettangolo(x1, y - 5, std::max(x2 - x1, 2.0), 10,
                   attributi().con("rx", 2).opacita_riempimento(0.3).riempimento(colore_stazione));
    svg.linea(x_fermata, y - 8, x_fermata, y + 8, attributi().spessore(2.5).tratto(colore_stazione));
}

void simbolo_segnale(disegno_svg& svg, double x, double y) {
    svg.linea(x, y + 8, x, y - 2, attributi().tratto(colore_binario).spessore(1.2));
    svg.cerchio(x, y - 4, 4, attributi().tratto("#ffffff").spessore(1).riempimento(colore_segnale));
}

void simbolo_rallentamento(disegno_svg& svg, double x1, double x2, double y, double altezza) {
    svg.rettangolo(x1, y - altezza / 2, x2 - x1, altezza,
                   attributi().opacita_riempimento(0.35).riempimento(colore_rallentamento));
    svg.linea(x1, y - altezza / 2, x1, y + altezza / 2, attributi().spessore(2).tratto(colore_rallentamento));
}

void simbolo_avviso(disegno_svg& svg, double x, double y) {
    svg.poligono({{x, y - 7}, {x - 6, y + 6}, {x + 6, y + 6}},
                 attributi().riempimento("#fff3e0").spessore(1.5).tratto(colore_rallentamento));
}

void simbolo_abbattimento(disegno_svg& svg, double x, double y, bool con_valore) {
    svg.poligono({{x, y - 6}, {x + 5, y}, {x, y + 6}, {x - 5, y}},
                 attributi().spessore(1.5).tratto(colore_abbattimento).riempimento(con_valore ? colore_abbattimento
                                                                                              : "#ffffff"));
}

const char* testo_su_montagna(int tipo) {
    // The two light fills take dark letters, the dark ones white.
    const std::size_t i = static_cast<std::size_t>(tipo) % std::size(colori_montagna);
    return i == 2 || i == 4 ? "#263238" : "#ffffff";
}

void segno_oltre_la_fine(disegno_svg& svg, double x, double y) {
    svg.rettangolo(x - 11, y - 10, 22, 20,
                   attributi().riempimento("none").tratto(colore_oltre).spessore(1.5).con("stroke-dasharray", "3,2"));
}

void simbolo_montagna(disegno_svg& svg, double x1, double x2, double y, double altezza, int tipo) {
    const char* colore = colori_montagna[static_cast<std::size_t>(tipo) % std::size(colori_montagna)];
    svg.rettangolo(x1, y - altezza / 2, x2 - x1, altezza, attributi().con("rx", 2).riempimento(colore));
}

void simbolo_pendenza(disegno_svg& svg, double x1, double x2, double y_livello, double y_pendenza, bool salita) {
    svg.rettangolo(x1, std::min(y_livello, y_pendenza), x2 - x1, std::abs(y_pendenza - y_livello),
                   attributi().riempimento(salita ? colore_salita : colore_discesa).opacita_riempimento(0.55));
}

void linea_velocita(disegno_svg& svg, const std::vector<std::pair<double, double>>& punti) {
    svg.polilinea(punti, attributi().riempimento("none").spessore(2.2).tratto(colore_velocita));
}

void linea_rallentamento(disegno_svg& svg, double x1, double x2, double y, int velocita) {
    svg.linea(x1, y, x2, y, attributi().spessore(3).con("stroke-dasharray", "6,3").tratto(colore_rallentamento));
    svg.testo(x1, y + 13, std::to_string(velocita), attributi().classe("piccolo alone").riempimento(colore_rallentamento));
}

void binario_in_pianta(disegno_svg& svg, const std::vector<std::pair<double, double>>& punti) {
    const auto binario = [](double spessore, const char* colore) {
        return attributi().riempimento("none").con("stroke-linejoin", "round").spessore(spessore).tratto(colore);
    };
    svg.polilinea(punti, binario(7, "#ffffff"));
    svg.polilinea(punti, binario(3, colore_binario));
}

void segnale_in_pianta(disegno_svg& svg, double x, double y) {
    svg.cerchio(x, y, 3.5, attributi().tratto("#ffffff").spessore(1.2).riempimento(colore_segnale));
}

void stazione_in_pianta(disegno_svg& svg, double x, double y) {
    svg.cerchio(x, y, 6, attributi().riempimento("#ffffff").spessore(2.5).tratto(colore_stazione));
}
