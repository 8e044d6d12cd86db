#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "comandi.h"
#include "driver/nomi_file.h"
#include "driver/programma.h"
#include "driver/sostituzione_file.h"
#include "driver/windows1252.h"
#include "output/lettura_binari.h"
#include "svg.h"

namespace {

constexpr double metri_cella = 50.0;
constexpr std::size_t punti_massimi_planimetria = 3000;

// Page layout, in pixels.
constexpr double larghezza = 1500;
constexpr double sinistra = 180;   // room for the lane names
constexpr double destra = larghezza - 40;
constexpr double altezza_massima_pianta = 460;

constexpr const char* colore_binario = "#37474f";
constexpr const char* colore_stazione = "#1e5aa8";
constexpr const char* colore_segnale = "#c62828";
constexpr const char* colore_rallentamento = "#ef6c00";
constexpr const char* colore_abbattimento = "#7b1fa2";
constexpr const char* colore_velocita = "#1565c0";
constexpr const char* colore_salita = "#d9825b";
constexpr const char* colore_discesa = "#4fa89b";
constexpr const char* colori_montagna[] = {"#8d6e63", "#5d4037", "#a1887f", "#3e2723", "#bcaaa4"};

constexpr const char* stile =
    "text{font-family:'DejaVu Sans',Arial,Helvetica,sans-serif;fill:#263238}"
    ".titolo{font-size:22px;font-weight:bold}.sottotitolo{font-size:13px;fill:#546e7a}"
    ".pannello{font-size:13px;font-weight:bold}.asse{font-size:11px;fill:#546e7a}"
    ".nome{font-size:11px;font-weight:bold;fill:#1e5aa8}.piccolo{font-size:10px}"
    ".alone{paint-order:stroke;stroke:#ffffff;stroke-width:3px;stroke-linejoin:round}";

struct punto {
    double x = 0;
    double y = 0;
};

// A run of cells with the same value, in metres along the route.
struct tratto {
    double inizio = 0;
    double fine = 0;
    int valore = 0;
};

struct rallentamento {
    double inizio = 0;
    double fine = 0;
    int velocita = 0;
};

// What the picture shows, taken from the three files.
struct percorso_disegnato {
    std::string titolo;
    double lunghezza = 1;  // metres, the route's end
    std::vector<cella> celle;
    std::array<voce, numero_voci> voci{};
    std::optional<planimetria_percorso> planimetria;

