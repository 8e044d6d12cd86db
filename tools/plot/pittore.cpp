#include "pittore.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "plot/simboli.h"
#include "svg.h"

namespace {

constexpr std::size_t punti_massimi_pianta = 3000;

// Page layout, in pixels.
constexpr double larghezza = 1500;
constexpr double sinistra = 180;  // room for the lane names
constexpr double destra = larghezza - 40;
constexpr double altezza_massima_pianta = 460;

constexpr const char* stile =
    "text{font-family:'DejaVu Sans',Arial,Helvetica,sans-serif;fill:#263238}"
    ".titolo{font-size:22px;font-weight:bold}.sottotitolo{font-size:13px;fill:#546e7a}"
    ".pannello{font-size:13px;font-weight:bold}.asse{font-size:11px;fill:#546e7a}"
    ".nome{font-size:11px;font-weight:bold;fill:#1e5aa8}.piccolo{font-size:10px}"
    ".alone{paint-order:stroke;stroke:#ffffff;stroke-width:3px;stroke-linejoin:round}";

using punti_schermo = std::vector<std::pair<double, double>>;

// A box on the page, for labels that must not overlap.
struct riquadro {
    double x1, x2, y1, y2;
    bool incontra(const riquadro& o) const { return x1 < o.x2 && o.x1 < x2 && y1 < o.y2 && o.y1 < y2; }
};

// Past the tick labels of a panel's vertical axis, so that none covers them.
constexpr double nomi_pannello = sinistra - 46;

bool continua_carattere(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::size_t caratteri(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) { return !continua_carattere(c); }));
}

// About as wide as the text stands in the style's sans-serif type.
double larghezza_testo(std::string_view utf8, double corpo) { return 0.62 * corpo * static_cast<double>(caratteri(utf8)); }

// No letter of that type, bold or not, is wider than the type is high.
double larghezza_massima(std::size_t numero, double corpo) { return corpo * static_cast<double>(numero); }

// The first characters of a text that surely fit in spazio pixels with an
// ellipsis after them.
std::string accorciato(std::string_view utf8, double corpo, double spazio) {
    std::size_t numero = 0;
    std::size_t fine = 0;
    while (fine < utf8.size() && larghezza_massima(numero + 2, corpo) <= spazio) {
        ++fine;
        while (fine < utf8.size() && continua_carattere(utf8[fine])) ++fine;
        ++numero;
    }
    return std::string(utf8.substr(0, fine)) + "…";
}

// A step of 1, 2 or 5 times a power of ten that cuts the span into about n parts.
double passo_tondo(double campo, double n) {
    const double grezzo = std::max(campo / n, 1e-9);
    const double potenza = std::pow(10.0, std::floor(std::log10(grezzo)));
    for (double f : {1.0, 2.0, 5.0, 10.0})
        if (f * potenza >= grezzo) return f * potenza;
    return 10 * potenza;
}

std::string km(double metri, int decimali) { return numero_testo(metri / 1000.0, std::chars_format::fixed, decimali); }

// A value on a vertical axis, with six significant digits at most.
std::string valore_asse(double v) { return numero_testo(std::fabs(v) < 1e-9 ? 0.0 : v, std::chars_format::general, 6); }

attributi classe(std::string_view nomi) { return attributi().classe(nomi); }
attributi a_destra(std::string_view nomi) { return attributi().classe(nomi).con("text-anchor", "end"); }
attributi al_centro(std::string_view nomi) { return attributi().classe(nomi).con("text-anchor", "middle"); }

std::optional<punto> punto_pianta(const percorso_disegnato& d, std::int64_t metro) {
    if (metro < 0 || metro >= static_cast<std::int64_t>(d.pianta.size())) return std::nullopt;
    return d.pianta[static_cast<std::size_t>(metro)];
}

struct rotazione {
    double cs = 1;
    double sn = 0;

    punto operator()(punto p) const { return {cs * p.x + sn * p.y, -sn * p.x + cs * p.y}; }
};

