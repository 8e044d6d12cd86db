#include "svg.h"

#include <charconv>
#include <cmath>
#include <system_error>

std::string testo_xml(std::string_view utf8) {
    std::string t;
    t.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
            case '&': t += "&amp;"; break;
            case '<': t += "&lt;"; break;
            case '>': t += "&gt;"; break;
            case '"': t += "&quot;"; break;
            case '\'': t += "&apos;"; break;
            default:
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n') t += c;
        }
    }
    return t;
}

std::string numero_testo(double v, std::chars_format formato, int precisione) {
    char buffer[400];  // room for the largest double in full
    const auto [fine, errore] = std::to_chars(buffer, buffer + sizeof buffer, v, formato, precisione);
    return errore == std::errc{} ? std::string(buffer, fine) : std::string("0");
}

std::string numero_svg(double v) {
    if (!std::isfinite(v)) return "0";
    std::string t = numero_testo(v, std::chars_format::fixed, 2);
    while (t.back() == '0') t.pop_back();
    if (t.back() == '.') t.pop_back();
    if (t == "-0") t = "0";
    return t;
}

attributi& attributi::con(std::string_view nome, std::string_view valore) {
    testo_ += ' ';
    testo_ += nome;
    testo_ += "=\"";
    testo_ += testo_xml(valore);
    testo_ += '"';
    return *this;
}

namespace {

std::string punti_svg(const std::vector<std::pair<double, double>>& punti) {
    std::string t;
    for (const auto& [x, y] : punti) {
        if (!t.empty()) t += ' ';
        t += numero_svg(x) + "," + numero_svg(y);
    }
    return t;
}

}  // namespace

void disegno_svg::elemento(std::string_view nome, const attributi& posizione, const attributi& a) {
    corpo_ += '<';
    corpo_ += nome;
    corpo_ += posizione.testo();
    corpo_ += a.testo();
    corpo_ += "/>\n";
}

void disegno_svg::linea(double x1, double y1, double x2, double y2, const attributi& a) {
    elemento("line", attributi().con("x1", x1).con("y1", y1).con("x2", x2).con("y2", y2), a);
}

void disegno_svg::rettangolo(double x, double y, double w, double h, const attributi& a) {
    elemento("rect", attributi().con("x", x).con("y", y).con("width", std::fmax(w, 0)).con("height", std::fmax(h, 0)), a);
}

void disegno_svg::cerchio(double x, double y, double r, const attributi& a) {
    elemento("circle", attributi().con("cx", x).con("cy", y).con("r", r), a);
}

void disegno_svg::polilinea(const std::vector<std::pair<double, double>>& punti, const attributi& a) {
    if (punti.size() < 2) return;
    elemento("polyline", attributi().con("points", punti_svg(punti)), a);
}

void disegno_svg::poligono(const std::vector<std::pair<double, double>>& punti, const attributi& a) {
    if (punti.size() < 3) return;
    elemento("polygon", attributi().con("points", punti_svg(punti)), a);
}

void disegno_svg::testo(double x, double y, std::string_view utf8, const attributi& a) {
    corpo_ += "<text" + attributi().con("x", x).con("y", y).testo() + a.testo() + ">" + testo_xml(utf8) + "</text>\n";
}

std::string disegno_svg::documento(std::string_view titolo, std::string_view stile) const {
    const std::string w = numero_svg(larghezza_);
    const std::string h = numero_svg(altezza_);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w +
           " " + h + "\">\n<title>" + testo_xml(titolo) + "</title>\n<style>" + std::string(stile) +
           "</style>\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n" + corpo_ + "</svg>\n";
}
