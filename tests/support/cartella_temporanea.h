#pragma once

#include <filesystem>
#include <map>
#include <string>

// A fresh, empty folder under the system's temporary folder, removed with
// everything in it when the object goes. The one every test uses.
class cartella_temporanea {
public:
    cartella_temporanea();
    ~cartella_temporanea();
    cartella_temporanea(const cartella_temporanea&) = delete;
    cartella_temporanea& operator=(const cartella_temporanea&) = delete;

    const std::filesystem::path& percorso() const { return percorso_; }
    std::string stringa() const { return percorso_.string(); }
    std::filesystem::path operator/(const std::string& nome) const { return percorso_ / nome; }

private:
    std::filesystem::path percorso_;
};

// A whole file's bytes; empty when it cannot be read.
std::string leggi(const std::filesystem::path& percorso);

// Every regular file of a folder: name -> bytes.
std::map<std::string, std::string> contenuto_cartella(const std::filesystem::path& cartella);

void scrivi_file(const std::filesystem::path& percorso, const std::string& byte);