// The turn that lays the line from the first drawn metre to the last one
// from left to right; nothing when no metre up to ultimo is drawn.
std::optional<rotazione> rotazione_pianta(const percorso_disegnato& d, std::int64_t ultimo) {
    std::optional<punto> primo, fine;
    for (std::int64_t m = 0; m <= ultimo && !primo; ++m) primo = punto_pianta(d, m);
    for (std::int64_t m = ultimo; m >= 0 && !fine; --m) fine = punto_pianta(d, m);
    if (!primo || !fine) return std::nullopt;
    const double angolo = std::hypot(fine->x - primo->x, fine->y - primo->y) > 1
                              ? std::atan2(fine->y - primo->y, fine->x - primo->x)
                              : 0.0;
    return rotazione{std::cos(angolo), std::sin(angolo)};
}

// Every passo-th metre up to ultimo, and ultimo itself, turned; an empty
// metre breaks the line.
std::vector<std::vector<punto>> tracce_pianta(const percorso_disegnato& d, std::int64_t ultimo, std::int64_t passo,
                                              const rotazione& ruota) {
    std::vector<std::vector<punto>> tracce(1);
    for (std::int64_t m = 0; m <= ultimo; m += passo) {
        auto p = punto_pianta(d, m);
        if (!p) {
            if (!tracce.back().empty()) tracce.emplace_back();
            continue;
        }
        tracce.back().push_back(ruota(*p));
    }
    if (auto p = punto_pianta(d, ultimo); p && ultimo % passo != 0) tracce.back().push_back(ruota(*p));
    return tracce;
}

class pittore {
public:
    explicit pittore(const percorso_disegnato& d)
        : d_(d), svg_(larghezza, 0), passo_km_(passo_tondo(d.lunghezza, 10)) {}

    std::string disegna() {
        intestazione();
        if (d_.con_pianta) pianta();
        profilo();
        legenda();
        svg_.cambia_altezza(y_ + 20);
        return svg_.documento(d_.titolo, stile);
    }

private:
    double x_metri(double m) const { return sinistra + std::clamp(m / d_.lunghezza, 0.0, 1.0) * (destra - sinistra); }

    void intestazione() {
        svg_.testo(sinistra, 38, d_.titolo, classe("titolo"));
        std::string sotto = "route " + km(d_.lunghezza, 2) + " km  ·  " + std::to_string(d_.stazioni.size()) +
                            " stations  ·  " + std::to_string(d_.segnali.size()) + " signals  ·  " +
                            std::to_string(d_.rallentamenti.size()) + " speed restrictions  ·  " +
                            std::to_string(d_.abbattimenti.size()) + " abatement points";
        if (!d_.con_pianta) sotto += "  ·  no plan file: profile only";
        svg_.testo(sinistra, 60, sotto, classe("sottotitolo"));
        y_ = 80;
    }

    // A panel's frame, and the kilometre lines across it when it runs along
    // the route.
    void cornice(double alto, double altezza, bool griglia = true) {
        svg_.rettangolo(sinistra, alto, destra - sinistra, altezza,
                        attributi().riempimento("#fbfcfc").tratto("#cfd8dc"));
        if (!griglia) return;
        for (double m = 0; m <= d_.lunghezza + 1e-6; m += passo_km_)
            svg_.linea(x_metri(m), alto, x_metri(m), alto + altezza, attributi().tratto("#eceff1"));
    }

