#pragma once

#include <utility>
#include <vector>

#include "svg.h"

// The marks of the picture, each drawn by one function for its lane and for
// the legend alike. y is the middle of the mark.

void simbolo_stazione(disegno_svg& svg, double x1, double x2, double x_fermata, double y);
void simbolo_segnale(disegno_svg& svg, double x, double y);
void simbolo_rallentamento(disegno_svg& svg, double x1, double x2, double y, double altezza);
void simbolo_avviso(disegno_svg& svg, double x, double y);
void simbolo_abbattimento(disegno_svg& svg, double x, double y, bool con_valore);
void simbolo_montagna(disegno_svg& svg, double x1, double x2, double y, double altezza, int tipo);

// A stretch of gradient between the level line and the gradient's line:
// uphill and downhill in their colours.
void simbolo_pendenza(disegno_svg& svg, double x1, double x2, double y_livello, double y_pendenza, bool salita);

void linea_velocita(disegno_svg& svg, const std::vector<std::pair<double, double>>& punti);

// A restriction's speed and its label in the speed panel.
void linea_rallentamento(disegno_svg& svg, double x1, double x2, double y, int velocita);

// On the track plan.
void binario_in_pianta(disegno_svg& svg, const std::vector<std::pair<double, double>>& punti);
void segnale_in_pianta(disegno_svg& svg, double x, double y);
void stazione_in_pianta(disegno_svg& svg, double x, double y);

// The colour of a label written on a mountain stretch of this kind.
const char* testo_su_montagna(int tipo);

// The flag of an object past the route's end, drawn where the end is.
void segno_oltre_la_fine(disegno_svg& svg, double x, double y);

inline constexpr const char* colore_oltre = "#b71c1c";
inline constexpr const char* colore_stazione = "#1e5aa8";
inline constexpr const char* colore_velocita = "#1565c0";
