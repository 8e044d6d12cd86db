#pragma once

#include <charconv>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A UTF-8 text made safe for XML: the five special characters as entities,
// and the control characters XML cannot hold dropped.
std::string testo_xml(std::string_view utf8);

// A number written the same in every locale, as std::to_chars writes it.
std::string numero_testo(double v, std::chars_format formato, int precisione);

// A number with at most two decimals, written the same in every locale;
// what is not a finite number is 0.
std::string numero_svg(double v);

// The attributes of one element, written as they are added:
// attributi().con("stroke", "#333").con("stroke-width", 1.5).
class attributi {
public:
    attributi& con(std::string_view nome, std::string_view valore);
    attributi& con(std::string_view nome, double valore) { return con(nome, std::string_view(numero_svg(valore))); }

    attributi& classe(std::string_view nomi) { return con("class", nomi); }
    attributi& riempimento(std::string_view colore) { return con("fill", colore); }
    attributi& opacita_riempimento(double opacita) { return con("fill-opacity", opacita); }
    attributi& tratto(std::string_view colore) { return con("stroke", colore); }
    attributi& spessore(double larghezza) { return con("stroke-width", larghezza); }

    // Each attribute with the space before it.
    const std::string& testo() const { return testo_; }

private:
    std::string testo_;
};

// One SVG picture, built element by element.
class disegno_svg {
public:
    disegno_svg(double larghezza, double altezza) : larghezza_(larghezza), altezza_(altezza) {}

    void linea(double x1, double y1, double x2, double y2, const attributi& a);
    void rettangolo(double x, double y, double w, double h, const attributi& a);
    void cerchio(double x, double y, double r, const attributi& a);
    void polilinea(const std::vector<std::pair<double, double>>& punti, const attributi& a);
    void poligono(const std::vector<std::pair<double, double>>& punti, const attributi& a);
    void testo(double x, double y, std::string_view utf8, const attributi& a);

    void cambia_altezza(double altezza) { altezza_ = altezza; }

    // The whole document: the XML declaration, the <svg> element with a white
    // background, the content.
    std::string documento(std::string_view titolo, std::string_view stile) const;

private:
    void elemento(std::string_view nome, const attributi& posizione, const attributi& a);

    double larghezza_;
    double altezza_;
    std::string corpo_;
};