    // The plan, turned so that the line from start to end runs left to right.
    void pianta() {
        const auto metri_pianta = static_cast<std::int64_t>(d_.pianta.size());
        const std::int64_t ultimo = std::min<std::int64_t>(static_cast<std::int64_t>(d_.lunghezza), metri_pianta - 1);
        if (ultimo < 1) return;
        const auto massimi = static_cast<std::int64_t>(punti_massimi_pianta);
        const std::int64_t passo = std::max<std::int64_t>(1, (ultimo + massimi) / massimi);
        const std::optional<rotazione> ruota = rotazione_pianta(d_, ultimo);
        if (!ruota) return;
        const std::vector<std::vector<punto>> tracce = tracce_pianta(d_, ultimo, passo, *ruota);
        double xmin = 1e300, xmax = -1e300, ymin = 1e300, ymax = -1e300;
        for (const auto& t : tracce)
            for (const punto& p : t) {
                xmin = std::min(xmin, p.x), xmax = std::max(xmax, p.x);
                ymin = std::min(ymin, p.y), ymax = std::max(ymax, p.y);
            }
        if (xmin > xmax) return;

        const double margine = 36;
        const double campo_x = std::max(xmax - xmin, 1.0), campo_y = std::max(ymax - ymin, 1.0);
        const double scala = std::min((destra - sinistra - 2 * margine) / campo_x,
                                      (altezza_massima_pianta - 2 * margine - 40) / campo_y);
        const double alto = y_ + 24;
        const double altezza = campo_y * scala + 2 * margine + 40;
        const double cx = (sinistra + destra) / 2, cy = alto + altezza / 2;
        auto schermo = [&](punto r) {
            return std::pair<double, double>{cx + (r.x - (xmin + xmax) / 2) * scala, cy - (r.y - (ymin + ymax) / 2) * scala};
        };
        auto sullo_schermo = [&](double metro) -> std::optional<std::pair<double, double>> {
            auto p = punto_pianta(d_, static_cast<std::int64_t>(std::llround(metro)));
            if (!p) return std::nullopt;
            return schermo((*ruota)(*p));
        };

        svg_.testo(sinistra, y_ + 14, "Track plan", classe("pannello"));
        svg_.testo(sinistra + 90, y_ + 14,
                   "turned so that the route runs from left to right; every " + std::to_string(passo) + " m drawn",
                   classe("asse"));
        cornice(alto, altezza, false);

        for (const auto& t : tracce) {
            punti_schermo punti;
            for (const punto& p : t) punti.push_back(schermo(p));
            binario_in_pianta(svg_, punti);
        }
        for (double m : d_.segnali)
            if (auto p = sullo_schermo(m)) segnale_in_pianta(svg_, p->first, p->second);
        std::vector<riquadro> occupati;
        for (const stazione_disegnata& s : d_.stazioni) {
            if (s.punto > d_.lunghezza) continue;  // past the drawn track: flagged in the lane
            auto p = sullo_schermo(s.punto);
            if (!p) continue;
            stazione_in_pianta(svg_, p->first, p->second);
            occupati.push_back({p->first - 7, p->first + 7, p->second - 7, p->second + 7});
        }
        for (const stazione_disegnata& s : d_.stazioni) {
            if (s.punto > d_.lunghezza) continue;
            auto p = sullo_schermo(s.punto);
            if (!p) continue;
            const etichetta e = etichetta_entro(s.nome, 11, p->first, sinistra + 4, destra - 4);
            // Above, below, then further out; a name with no free room is left
            // to the stations' lane, which shows every name.
            for (const double dy : {-12.0, 21.0, -25.0, 34.0}) {
                const riquadro r{e.x - 3, e.x + e.larghezza + 3, p->second + dy - 11, p->second + dy + 2};
                if (std::any_of(occupati.begin(), occupati.end(), [&](const riquadro& o) { return o.incontra(r); }))
                    continue;
                occupati.push_back(r);
                svg_.testo(e.x, p->second + dy, e.testo, classe("nome alone"));
                break;
            }
        }

        scala_e_assi(alto + altezza - 18, scala, *ruota);
        y_ = alto + altezza + 24;
    }

    // The scale bar, and beside it the plan's own axes as they lie after the turn.
    void scala_e_assi(double by, double scala, const rotazione& ruota) {
        const double metri_barra = passo_tondo((destra - sinistra) / scala / 8, 1);
        const double bx = sinistra + 16, fine_barra = bx + metri_barra * scala;
        const attributi barra = attributi().tratto("#37474f").spessore(2);
        svg_.linea(bx, by, fine_barra, by, barra);
        svg_.linea(bx, by - 4, bx, by + 4, barra);
        svg_.linea(fine_barra, by - 4, fine_barra, by + 4, barra);
        svg_.testo(fine_barra + 6, by + 4,
                   metri_barra >= 1000 ? km(metri_barra, 0) + " km" : std::to_string(std::lround(metri_barra)) + " m",
                   classe("asse"));

        const double ax = fine_barra + 110, ay = by - 6;
        svg_.testo(ax - 14, ay + 10, "plan axes", a_destra("asse"));
        for (int asse = 0; asse < 2; ++asse) {
            const punto r = ruota(asse == 0 ? punto{1, 0} : punto{0, 1});
            const double ex = ax + 18 * r.x, ey = ay - 18 * r.y;
            svg_.linea(ax, ay, ex, ey, attributi().tratto("#78909c").spessore(1.5));
            svg_.cerchio(ex, ey, 2, attributi().riempimento("#78909c"));
            svg_.testo(ax + 27 * r.x - 3, ay - 27 * r.y + 4, asse == 0 ? "0" : "1",
                       attributi().classe("piccolo").riempimento("#546e7a"));
        }
    }