    std::size_t celle_percorso = 0;  // the cells that begin before the route's end
    std::vector<std::size_t> stazioni;  // slots 1 .. up to the first empty one
    std::vector<double> segnali;        // metres
    std::vector<double> avvisi;         // warning boards of restrictions, metres
    std::vector<rallentamento> rallentamenti;
    std::vector<std::pair<double, int>> abbattimenti;  // metres, value (0 for code 13)
};

// --- reading ----------------------------------------------------------------

std::vector<tratto> tratti(const percorso_disegnato& d, std::uint8_t cella::*campo) {
    std::vector<tratto> t;
    for (std::size_t i = 0; i < d.celle_percorso; ++i) {
        const int v = d.celle[i].*campo;
        const double inizio = metri_cella * static_cast<double>(i);
        const double fine = std::min(inizio + metri_cella, d.lunghezza);
        if (!t.empty() && t.back().valore == v)
            t.back().fine = fine;
        else
            t.push_back({inizio, fine, v});
    }
    return t;
}

void raccogli_oggetti(percorso_disegnato& d) {
    const double fine_celle = metri_cella * static_cast<double>(d.celle.size());
    d.lunghezza = d.voci[voce_treno_dati].fine_tratto > 0 ? d.voci[voce_treno_dati].fine_tratto : fine_celle;
    if (d.lunghezza <= 0) d.lunghezza = metri_cella;
    while (d.celle_percorso < d.celle.size() && metri_cella * static_cast<double>(d.celle_percorso) < d.lunghezza)
        ++d.celle_percorso;

    for (std::size_t k = 1; k <= prima_voce_testo && !(d.voci[k] == voce{}); ++k) d.stazioni.push_back(k);

    for (std::size_t i = 0; i < d.celle_percorso; ++i) {
        const cella& c = d.celle[i];
        const double m = metri_cella * static_cast<double>(i);
        switch (c.oggetto) {
            case 1: d.segnali.push_back(m); break;
            case 4: d.avvisi.push_back(m); break;
            case 12: d.abbattimenti.emplace_back(m, c.dato1); break;
            case 13: d.abbattimenti.emplace_back(m, 0); break;
            case 3: {
                // The restriction runs to the next end cell (its own cell when
                // start and end fell together and the start overwrote the end).
                std::size_t k = i + 1;
                while (k < d.celle.size() && d.celle[k].oggetto != 2 && d.celle[k].oggetto != 3) ++k;
                const double fine = k < d.celle.size() && d.celle[k].oggetto == 2 ? metri_cella * static_cast<double>(k) : m;
                d.rallentamenti.push_back({m, std::min(fine, d.lunghezza), c.dato1});
                break;
            }
            default: break;
        }
    }
}

std::optional<punto> punto_pianta(const planimetria_percorso& pl, std::int64_t metro) {
    if (metro < 0 || metro >= pl.metri) return std::nullopt;
    const valore_planimetria& a = pl(metro, 0);
    const valore_planimetria& b = pl(metro, 1);
    if (a.etichetta == valore_planimetria::tipo::vuoto || b.etichetta == valore_planimetria::tipo::vuoto)
        return std::nullopt;
    const punto p{a.come_reale(), b.come_reale()};
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return std::nullopt;
    return p;
}

// --- helpers ----------------------------------------------------------------

std::string testo_voce(const voce& v) { return windows1252_a_utf8(v.testo); }

double larghezza_testo(std::string_view utf8, double corpo) {
    std::size_t caratteri = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++caratteri;
    return 0.62 * corpo * static_cast<double>(caratteri);
}

// A step of 1, 2 or 5 times a power of ten that cuts the span into about n parts.
double passo_tondo(double campo, double n) {
    const double grezzo = std::max(campo / n, 1e-9);
    const double potenza = std::pow(10.0, std::floor(std::log10(grezzo)));
    for (double f : {1.0, 2.0, 5.0, 10.0})
        if (f * potenza >= grezzo) return f * potenza;
    return 10 * potenza;
}

std::string km(double metri, int decimali) {
    char t[32];
    std::snprintf(t, sizeof t, "%.*f", decimali, metri / 1000.0);
    return t;
}

// --- the picture ------------------------------------------------------------

class pittore {
public:
    explicit pittore(const percorso_disegnato& d) : d_(d), svg_(larghezza, 0) {}

    std::string disegna() {
        intestazione();
        if (d_.planimetria) pianta();
        profilo();
        legenda();
        svg_.cambia_altezza(y_ + 20);
        return svg_.documento(d_.titolo, stile);
    }

private:
    double x_metri(double m) const { return sinistra + std::clamp(m / d_.lunghezza, 0.0, 1.0) * (destra - sinistra); }

    void intestazione() {
        svg_.testo(sinistra, 38, d_.titolo, R"(class="titolo")");
        std::string sotto = "route " + km(d_.lunghezza, 2) + " km  ·  " + std::to_string(d_.stazioni.size()) +
                            " stations  ·  " + std::to_string(d_.segnali.size()) + " signals  ·  " +
                            std::to_string(d_.rallentamenti.size()) + " speed restrictions  ·  " +
                            std::to_string(d_.abbattimenti.size()) + " abatement points";
        if (!d_.planimetria) sotto += "  ·  no plan file: profile only";
        svg_.testo(sinistra, 60, sotto, R"(class="sottotitolo")");
        y_ = 80;
    }

