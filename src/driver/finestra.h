#pragma once

// The wait window and the message box, drawn by the system's own windows
// where it has any; one implementation per system.

#include <iostream>
#include <memory>
#include <string>

#include "driver/piattaforma.h"
#include "scenario/sorgenti_incorporate.h"

// Lengths in twips, 1440 to the inch.
inline constexpr int twip_per_pollice = 1440;

struct rettangolo_twip {
    int sinistra;
    int alto;
    int larghezza;
    int altezza;
};

// The wait window's client area and its one label.
inline constexpr int larghezza_attesa_twip = 4200;
inline constexpr int altezza_attesa_twip = 2688;
inline constexpr rettangolo_twip etichetta_attesa_twip{960, 960, 2652, 792};
inline constexpr const char* carattere_etichetta = "MS Sans Serif";
inline constexpr int punti_etichetta = 24;  // bold

// Twips to whole pixels at `dpi` dots per inch, to the nearest, halves up:
// at 96 dpi 2688 twips are 179.2 pixels, so 179, and 2652 are 176.8, so 177.
constexpr int pixel_da_twip(int twip, int dpi) { return (twip * dpi + twip_per_pollice / 2) / twip_per_pollice; }
// Points (72 to the inch) to pixels, the same way.
constexpr int pixel_da_punti(int punti, int dpi) { return (punti * dpi + 36) / 72; }

// The wait window's title names the scenario it waits for; the box has the
// program's own.
inline std::string titolo_attesa() { return nome_percorso_incorporato + " " + numero_treno_incorporato; }
inline constexpr const char* titolo_programma = "scenario_builder";

// The wait window, open while the object lives.
class finestra_attesa {
public:
    virtual ~finestra_attesa() = default;
};

// Opens the wait window with its label and paints it before returning;
// nullptr where the system has no display to show it on.
std::unique_ptr<finestra_attesa> apri_attesa(const std::string& titolo, const std::string& etichetta);

// The modal box with the text and one OK button; returns once it is closed,
// or at once where no box can be shown.
void mostra_riquadro(const std::string& titolo, const std::string& testo);

// The wait window and the box as every system's platform shows them: each
// speaks on standard error too, whether a window or box is shown or not.
class piattaforma_con_finestre : public piattaforma {
public:
    void mostra_attesa(const std::string& etichetta) override {
        std::cerr << etichetta << std::endl;
        attesa_ = apri_attesa(titolo_attesa(), etichetta);
    }
    void messaggio(const std::string& testo) override {
        std::cerr << testo << std::endl;
        mostra_riquadro(titolo_programma, testo);
    }

private:
    // Open until the program ends.
    std::unique_ptr<finestra_attesa> attesa_;
};