    // A panel of the profile with its name and unit at the top left.
    void pannello(double alto, double altezza, std::string_view nome, std::string_view unita) {
        cornice(alto, altezza);
        svg_.testo(nomi_pannello, alto + 16, nome, a_destra("pannello"));
        svg_.testo(nomi_pannello, alto + 31, unita, a_destra("asse"));
    }

    // A lane of objects at y_, its name beside its middle; y_ moves below it
    // and the lane's middle comes back.
    double corsia(std::string_view nome, double altezza, std::string_view sotto = {}) {
        const double alto = y_;
        cornice(alto, altezza);
        svg_.testo(sinistra - 12, alto + (sotto.empty() ? altezza / 2 + 5 : altezza / 2 - 1), nome, a_destra("pannello"));
        if (!sotto.empty()) svg_.testo(sinistra - 12, alto + altezza / 2 + 12, sotto, a_destra("asse"));
        y_ += altezza + 6;
        return alto + altezza / 2;
    }

    void asse_verticale(double alto, double altezza, double minimo, double massimo, double passo) {
        auto y = [&](double v) { return alto + altezza - (v - minimo) / (massimo - minimo) * altezza; };
        for (double v = std::ceil(minimo / passo) * passo; v <= massimo + 1e-9; v += passo) {
            svg_.linea(sinistra, y(v), destra, y(v), attributi().tratto("#eceff1"));
            svg_.linea(sinistra - 4, y(v), sinistra, y(v), attributi().tratto("#90a4ae"));
            svg_.testo(sinistra - 7, y(v) + 4, valore_asse(v), a_destra("asse"));
        }
    }

    void profilo() {
        svg_.testo(sinistra, y_ + 14, "Route profile", classe("pannello"));
        y_ += 30;
        const double alto_profilo = y_;
        pendenze();
        velocita();
        stazioni();
        oggetti();
        // Faint station lines through every panel, to read them against each other.
        for (const stazione_disegnata& s : d_.stazioni) {
            const double x = x_metri(s.punto);
            svg_.linea(x, alto_profilo, x, y_,
                       attributi().tratto(colore_stazione).con("stroke-opacity", 0.25).con("stroke-dasharray", "3,3"));
        }
        asse_km();
    }

    void pendenze() {
        const double alto = y_, altezza = 150;
        double minimo = -1, massimo = 1;
        for (const tratto& r : d_.pendenze) {
            minimo = std::min<double>(minimo, r.valore);
            massimo = std::max<double>(massimo, r.valore);
        }
        const double passo = passo_tondo(massimo - minimo, 5);
        minimo = std::floor(minimo / passo) * passo, massimo = std::ceil(massimo / passo) * passo;
        pannello(alto, altezza, "Gradient", "per mille");
        asse_verticale(alto, altezza, minimo, massimo, passo);
        auto y = [&](double v) { return alto + altezza - (v - minimo) / (massimo - minimo) * altezza; };
        punti_schermo linea;
        for (const tratto& r : d_.pendenze) {
            const double x1 = x_metri(r.inizio), x2 = x_metri(r.fine);
            if (r.valore != 0) simbolo_pendenza(svg_, x1, x2, y(0), y(r.valore), r.valore > 0);
            linea.emplace_back(x1, y(r.valore));
            linea.emplace_back(x2, y(r.valore));
        }
        svg_.linea(sinistra, y(0), destra, y(0), attributi().tratto("#78909c"));
        svg_.polilinea(linea, attributi().riempimento("none").tratto("#455a64").spessore(1.3));
        y_ = alto + altezza + 30;
    }

