#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "driver/piattaforma.h"

namespace {

std::string motivo_errno(int numero) { return numero != 0 ? std::strerror(numero) : "unknown error"; }

class file_locale final : public file_in_scrittura {
public:
    file_locale(std::FILE* f, std::string percorso) : f_(f), percorso_(std::move(percorso)) {}
    ~file_locale() override {
        if (f_) std::fclose(f_);
    }

    void scrivi(std::string_view byte) override {
        errno = 0;
        if (!byte.empty() && std::fwrite(byte.data(), 1, byte.size(), f_) != byte.size())
            throw errore_file("write", percorso_, motivo_errno(errno));
    }

    void chiudi() override {
        errno = 0;
        std::FILE* f = f_;
        f_ = nullptr;
        if (std::fflush(f) != 0) {
            int numero = errno;
            std::fclose(f);
            throw errore_file("write", percorso_, motivo_errno(numero));
        }
        if (std::fclose(f) != 0) throw errore_file("close", percorso_, motivo_errno(errno));
    }

private:
    std::FILE* f_;
    std::string percorso_;
};

class piattaforma_locale final : public piattaforma {
public:
    std::string cartella_programma() override {
        std::error_code ec;
        auto eseguibile = std::filesystem::read_symlink("/proc/self/exe", ec);
        if (ec) throw errore_file("find the folder of", "/proc/self/exe", ec.message());
        return eseguibile.parent_path().string();
    }

    std::string unisci_percorso(const std::string& cartella, const std::string& nome) override {
        return (std::filesystem::path(cartella) / nome).string();
    }

    bool esiste_file(const std::string& percorso) override {
        std::error_code ec;
        return std::filesystem::is_regular_file(percorso, ec);
    }

    std::string leggi_file(const std::string& percorso) override {
        errno = 0;
        std::FILE* f = std::fopen(percorso.c_str(), "rb");
        if (!f) throw errore_file("read", percorso, motivo_errno(errno));
        std::string contenuto;
        char blocco[65536];
        std::size_t letti;
        while ((letti = std::fread(blocco, 1, sizeof blocco, f)) > 0) contenuto.append(blocco, letti);
        bool guasto = std::ferror(f) != 0;
        int numero = errno;
        std::fclose(f);
        if (guasto) throw errore_file("read", percorso, motivo_errno(numero));
        return contenuto;
    }

    std::unique_ptr<file_in_scrittura> crea_file(const std::string& percorso) override {
        errno = 0;
        std::FILE* f = std::fopen(percorso.c_str(), "wb");
        if (!f) throw errore_file("create", percorso, motivo_errno(errno));
        return std::make_unique<file_locale>(f, percorso);
    }

    void rinomina_file(const std::string& da, const std::string& a) override {
        std::error_code ec;
        std::filesystem::rename(da, a, ec);
        if (ec) throw errore_file("replace", a, ec.message());
    }

    void elimina_file(const std::string& percorso) override {
        std::error_code ec;
        if (!std::filesystem::remove(percorso, ec) && ec) throw errore_file("delete", percorso, ec.message());
    }

    // No display here: the window and the box speak on standard error.
    void mostra_attesa(const std::string& etichetta) override { std::cerr << etichetta << std::endl; }
    void messaggio(const std::string& testo) override { std::cerr << testo << std::endl; }
};

}  // namespace

std::unique_ptr<piattaforma> crea_piattaforma_locale() { return std::make_unique<piattaforma_locale>(); }
