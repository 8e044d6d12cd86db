#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After windows.h, which it needs.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <limits>
#include <system_error>

#include "driver/avvio.h"
#include "driver/finestra.h"
#include "driver/percorso_utf8.h"
#include "driver/piattaforma.h"

namespace {

std::string stretto(std::wstring_view largo) {
    if (largo.empty()) return {};
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, largo.data(), static_cast<int>(largo.size()), nullptr, 0, nullptr, nullptr);
    std::string testo(static_cast<std::size_t>(std::max(n, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, largo.data(), static_cast<int>(largo.size()), testo.data(), n, nullptr, nullptr);
    return testo;
}

// The UTF-16 form of a UTF-8 text, or nothing when it is not valid UTF-8.
bool in_largo(std::string_view testo, std::wstring& largo) {
    largo.clear();
    if (testo.empty()) return true;
    if (testo.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return false;
    const int n =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, testo.data(), static_cast<int>(testo.size()), nullptr, 0);
    if (n <= 0) return false;
    largo.resize(static_cast<std::size_t>(n));
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, testo.data(), static_cast<int>(testo.size()), largo.data(), n);
    return true;
}

// A path for the wide API; a name that is not UTF-8 fails the operation.
std::wstring largo(const std::string& percorso, const std::string& operazione) {
    std::wstring w;
    if (!in_largo(percorso, w)) throw errore_file(operazione, percorso, "the name is not valid UTF-8");
    return w;
}

std::string motivo_sistema(DWORD codice) {
    wchar_t* testo = nullptr;
    const DWORD n =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, codice, 0, reinterpret_cast<wchar_t*>(&testo), 0, nullptr);
    std::string motivo = n != 0 ? stretto(std::wstring_view(testo, n)) : std::string();
    if (testo != nullptr) LocalFree(testo);
    while (!motivo.empty() &&
           (motivo.back() == '\n' || motivo.back() == '\r' || motivo.back() == ' ' || motivo.back() == '.'))
        motivo.pop_back();
    return motivo.empty() ? "system error " + std::to_string(codice) : motivo;
}

std::string ultimo_motivo() { return motivo_sistema(GetLastError()); }

// A handle closed when it goes out of scope.
class maniglia {
public:
    explicit maniglia(HANDLE h) : h_(h) {}
    ~maniglia() {
        if (valida()) CloseHandle(h_);
    }
    maniglia(const maniglia&) = delete;
    maniglia& operator=(const maniglia&) = delete;

    HANDLE get() const { return h_; }
    bool valida() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    // Closes the handle held, and holds h instead.
    void sostituisci(HANDLE h) {
        if (valida()) CloseHandle(h_);
        h_ = h;
    }
    // Hands the handle over; this object no longer closes it.
    HANDLE rilascia() {
        const HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return h;
    }
    // Closes now; the close's error code, or 0.
    DWORD chiudi() {
        const HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return CloseHandle(h) ? 0 : GetLastError();
    }

private:
    HANDLE h_;
};

const char* tipo_non_regolare(DWORD tipo) {
    if (tipo == FILE_TYPE_PIPE) return "a pipe";
    if (tipo == FILE_TYPE_CHAR) return "a character device";
    return "not a regular file";
}

class file_windows final : public file_in_scrittura {
public:
    file_windows(HANDLE h, std::string percorso) : h_(h), percorso_(std::move(percorso)) {}

    void scrivi(std::string_view byte) override {
        while (!byte.empty()) {
            const DWORD quanti = static_cast<DWORD>(std::min<std::size_t>(byte.size(), 1u << 30));
            DWORD scritti = 0;
            if (!WriteFile(h_.get(), byte.data(), quanti, &scritti, nullptr))
                throw errore_file("write", percorso_, ultimo_motivo());
            byte.remove_prefix(scritti);
        }
    }