    void velocita() {
        const double alto = y_, altezza = 170;
        double massimo = 20;
        for (const tratto& r : d_.velocita) massimo = std::max<double>(massimo, r.valore);
        for (const tratto& r : d_.rallentamenti) massimo = std::max<double>(massimo, r.valore);
        const double passo = passo_tondo(massimo, 5);
        massimo = std::ceil(massimo * 1.15 / passo) * passo;  // room above the highest line for its label
        pannello(alto, altezza, "Speed limit", "km/h");
        asse_verticale(alto, altezza, 0, massimo, passo);
        auto y = [&](double v) { return alto + altezza - std::clamp(v / massimo, 0.0, 1.0) * altezza; };
        punti_schermo linea;
        for (const tratto& r : d_.velocita) {
            linea.emplace_back(x_metri(r.inizio), y(r.valore));
            linea.emplace_back(x_metri(r.fine), y(r.valore));
        }
        if (!linea.empty()) {
            auto area = linea;
            area.emplace_back(linea.back().first, y(0));
            area.emplace_back(linea.front().first, y(0));
            svg_.poligono(area, attributi().riempimento(colore_velocita).opacita_riempimento(0.08));
        }
        linea_velocita(svg_, linea);
        for (const tratto& r : d_.velocita)
            if (x_metri(r.fine) - x_metri(r.inizio) > 40)
                svg_.testo(x_metri(r.inizio) + 4, y(r.valore) - 5, std::to_string(r.valore),
                           attributi().classe("piccolo alone").riempimento(colore_velocita));
        for (const tratto& r : d_.rallentamenti) {
            const double x1 = x_metri(r.inizio);
            linea_rallentamento(svg_, x1, std::max(x_metri(r.fine), x1 + 2), y(r.valore), r.valore);
        }
        y_ = alto + altezza + 14;
    }

    bool oltre_la_fine(const stazione_disegnata& s) const { return s.punto > d_.lunghezza; }

    // A station past the route's end stands at the end, and says so.
    etichetta nome_corsia(const stazione_disegnata& s) const {
        const std::string nome =
            oltre_la_fine(s) ? "⚑ " + s.nome + " (past the end, at " + km(s.punto, 2) + " km)" : s.nome;
        return etichetta_entro(nome, 11, x_metri(s.punto), sinistra, destra);
    }

    // The station names in as many rows as they need not to overlap.
    std::vector<std::size_t> righe_nomi(std::size_t& righe) const {
        std::vector<double> fine_riga;
        std::vector<std::size_t> riga(d_.stazioni.size());
        for (std::size_t n = 0; n < d_.stazioni.size(); ++n) {
            const etichetta e = nome_corsia(d_.stazioni[n]);
            std::size_t r = 0;
            while (r < fine_riga.size() && fine_riga[r] + 8 > e.x) ++r;
            if (r == fine_riga.size()) fine_riga.push_back(0);
            fine_riga[r] = e.x + e.larghezza;
            riga[n] = r;
        }
        righe = std::max<std::size_t>(fine_riga.size(), 1);
        return riga;
    }

    void stazioni() {
        std::size_t righe = 0;
        const std::vector<std::size_t> riga = righe_nomi(righe);
        const double alto = y_;
        const double altezza = 30 + 15 * static_cast<double>(righe);
        pannello(alto, altezza, "Stations", "stretch, stop");
        for (std::size_t n = 0; n < d_.stazioni.size(); ++n) {
            const stazione_disegnata& s = d_.stazioni[n];
            const double xp = x_metri(s.punto);
            simbolo_stazione(svg_, x_metri(s.inizio), x_metri(s.fine), xp, alto + altezza - 15);
            if (oltre_la_fine(s)) segno_oltre_la_fine(svg_, xp, alto + altezza - 15);
            const etichetta e = nome_corsia(s);
            svg_.testo(e.x, alto + 16 + 15 * static_cast<double>(riga[n]), e.testo,
                       oltre_la_fine(s) ? attributi().classe("nome").riempimento(colore_oltre) : classe("nome"));
        }
        y_ = alto + altezza + 6;
    }

