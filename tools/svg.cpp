#include "svg.h"

#include <cmath>
#include <cstdio>

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

std::string numero_svg(double v) {
    if (!std::isfinite(v)) return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", v);
    std::string t = buffer;
    while (!t.empty() && t.back() == '0') t.pop_back();
    if (!t.empty() && t.back() == '.') t.pop_back();
    if (t == "-0") t = "0";
    return t;
}

std::string disegno_svg::punti_svg(const std::vector<std::pair<double, double>>& punti) {
    std::string t;
    for (const auto& [x, y] : punti) {
        if (!t.empty()) t += ' ';
        t += numero_svg(x) + "," + numero_svg(y);
    }
    return t;
}

void disegno_svg::linea(double x1, double y1, double x2, double y2, std::string_view attributi) {
    corpo_ += "<line x1=\"" + numero_svg(x1) + "\" y1=\"" + numero_svg(y1) + "\" x2=\"" + numero_svg(x2) + "\" y2=\"" +
              numero_svg(y2) + "\" " + std::string(attributi) + "/>\n";
}

void disegno_svg::rettangolo(double x, double y, double w, double h, std::string_view attributi) {
    corpo_ += "<rect x=\"" + numero_svg(x) + "\" y=\"" + numero_svg(y) + "\" width=\"" + numero_svg(std::fmax(w, 0)) +
              "\" height=\"" + numero_svg(std::fmax(h, 0)) + "\" " + std::string(attributi) + "/>\n";
}

void disegno_svg::cerchio(double x, double y, double r, std::string_view attributi) {
    corpo_ += "<circle cx=\"" + numero_svg(x) + "\" cy=\"" + numero_svg(y) + "\" r=\"" + numero_svg(r) + "\" " +
              std::string(attributi) + "/>\n";
}

void disegno_svg::polilinea(const std::vector<std::pair<double, double>>& punti, std::string_view attributi) {
    if (punti.size() < 2) return;
    corpo_ += "<polyline points=\"" + punti_svg(punti) + "\" " + std::string(attributi) + "/>\n";
}

void disegno_svg::poligono(const std::vector<std::pair<double, double>>& punti, std::string_view attributi) {
    if (punti.size() < 3) return;
    corpo_ += "<polygon points=\"" + punti_svg(punti) + "\" " + std::string(attributi) + "/>\n";
}

void disegno_svg::testo(double x, double y, std::string_view utf8, std::string_view attributi) {
    corpo_ += "<text x=\"" + numero_svg(x) + "\" y=\"" + numero_svg(y) + "\" " + std::string(attributi) + ">" +
              testo_xml(utf8) + "</text>\n";
}

void disegno_svg::apri_gruppo(std::string_view attributi) { corpo_ += "<g " + std::string(attributi) + ">\n"; }

void disegno_svg::chiudi_gruppo() { corpo_ += "</g>\n"; }

std::string disegno_svg::documento(std::string_view titolo, std::string_view stile) const {
    const std::string w = numero_svg(larghezza_);
    const std::string h = numero_svg(altezza_);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w +
           " " + h + "\">\n<title>" + testo_xml(titolo) + "</title>\n<style>" + std::string(stile) +
           "</style>\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n" + corpo_ + "</svg>\n";
}