    void chiudi() override {
        if (DWORD codice = h_.chiudi(); codice != 0) throw errore_file("close", percorso_, motivo_sistema(codice));
    }

private:
    maniglia h_;
    std::string percorso_;
};

class blocco_windows final : public blocco_cartella {
public:
    explicit blocco_windows(HANDLE h) : h_(h) {}
    // Closing the handle lets the lock go.

private:
    maniglia h_;
};

// Whether the file is about to go: its last holder closed it delete-on-close
// while this handle was open.
bool in_cancellazione(HANDLE h) {
    FILE_STANDARD_INFO info{};
    return GetFileInformationByHandleEx(h, FileStandardInfo, &info, sizeof info) && info.DeletePending;
}

// Whether another program holds the file open without letting it be
// replaced (the simulator with the scenario loaded, say).
bool tenuto_aperto(const std::wstring& percorso) {
    maniglia h(CreateFileW(percorso.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return !h.valida() && GetLastError() == ERROR_SHARING_VIOLATION;
}

class piattaforma_windows final : public piattaforma_con_finestre {
public:
    std::string cartella_programma() override {
        std::wstring nome(MAX_PATH, L'\0');
        for (;;) {
            const DWORD n = GetModuleFileNameW(nullptr, nome.data(), static_cast<DWORD>(nome.size()));
            if (n == 0) throw errore_file("find the folder of", "the program", ultimo_motivo());
            if (n < nome.size()) {
                nome.resize(n);
                break;
            }
            if (nome.size() >= 32768) throw errore_file("find the folder of", "the program", "its path is too long");
            nome.resize(nome.size() * 2);
        }
        const std::size_t taglio = nome.find_last_of(L"\\/");
        if (taglio == std::wstring::npos) throw errore_file("find the folder of", stretto(nome), "it has no folder");
        // A drive's root keeps its separator: "C:" alone names the drive's current folder.
        const bool radice = taglio == 2 && nome[1] == L':';
        return stretto(std::wstring_view(nome).substr(0, radice ? taglio + 1 : taglio));
    }

    std::string unisci_percorso(const std::string& cartella, const std::string& nome) override {
        return testo_utf8(percorso_utf8(cartella) / percorso_utf8(nome));
    }

    bool esiste_file(const std::string& percorso) override {
        std::wstring w;
        if (!in_largo(percorso, w)) return false;
        const DWORD attributi = GetFileAttributesW(w.c_str());
        return attributi != INVALID_FILE_ATTRIBUTES && (attributi & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }

    std::string leggi_file(const std::string& percorso, const limite_lettura& limite) override {
        // Backup semantics lets a folder open too, so that it is refused by
        // name rather than as "access denied".
        DWORD opzioni = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN;
        if (!limite.segui_collegamento) opzioni |= FILE_FLAG_OPEN_REPARSE_POINT;
        maniglia h(CreateFileW(largo(percorso, "read").c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, opzioni,
                               nullptr));
        if (!h.valida()) throw errore_file("read", percorso, ultimo_motivo());
        if (const DWORD tipo = GetFileType(h.get()); tipo != FILE_TYPE_DISK)
            throw errore_file("read", percorso,
                              std::string("it is ") + tipo_non_regolare(tipo) + ", and only regular files are read");
        BY_HANDLE_FILE_INFORMATION info{};
        if (!GetFileInformationByHandle(h.get(), &info)) throw errore_file("read", percorso, ultimo_motivo());
        if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            throw errore_file("read", percorso, "it is a folder, and only regular files are read");
        if (!limite.segui_collegamento && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            throw errore_file("read", percorso, "it is a symbolic link, and this file is never read through one");
        const auto troppo = [&](const std::string& quanti) {
            return errore_file("read", percorso,
                               "it holds " + quanti + " bytes; " + limite.cosa + " may hold at most " +
                                   std::to_string(limite.byte_massimi) + " bytes");
        };
        const std::uint64_t dimensione = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
        if (dimensione > limite.byte_massimi) throw troppo(std::to_string(dimensione));

        // One byte more than the size, so that the read which finds the end
        // needs no larger buffer and the text is never copied.
        std::string contenuto;
        contenuto.resize(static_cast<std::size_t>(dimensione) + 1);
        std::size_t letti = 0;
        for (;;) {
            // One byte beyond the limit tells a file that grew past it.
            if (letti == contenuto.size()) {
                if (letti > limite.byte_massimi) throw troppo("more than " + std::to_string(limite.byte_massimi));
                contenuto.resize(std::min<std::uint64_t>(limite.byte_massimi + 1, letti + 65536));
            }
            const DWORD chiesti = static_cast<DWORD>(std::min<std::size_t>(contenuto.size() - letti, 1u << 30));
            DWORD n = 0;
            if (!ReadFile(h.get(), contenuto.data() + letti, chiesti, &n, nullptr))
                throw errore_file("read", percorso, ultimo_motivo());
            if (n == 0) break;
            letti += n;
        }
        if (letti > limite.byte_massimi) throw troppo("more than " + std::to_string(limite.byte_massimi));
        contenuto.resize(letti);
        return contenuto;
    }

    std::unique_ptr<file_in_scrittura> crea_file(const std::string& percorso) override {
        // CREATE_NEW fails on anything at the name, a link (even a dangling
        // one) included, and so never follows one.
        maniglia h(CreateFileW(largo(percorso, "create").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (!h.valida()) {
            const DWORD codice = GetLastError();
            if (codice == ERROR_FILE_EXISTS || codice == ERROR_ALREADY_EXISTS)
                throw errore_file("create", percorso, "something already stands at that name");
            throw errore_file("create", percorso, motivo_sistema(codice));
        }
        // A device name (NUL, CON, ...) opens the device, whatever the disposition.
        if (GetFileType(h.get()) != FILE_TYPE_DISK)
            throw errore_file("create", percorso, "the new file is not a regular file");
        return std::make_unique<file_windows>(h.rilascia(), percorso);
    }

    void rinomina_file(const std::string& da, const std::string& a) override {
        const std::wstring w_da = largo(da, "replace");
        const std::wstring w_a = largo(a, "replace");
        // Never C rename, which fails over an existing file here. A target
        // open elsewhere may be let go in a moment (a virus scanner, say).
        for (int tentativo = 0;; ++tentativo) {
            if (MoveFileExW(w_da.c_str(), w_a.c_str(), MOVEFILE_REPLACE_EXISTING)) return;
            const DWORD codice = GetLastError();
            const bool in_uso = codice == ERROR_ACCESS_DENIED || codice == ERROR_SHARING_VIOLATION;
            if (!in_uso || !tenuto_aperto(w_a)) throw errore_file("replace", a, motivo_sistema(codice));
            if (tentativo == 10)
                throw errore_file("replace", a,
                                  "another program has it open (the simulator, perhaps), and Windows replaces no file "
                                  "that is in use: close it there and run again");
            Sleep(50);
        }
    }

    void elimina_file(const std::string& percorso) override {
        if (DeleteFileW(largo(percorso, "delete").c_str())) return;
        const DWORD codice = GetLastError();
        if (codice == ERROR_FILE_NOT_FOUND || codice == ERROR_PATH_NOT_FOUND) return;
        throw errore_file("delete", percorso, motivo_sistema(codice));
    }

    std::vector<std::string> elenca_cartella(const std::string& cartella) override {
        std::vector<std::string> nomi;
        std::error_code ec;
        for (std::filesystem::directory_iterator it(percorso_utf8(cartella), ec), fine; !ec && it != fine;
             it.increment(ec))
            nomi.push_back(testo_utf8(it->path().filename()));
        if (ec) throw errore_file("list", cartella, ec.message());
        return nomi;
    }

    std::unique_ptr<blocco_cartella> blocca_cartella(const std::string& cartella,
                                                     std::chrono::milliseconds attesa) override {
        // Windows locks no folder: the lock is on a file in it, which the run
        // that creates it opens delete-on-close, so that none is left behind,
        // even by a run that is killed. A run that finds it opens it as it is.
        const std::wstring nome = largo(unisci_percorso(cartella, nome_file_blocco), "lock the folder");
        const DWORD condivisa = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
        const auto scadenza = std::chrono::steady_clock::now() + attesa;
        for (;;) {
            maniglia h(CreateFileW(nome.c_str(), GENERIC_READ | GENERIC_WRITE, condivisa, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
            bool occupata = false;
            if (!h.valida()) {
                const DWORD creazione = GetLastError();
                if (creazione == ERROR_PATH_NOT_FOUND)
                    throw errore_file("open the folder", cartella, motivo_sistema(creazione));
                if (creazione != ERROR_FILE_EXISTS && creazione != ERROR_ALREADY_EXISTS &&
                    creazione != ERROR_ACCESS_DENIED)
                    throw errore_file("lock the folder", cartella, motivo_sistema(creazione));
                h.sostituisci(CreateFileW(nome.c_str(), GENERIC_READ | GENERIC_WRITE, condivisa, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
                if (!h.valida()) {
                    const DWORD apertura = GetLastError();
                    // Denied both ways with nothing there: the folder refuses new files.
                    if (apertura == ERROR_FILE_NOT_FOUND && creazione == ERROR_ACCESS_DENIED)
                        throw errore_file("lock the folder", cartella, motivo_sistema(creazione));
                    // Denied: the file is going, its holder closed it.
                    if (apertura == ERROR_ACCESS_DENIED)
                        occupata = true;
                    else if (apertura != ERROR_FILE_NOT_FOUND)
                        throw errore_file("lock the folder", cartella, motivo_sistema(apertura));
                }
            }
            if (h.valida()) {
                OVERLAPPED zona{};
                if (!LockFileEx(h.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &zona)) {
                    const DWORD codice = GetLastError();
                    if (codice != ERROR_LOCK_VIOLATION && codice != ERROR_IO_PENDING)
                        throw errore_file("lock the folder", cartella, motivo_sistema(codice));
                    occupata = true;
                } else if (!in_cancellazione(h.get())) {
                    return std::make_unique<blocco_windows>(h.rilascia());
                }
                // Locked, but the file is going: once it is gone a fresh one is made.
            }
            if (std::chrono::steady_clock::now() >= scadenza) {
                if (occupata) throw errore_cartella_occupata(cartella);
                throw errore_file("lock the folder", cartella, "its lock file keeps coming and going");
            }
            Sleep(20);
        }
    }
};

}  // namespace

std::unique_ptr<piattaforma> crea_piattaforma_locale() { return std::make_unique<piattaforma_windows>(); }

std::vector<std::string> avvia_programma(int argc, char** argv) {
    for (std::FILE* flusso : {stdin, stdout, stderr})
        if (const int fd = _fileno(flusso); fd >= 0) _setmode(fd, _O_BINARY);
    std::vector<std::string> argomenti;
    int n = 0;
    if (wchar_t** largi = CommandLineToArgvW(GetCommandLineW(), &n)) {
        for (int i = 1; i < n; ++i) argomenti.push_back(stretto(largi[i]));
        LocalFree(largi);
        return argomenti;
    }
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool errore_standard_presente() {
    const HANDLE h = GetStdHandle(STD_ERROR_HANDLE);
    return h != nullptr && h != INVALID_HANDLE_VALUE;
}

void mostra_righe_guasto(const std::string& righe) {
    std::string testo = righe;
    while (!testo.empty() && testo.back() == '\n') testo.pop_back();
    if (!testo.empty()) mostra_riquadro(titolo_programma, testo);
}