    // Signals, restrictions and abatement points, and mountain stretches.
    void oggetti() {
        const double y_segnali = corsia("Signals", 28);
        for (double m : d_.segnali) simbolo_segnale(svg_, x_metri(m), y_segnali);

        const double y_rallentamenti = corsia("Restrictions", 30, "and abatements");
        for (const tratto& r : d_.rallentamenti) {
            const double x1 = x_metri(r.inizio);
            simbolo_rallentamento(svg_, x1, std::max(x_metri(r.fine), x1 + 3), y_rallentamenti, 26);
        }
        for (double m : d_.avvisi) simbolo_avviso(svg_, x_metri(m), y_rallentamenti);
        for (const abbattimento_disegnato& a : d_.abbattimenti)
            simbolo_abbattimento(svg_, x_metri(a.metro), y_rallentamenti, a.valore > 0);

        const double y_montagne = corsia("Mountains", 28, "and tunnels");
        for (const tratto& r : d_.montagne) {
            if (r.valore == 0) continue;
            const double x1 = x_metri(r.inizio), x2 = std::max(x_metri(r.fine), x1 + 2);
            simbolo_montagna(svg_, x1, x2, y_montagne, 14, r.valore);
            const std::string etichetta = "kind " + std::to_string(r.valore);
            // Inside, in the colour that stands out from the fill; beside it,
            // on a white halo so that a stretch next to it cannot swallow it.
            if (x2 - x1 > larghezza_testo(etichetta, 10) + 6)
                svg_.testo(x1 + 3, y_montagne + 4, etichetta,
                           attributi().classe("piccolo").riempimento(testo_su_montagna(r.valore)));
            else
                svg_.testo(x2 + 3, y_montagne + 4, std::to_string(r.valore), classe("piccolo alone"));
        }
    }

    void asse_km() {
        const double y = y_ - 2;
        svg_.linea(sinistra, y, destra, y, attributi().tratto("#78909c"));
        const double minore = passo_km_ / (passo_tondo(passo_km_, 5) == passo_km_ / 5 ? 5 : 2);
        for (double m = 0; m <= d_.lunghezza + 1e-6; m += minore)
            svg_.linea(x_metri(m), y, x_metri(m), y + 4, attributi().tratto("#90a4ae"));
        const int decimali = passo_km_ >= 1000 ? 0 : passo_km_ >= 100 ? 1 : 2;
        for (double m = 0; m <= d_.lunghezza + 1e-6; m += passo_km_) {
            svg_.linea(x_metri(m), y, x_metri(m), y + 7, attributi().tratto("#546e7a"));
            svg_.testo(x_metri(m), y + 20, km(m, decimali), al_centro("asse"));
        }
        svg_.testo((sinistra + destra) / 2, y + 38, "distance from the route's start (km)", al_centro("asse"));
        y_ = y + 56;
    }

    void legenda() {
        double x = sinistra;
        const double y = y_;
        auto voce_legenda = [&](std::string_view testo, auto&& simbolo) {
            simbolo(x + 9, y);
            svg_.testo(x + 24, y + 4, testo, classe("asse"));
            x += 34 + larghezza_testo(testo, 11);
        };
        voce_legenda("station (stop, stretch)", [&](double x, double y) { simbolo_stazione(svg_, x - 9, x + 9, x, y); });
        voce_legenda("signal", [&](double x, double y) { simbolo_segnale(svg_, x, y + 2); });
        voce_legenda("line speed limit", [&](double x, double y) { linea_velocita(svg_, {{x - 9, y}, {x + 9, y}}); });
        voce_legenda("speed restriction", [&](double x, double y) { simbolo_rallentamento(svg_, x - 9, x + 9, y, 10); });
        voce_legenda("restriction warning", [&](double x, double y) { simbolo_avviso(svg_, x, y); });
        voce_legenda("abatement point (hollow: no value)",
                     [&](double x, double y) { simbolo_abbattimento(svg_, x, y, true); });
        voce_legenda("uphill / downhill", [&](double x, double y) {
            simbolo_pendenza(svg_, x - 9, x, y + 5, y - 5, true);
            simbolo_pendenza(svg_, x, x + 9, y - 5, y + 5, false);
        });
        voce_legenda("mountain / tunnel", [&](double x, double y) { simbolo_montagna(svg_, x - 9, x + 9, y, 10, 1); });
        y_ += 16;
    }

    const percorso_disegnato& d_;
    disegno_svg svg_;
    double y_ = 0;
    double passo_km_;
};

}  // namespace

etichetta etichetta_entro(std::string_view utf8, double corpo, double x, double sinistra, double destra) {
    if (larghezza_massima(caratteri(utf8), corpo) > destra - sinistra) {
        std::string testo = accorciato(utf8, corpo, destra - sinistra);
        const double larghezza = larghezza_testo(testo, corpo);
        return {std::move(testo), sinistra, larghezza};
    }
    // Here w <= destra - sinistra, so the bounds are in order.
    const double w = larghezza_testo(utf8, corpo);
    return {std::string(utf8), std::clamp(x - w / 2, sinistra, destra - w), w};
}

std::string disegna_percorso(const percorso_disegnato& d) { return pittore(d).disegna(); }
