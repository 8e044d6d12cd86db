#pragma once

// Just enough JSON reading to check what the tool prints.

#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace json_minimo {

struct valore;
using lista = std::vector<valore>;
using oggetto = std::map<std::string, valore>;

struct valore {
    std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<lista>, std::shared_ptr<oggetto>> v;

    bool nullo() const { return std::holds_alternative<std::nullptr_t>(v); }
    double numero() const { return std::get<double>(v); }
    const std::string& testo() const { return std::get<std::string>(v); }
    const lista& elementi() const { return *std::get<std::shared_ptr<lista>>(v); }
    const valore& operator[](std::size_t i) const { return elementi().at(i); }
    const valore& operator[](const std::string& k) const { return std::get<std::shared_ptr<oggetto>>(v)->at(k); }
};

class lettore {
public:
    explicit lettore(std::string_view t) : t_(t) {}

    valore documento() {
        valore v = leggi();
        spazi();
        if (i_ != t_.size()) errore("text after the document");
        return v;
    }

private:
    [[noreturn]] void errore(const std::string& cosa) const {
        throw std::runtime_error("JSON at " + std::to_string(i_) + ": " + cosa);
    }
    void spazi() {
        while (i_ < t_.size() && (t_[i_] == ' ' || t_[i_] == '\n' || t_[i_] == '\r' || t_[i_] == '\t')) ++i_;
    }
    char prossimo() {
        spazi();
        if (i_ >= t_.size()) errore("unexpected end");
        return t_[i_];
    }
    void atteso(char c) {
        if (prossimo() != c) errore(std::string("expected ") + c);
        ++i_;
    }
    bool parola(std::string_view p) {
        if (t_.substr(i_, p.size()) != p) return false;
        i_ += p.size();
        return true;
    }
    std::string stringa() {
        atteso('"');
        std::string s;
        while (true) {
            if (i_ >= t_.size()) errore("unterminated string");
            char c = t_[i_++];
            if (c == '"') return s;
            if (static_cast<unsigned char>(c) < 0x20) errore("control character in a string");
            if (c != '\\') {
                s += c;
                continue;
            }
            if (i_ >= t_.size()) errore("unterminated escape");
            c = t_[i_++];
            switch (c) {
                case '"': s += '"'; break;
                case '\\': s += '\\'; break;
                case '/': s += '/'; break;
                case 'n': s += '\n'; break;
                case 'r': s += '\r'; break;
                case 't': s += '\t'; break;
                case 'b': s += '\b'; break;
                case 'f': s += '\f'; break;
                case 'u': {
                    if (i_ + 4 > t_.size()) errore("short \\u escape");
                    const unsigned long cp = std::stoul(std::string(t_.substr(i_, 4)), nullptr, 16);
                    i_ += 4;
                    if (cp >= 0x80) errore("only \\u00xx escapes are expected");
                    s += static_cast<char>(cp);
                    break;
                }
                default: errore("bad escape");
            }
        }
    }
    valore leggi() {
        const char c = prossimo();
        if (c == '{') {
            ++i_;
            auto o = std::make_shared<oggetto>();
            if (prossimo() == '}') {
                ++i_;
                return {o};
            }
            while (true) {
                std::string k = stringa();
                atteso(':');
                (*o)[k] = leggi();
                if (prossimo() == ',') {
                    ++i_;
                    continue;
                }
                atteso('}');
                return {o};
            }
        }
        if (c == '[') {
            ++i_;
            auto l = std::make_shared<lista>();
            if (prossimo() == ']') {
                ++i_;
                return {l};
            }
            while (true) {
                l->push_back(leggi());
                if (prossimo() == ',') {
                    ++i_;
                    continue;
                }
                atteso(']');
                return {l};
            }
        }
        if (c == '"') return {stringa()};
        if (parola("null")) return {nullptr};
        if (parola("true")) return {true};
        if (parola("false")) return {false};
        const std::size_t inizio = i_;
        while (i_ < t_.size() && std::string_view("+-0123456789.eE").find(t_[i_]) != std::string_view::npos) ++i_;
        if (inizio == i_) errore("unexpected character");
        return {std::strtod(std::string(t_.substr(inizio, i_ - inizio)).c_str(), nullptr)};
    }

    std::string_view t_;
    std::size_t i_ = 0;
};

inline valore leggi(std::string_view testo) { return lettore(testo).documento(); }

}  // namespace json_minimo
