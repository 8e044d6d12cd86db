#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A UTF-8 text made safe for XML: the five special characters as entities,
// and the control characters XML cannot hold dropped.
std::string testo_xml(std::string_view utf8);

// A coordinate with at most two decimals; what is not a finite number is 0.
std::string numero_svg(double v);

// One SVG picture, built element by element. Attributes are given as they
// are written, e.g. R"(stroke="#333" fill="none")".
class disegno_svg {
public:
    disegno_svg(double larghezza, double altezza) : larghezza_(larghezza), altezza_(altezza) {}

    void linea(double x1, double y1, double x2, double y2, std::string_view attributi);
    void rettangolo(double x, double y, double w, double h, std::string_view attributi);
    void cerchio(double x, double y, double r, std::string_view attributi);
    void polilinea(const std::vector<std::pair<double, double>>& punti, std::string_view attributi);
    void poligono(const std::vector<std::pair<double, double>>& punti, std::string_view attributi);
    void testo(double x, double y, std::string_view utf8, std::string_view attributi);
    void apri_gruppo(std::string_view attributi);
    void chiudi_gruppo();

    double altezza() const { return altezza_; }
    void cambia_altezza(double altezza) { altezza_ = altezza; }

    // The whole document: the XML declaration, the <svg> element with a white
    // background, the content.
    std::string documento(std::string_view titolo, std::string_view stile) const;

private:
    static std::string punti_svg(const std::vector<std::pair<double, double>>& punti);

    double larghezza_;
    double altezza_;
    std::string corpo_;
};