    // The plan, turned so that the line from start to end runs left to right.
    void pianta() {
        const planimetria_percorso& pl = *d_.planimetria;
        const std::int64_t ultimo = std::min<std::int64_t>(static_cast<std::int64_t>(d_.lunghezza), pl.metri - 1);
        if (ultimo < 1) return;
        const std::int64_t passo =
            std::max<std::int64_t>(1, (ultimo + 1 + static_cast<std::int64_t>(punti_massimi_planimetria) - 1) /
                                          static_cast<std::int64_t>(punti_massimi_planimetria));

        std::optional<punto> primo, fine;
        for (std::int64_t m = 0; m <= ultimo && !primo; ++m) primo = punto_pianta(pl, m);
        for (std::int64_t m = ultimo; m >= 0 && !fine; --m) fine = punto_pianta(pl, m);
        if (!primo || !fine) return;

        const double angolo = std::hypot(fine->x - primo->x, fine->y - primo->y) > 1
                                  ? std::atan2(fine->y - primo->y, fine->x - primo->x)
                                  : 0.0;
        const double cs = std::cos(angolo), sn = std::sin(angolo);
        auto ruota = [&](punto p) { return punto{cs * p.x + sn * p.y, -sn * p.x + cs * p.y}; };

        // Runs of drawn metres; an empty metre breaks the line.
        std::vector<std::vector<punto>> tracce(1);
        for (std::int64_t m = 0; m <= ultimo; m += passo) {
            auto p = punto_pianta(pl, m);
            if (!p) {
                if (!tracce.back().empty()) tracce.emplace_back();
                continue;
            }
            tracce.back().push_back(ruota(*p));
        }
        if (auto p = punto_pianta(pl, ultimo); p && ultimo % passo != 0) tracce.back().push_back(ruota(*p));

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
            auto p = punto_pianta(pl, static_cast<std::int64_t>(std::llround(metro)));
            if (!p) return std::nullopt;
            return schermo(ruota(*p));
        };

        svg_.testo(sinistra, y_ + 14, "Track plan", R"(class="pannello")");
        svg_.testo(sinistra + 90, y_ + 14, "turned so that the route runs from left to right; every " +
                                                std::to_string(passo) + " m drawn",
                   R"(class="asse")");
        svg_.rettangolo(sinistra, alto, destra - sinistra, altezza, R"(fill="#f7f9fa" stroke="#cfd8dc")");

        for (const auto& t : tracce) {
            std::vector<std::pair<double, double>> punti;
            for (const punto& p : t) punti.push_back(schermo(p));
            svg_.polilinea(punti, std::string(R"(fill="none" stroke-linejoin="round" stroke-width="7" stroke=")") +
                                      "#ffffff" + "\"");
            svg_.polilinea(punti, std::string(R"(fill="none" stroke-linejoin="round" stroke-width="3" stroke=")") +
                                      colore_binario + "\"");
        }

        for (double m : d_.segnali)
            if (auto p = sullo_schermo(m))
                svg_.cerchio(p->first, p->second, 3.5,
                             std::string(R"(stroke="#ffffff" stroke-width="1.2" fill=")") + colore_segnale + "\"");

        for (std::size_t n = 0; n < d_.stazioni.size(); ++n) {
            const voce& v = d_.voci[d_.stazioni[n]];
            auto p = sullo_schermo(v.punto);
            if (!p) continue;
            svg_.cerchio(p->first, p->second, 6,
                         std::string(R"(fill="#ffffff" stroke-width="2.5" stroke=")") + colore_stazione + "\"");
            const std::string nome = testo_voce(v);
            const double w = larghezza_testo(nome, 11);
            const double x = std::clamp(p->first - w / 2, sinistra + 4, destra - 4 - w);
            const double y = n % 2 == 0 ? p->second - 12 : p->second + 21;
            svg_.testo(x, y, nome, R"(class="nome alone")");
        }

        // Scale bar and the plan's own axes, as they lie after the turn.
        const double metri_barra = passo_tondo((destra - sinistra) / scala / 8, 1);
        const double bx = sinistra + 16, by = alto + altezza - 18;
        svg_.linea(bx, by, bx + metri_barra * scala, by, R"(stroke="#37474f" stroke-width="2")");
        svg_.linea(bx, by - 4, bx, by + 4, R"(stroke="#37474f" stroke-width="2")");
        svg_.linea(bx + metri_barra * scala, by - 4, bx + metri_barra * scala, by + 4, R"(stroke="#37474f" stroke-width="2")");
        svg_.testo(bx + metri_barra * scala + 6, by + 4,
                   metri_barra >= 1000 ? km(metri_barra, 0) + " km" : std::to_string(std::lround(metri_barra)) + " m",
                   R"(class="asse")");

        // The plan's own axes as they lie after the turn, beside the scale bar.
        const double ax = bx + metri_barra * scala + 110, ay = by - 6;
        svg_.testo(ax - 14, ay + 10, "plan axes", R"(class="asse" text-anchor="end")");
        for (int asse = 0; asse < 2; ++asse) {
            const punto r = ruota(asse == 0 ? punto{1, 0} : punto{0, 1});
            const double ex = ax + 18 * r.x, ey = ay - 18 * r.y;
            svg_.linea(ax, ay, ex, ey, R"(stroke="#78909c" stroke-width="1.5")");
            svg_.cerchio(ex, ey, 2, R"(fill="#78909c")");
            svg_.testo(ax + 27 * r.x - 3, ay - 27 * r.y + 4, asse == 0 ? "0" : "1", R"(class="piccolo" fill="#546e7a")");
        }

        y_ = alto + altezza + 24;
    }

    // A panel of the profile: frame, name, and the vertical kilometre lines.
    void cornice(double alto, double altezza, std::string_view nome, std::string_view unita) {
        svg_.rettangolo(sinistra, alto, destra - sinistra, altezza, R"(fill="#fbfcfc" stroke="#cfd8dc")");
        for (double m = 0; m <= d_.lunghezza + 1e-6; m += passo_km_)
            svg_.linea(x_metri(m), alto, x_metri(m), alto + altezza, R"(stroke="#eceff1")");
        svg_.testo(sinistra - 12, alto + 16, nome, R"(class="pannello" text-anchor="end")");
        if (!unita.empty()) svg_.testo(sinistra - 12, alto + 31, unita, R"(class="asse" text-anchor="end")");
    }

    void asse_verticale(double alto, double altezza, double minimo, double massimo, double passo) {
        auto y = [&](double v) { return alto + altezza - (v - minimo) / (massimo - minimo) * altezza; };
        for (double v = std::ceil(minimo / passo) * passo; v <= massimo + 1e-9; v += passo) {
            svg_.linea(sinistra, y(v), destra, y(v), R"(stroke="#eceff1")");
            svg_.linea(sinistra - 4, y(v), sinistra, y(v), R"(stroke="#90a4ae")");
            char t[32];
            std::snprintf(t, sizeof t, "%g", std::fabs(v) < 1e-9 ? 0.0 : v);
            svg_.testo(sinistra - 7, y(v) + 4, t, R"(class="asse" text-anchor="end")");
        }
    }

    void profilo() {
        passo_km_ = passo_tondo(d_.lunghezza, 10);
        svg_.testo(sinistra, y_ + 14, "Route profile", R"(class="pannello")");
        y_ += 30;
        const double alto_profilo = y_;
        pendenze();
        velocita();
        corsie();
        // Faint station lines through every panel, to read them against each other.
        for (std::size_t k : d_.stazioni) {
            const double x = x_metri(d_.voci[k].punto);
            svg_.linea(x, alto_profilo, x, y_, R"(stroke="#1e5aa8" stroke-opacity="0.25" stroke-dasharray="3,3")");
        }
        asse_km();
    }

    void pendenze() {
        const double alto = y_, altezza = 150;
        auto t = tratti(d_, &cella::pendenza);
        double minimo = -1, massimo = 1;
        for (const tratto& r : t) minimo = std::min(minimo, r.valore - 100.0), massimo = std::max(massimo, r.valore - 100.0);
        const double passo = passo_tondo(massimo - minimo, 5);
        minimo = std::floor(minimo / passo) * passo, massimo = std::ceil(massimo / passo) * passo;
        cornice(alto, altezza, "Gradient", "per mille");
        asse_verticale(alto, altezza, minimo, massimo, passo);
        auto y = [&](double v) { return alto + altezza - (v - minimo) / (massimo - minimo) * altezza; };
        std::vector<std::pair<double, double>> linea;
        for (const tratto& r : t) {
            const double g = r.valore - 100.0;
            const double x1 = x_metri(r.inizio), x2 = x_metri(r.fine);
            if (g != 0)
                svg_.rettangolo(x1, std::min(y(0), y(g)), x2 - x1, std::fabs(y(g) - y(0)),
                                std::string("fill=\"") + (g > 0 ? colore_salita : colore_discesa) + "\" fill-opacity=\"0.55\"");
            linea.emplace_back(x1, y(g));
            linea.emplace_back(x2, y(g));
        }
        svg_.linea(sinistra, y(0), destra, y(0), R"(stroke="#78909c")");
        svg_.polilinea(linea, R"(fill="none" stroke="#455a64" stroke-width="1.3")");
        y_ = alto + altezza + 30;
    }

    void velocita() {
        const double alto = y_, altezza = 170;
        auto t = tratti(d_, &cella::velocita);
        double massimo = 20;
        for (const tratto& r : t) massimo = std::max(massimo, r.valore * 5.0);
        for (const rallentamento& r : d_.rallentamenti) massimo = std::max(massimo, static_cast<double>(r.velocita));
        const double passo = passo_tondo(massimo, 5);
        massimo = std::ceil(massimo * 1.15 / passo) * passo;  // room above the highest line for its label
        cornice(alto, altezza, "Speed limit", "km/h");
        asse_verticale(alto, altezza, 0, massimo, passo);
        auto y = [&](double v) { return alto + altezza - std::clamp(v / massimo, 0.0, 1.0) * altezza; };
        std::vector<std::pair<double, double>> linea;
        for (const tratto& r : t) {
            linea.emplace_back(x_metri(r.inizio), y(r.valore * 5.0));
            linea.emplace_back(x_metri(r.fine), y(r.valore * 5.0));
        }
        if (!linea.empty()) {
            auto area = linea;
            area.emplace_back(linea.back().first, y(0));
            area.emplace_back(linea.front().first, y(0));
            svg_.poligono(area, std::string("fill=\"") + colore_velocita + "\" fill-opacity=\"0.08\"");
        }
        svg_.polilinea(linea, std::string(R"(fill="none" stroke-width="2.2" stroke=")") + colore_velocita + "\"");
        for (const auto& r : t)
            if (x_metri(r.fine) - x_metri(r.inizio) > 40)
                svg_.testo(x_metri(r.inizio) + 4, y(r.valore * 5.0) - 5, std::to_string(r.valore * 5),
                           std::string(R"(class="piccolo alone" fill=")") + colore_velocita + "\"");
        for (const rallentamento& r : d_.rallentamenti) {
            const double x1 = x_metri(r.inizio), x2 = std::max(x_metri(r.fine), x1 + 2);
            svg_.linea(x1, y(r.velocita), x2, y(r.velocita),
                       std::string(R"(stroke-width="3" stroke-dasharray="6,3" stroke=")") + colore_rallentamento + "\"");
            svg_.testo(x1, y(r.velocita) + 13, std::to_string(r.velocita),
                       std::string(R"(class="piccolo alone" fill=")") + colore_rallentamento + "\"");
        }
        y_ = alto + altezza + 14;
    }

    // The objects along the route, one lane each.
    void corsie() {
        // Stations: names in as many rows as they need not to overlap.
        std::vector<double> fine_riga;
        std::vector<std::size_t> riga_nome(d_.stazioni.size());
        for (std::size_t n = 0; n < d_.stazioni.size(); ++n) {
            const voce& v = d_.voci[d_.stazioni[n]];
            const double w = larghezza_testo(testo_voce(v), 11);
            const double x = std::clamp(x_metri(v.punto) - w / 2, sinistra, destra - w);
            std::size_t r = 0;
            while (r < fine_riga.size() && fine_riga[r] + 8 > x) ++r;
            if (r == fine_riga.size()) fine_riga.push_back(0);
            fine_riga[r] = x + w;
            riga_nome[n] = r;
        }
        const double alto_stazioni = y_;
        const double altezza_stazioni = 30 + 15 * static_cast<double>(std::max<std::size_t>(fine_riga.size(), 1));
        cornice(alto_stazioni, altezza_stazioni, "Stations", "stretch, stop");
        const double barra = alto_stazioni + altezza_stazioni - 20;
        for (std::size_t n = 0; n < d_.stazioni.size(); ++n) {
            const voce& v = d_.voci[d_.stazioni[n]];
            const double x1 = x_metri(v.inizio_tratto), x2 = x_metri(v.fine_tratto), xp = x_metri(v.punto);
            svg_.rettangolo(x1, barra, std::max(x2 - x1, 2.0), 10,
                            std::string(R"(rx="2" fill-opacity="0.3" fill=")") + colore_stazione + "\"");
            svg_.linea(xp, barra - 3, xp, barra + 13, std::string(R"(stroke-width="2.5" stroke=")") + colore_stazione + "\"");
            const std::string nome = testo_voce(v);
            const double w = larghezza_testo(nome, 11);
            const double x = std::clamp(xp - w / 2, sinistra, destra - w);
            svg_.testo(x, alto_stazioni + 16 + 15 * static_cast<double>(riga_nome[n]), nome, R"(class="nome")");
        }
        y_ = alto_stazioni + altezza_stazioni + 6;

        // Signals.
        corsia("Signals", 28);
        for (double m : d_.segnali) {
            const double x = x_metri(m), y = y_ - 28 + 14;
            svg_.linea(x, y + 8, x, y - 2, R"(stroke="#37474f" stroke-width="1.2")");
            svg_.cerchio(x, y - 4, 4, std::string(R"(stroke="#ffffff" stroke-width="1" fill=")") + colore_segnale + "\"");
        }

        // Speed restrictions, their warnings and the abatement points.
        corsia("Restrictions", 30, "and abatements");
        const double yc = y_ - 30 + 15;
        for (const rallentamento& r : d_.rallentamenti) {
            const double x1 = x_metri(r.inizio), x2 = std::max(x_metri(r.fine), x1 + 3);
            svg_.rettangolo(x1, yc - 13, x2 - x1, 26,
                            std::string(R"(fill-opacity="0.35" fill=")") + colore_rallentamento + "\"");
            svg_.linea(x1, yc - 13, x1, yc + 13, std::string(R"(stroke-width="2" stroke=")") + colore_rallentamento + "\"");
        }
        for (double m : d_.avvisi) {
            const double x = x_metri(m);
            svg_.poligono({{x, yc - 7}, {x - 6, yc + 6}, {x + 6, yc + 6}},
                          std::string(R"(fill="#fff3e0" stroke-width="1.5" stroke=")") + colore_rallentamento + "\"");
        }
        for (const auto& [m, valore] : d_.abbattimenti) {
            const double x = x_metri(m);
            svg_.poligono({{x, yc - 6}, {x + 5, yc}, {x, yc + 6}, {x - 5, yc}},
                          std::string(R"(stroke-width="1.5" stroke=")") + colore_abbattimento + "\" fill=\"" +
                              (valore > 0 ? colore_abbattimento : "#ffffff") + "\"");
        }

        // Mountain and tunnel stretches, coloured by kind.
        corsia("Mountains", 28, "and tunnels");
        for (const tratto& r : tratti(d_, &cella::montagna)) {
            if (r.valore == 0) continue;
            const double x1 = x_metri(r.inizio), x2 = std::max(x_metri(r.fine), x1 + 2);
            const char* colore = colori_montagna[static_cast<std::size_t>(r.valore) % std::size(colori_montagna)];
            svg_.rettangolo(x1, y_ - 28 + 7, x2 - x1, 14, std::string(R"(rx="2" fill=")") + colore + "\"");
            const std::string etichetta = "kind " + std::to_string(r.valore);
            if (x2 - x1 > larghezza_testo(etichetta, 10) + 6)
                svg_.testo(x1 + 3, y_ - 28 + 18, etichetta, R"(class="piccolo" fill="#ffffff")");
            else
                svg_.testo(x2 + 3, y_ - 28 + 18, std::to_string(r.valore), R"(class="piccolo")");
        }
    }

    void corsia(std::string_view nome, double altezza, std::string_view sotto = {}) {
        svg_.rettangolo(sinistra, y_, destra - sinistra, altezza, R"(fill="#fbfcfc" stroke="#cfd8dc")");
        for (double m = 0; m <= d_.lunghezza + 1e-6; m += passo_km_)
            svg_.linea(x_metri(m), y_, x_metri(m), y_ + altezza, R"(stroke="#eceff1")");
        svg_.testo(sinistra - 12, y_ + (sotto.empty() ? altezza / 2 + 5 : altezza / 2 - 1), nome,
                   R"(class="pannello" text-anchor="end")");
        if (!sotto.empty()) svg_.testo(sinistra - 12, y_ + altezza / 2 + 12, sotto, R"(class="asse" text-anchor="end")");
        y_ += altezza + 6;
    }

    void asse_km() {
        const double y = y_ - 2;
        svg_.linea(sinistra, y, destra, y, R"(stroke="#78909c")");
        const double minore = passo_km_ / (passo_tondo(passo_km_, 5) == passo_km_ / 5 ? 5 : 2);
        for (double m = 0; m <= d_.lunghezza + 1e-6; m += minore)
            svg_.linea(x_metri(m), y, x_metri(m), y + 4, R"(stroke="#90a4ae")");
        const int decimali = passo_km_ >= 1000 ? 0 : passo_km_ >= 100 ? 1 : 2;
        for (double m = 0; m <= d_.lunghezza + 1e-6; m += passo_km_) {
            svg_.linea(x_metri(m), y, x_metri(m), y + 7, R"(stroke="#546e7a")");
            svg_.testo(x_metri(m), y + 20, km(m, decimali), R"(class="asse" text-anchor="middle")");
        }
        svg_.testo((sinistra + destra) / 2, y + 38, "distance from the route's start (km)", R"(class="asse" text-anchor="middle")");
        y_ = y + 56;
    }

    void legenda() {
        double x = sinistra;
        const double y = y_;
        auto voce_legenda = [&](std::string_view testo, auto&& simbolo) {
            simbolo(x + 9, y);
            svg_.testo(x + 24, y + 4, testo, R"(class="asse")");
            x += 34 + larghezza_testo(testo, 11);
        };
        const std::string r = std::string("fill=\"") + colore_rallentamento + "\"";
        voce_legenda("station (stop, stretch)", [&](double cx, double cy) {
            svg_.rettangolo(cx - 9, cy - 4, 18, 8, std::string(R"(fill-opacity="0.3" fill=")") + colore_stazione + "\"");
            svg_.linea(cx, cy - 7, cx, cy + 7, std::string(R"(stroke-width="2.5" stroke=")") + colore_stazione + "\"");
        });
        voce_legenda("signal", [&](double cx, double cy) {
            svg_.cerchio(cx, cy, 4, std::string("fill=\"") + colore_segnale + "\"");
        });
        voce_legenda("line speed limit", [&](double cx, double cy) {
            svg_.linea(cx - 9, cy, cx + 9, cy, std::string(R"(stroke-width="2.2" stroke=")") + colore_velocita + "\"");
        });
        voce_legenda("speed restriction", [&](double cx, double cy) {
            svg_.rettangolo(cx - 9, cy - 5, 18, 10, std::string(R"(fill-opacity="0.35" )") + r);
            svg_.linea(cx - 9, cy - 5, cx - 9, cy + 5, std::string(R"(stroke-width="2" stroke=")") + colore_rallentamento + "\"");
        });
        voce_legenda("restriction warning", [&](double cx, double cy) {
            svg_.poligono({{cx, cy - 6}, {cx - 6, cy + 6}, {cx + 6, cy + 6}},
                          std::string(R"(fill="#fff3e0" stroke-width="1.5" stroke=")") + colore_rallentamento + "\"");
        });
        voce_legenda("abatement point (hollow: no value)", [&](double cx, double cy) {
            svg_.poligono({{cx, cy - 6}, {cx + 5, cy}, {cx, cy + 6}, {cx - 5, cy}},
                          std::string("fill=\"") + colore_abbattimento + "\"");
        });
        voce_legenda("uphill / downhill", [&](double cx, double cy) {
            svg_.rettangolo(cx - 9, cy - 5, 9, 10, std::string(R"(fill-opacity="0.55" fill=")") + colore_salita + "\"");
            svg_.rettangolo(cx, cy - 5, 9, 10, std::string(R"(fill-opacity="0.55" fill=")") + colore_discesa + "\"");
        });
        voce_legenda("mountain / tunnel", [&](double cx, double cy) {
            svg_.rettangolo(cx - 9, cy - 5, 18, 10, std::string(R"(rx="2" fill=")") + colori_montagna[1] + "\"");
        });
        y_ += 16;
    }

    const percorso_disegnato& d_;
    disegno_svg svg_;
    double y_ = 0;
    double passo_km_ = 1000;
};

}  // namespace

int comando_plot(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream&) {
    const riga_comando r = analizza_argomenti(argomenti, {"--route", "--train", "--dir", "--out"}, {});
    if (!r.posizionali.empty()) throw errore_uso("plot takes its files as options, not " + r.posizionali.front());
    const std::string& nome_percorso = r.richiesto("--route");
    const std::string& numero_treno = r.richiesto("--train");
    if (auto motivo = controlla_nomi(nome_percorso, numero_treno)) throw errore_strumento(*motivo);
    const std::string cartella = r.valore("--dir", ".");
    const nomi_file nomi = nomi_scenario(nome_percorso, numero_treno);
    const std::string uscita = r.valore("--out", p.unisci_percorso(cartella, nome_percorso + "_" + numero_treno + ".svg"));
    // Only a picture may be written, never over a scenario or source file.
    if (uscita.size() < 4 || !(uscita.ends_with(".svg") || uscita.ends_with(".SVG")))
        throw errore_uso("the picture's name must end in .svg: " + uscita);

    percorso_disegnato d;
    d.titolo = nome_percorso + " — train " + numero_treno;
    d.voci = leggi_file_scenario(p, p.unisci_percorso(cartella, nomi.voci), decodifica_voci);
    d.celle = leggi_file_scenario(p, p.unisci_percorso(cartella, nomi.celle), decodifica_celle);
    const std::string pianta = p.unisci_percorso(cartella, nomi.planimetria);
    if (p.esiste_file(pianta)) d.planimetria = leggi_file_scenario(p, pianta, decodifica_planimetria);
    raccogli_oggetti(d);

    sostituisci_file(p, uscita, pittore(d).disegna());
    out << "wrote " << uscita << '\n';
    return uscita_ok;
}
