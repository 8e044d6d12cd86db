#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <thread>

#include "driver/avvio.h"
#include "driver/finestra.h"
#include "driver/piattaforma.h"

namespace {

std::string motivo_errno(int numero) { return numero != 0 ? std::strerror(numero) : "unknown error"; }

// A descriptor closed when it goes out of scope.
class descrittore {
public:
    explicit descrittore(int fd) : fd_(fd) {}
    ~descrittore() {
        if (fd_ >= 0) ::close(fd_);
    }
    descrittore(const descrittore&) = delete;
    descrittore& operator=(const descrittore&) = delete;

    int get() const { return fd_; }
    // Hands the descriptor over; this object no longer closes it.
    int rilascia() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // Closes now; the close's errno, or 0.
    int chiudi() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

const char* tipo_non_regolare(mode_t modo) {
    if (S_ISDIR(modo)) return "a folder";
    if (S_ISFIFO(modo)) return "a FIFO";
    if (S_ISCHR(modo)) return "a character device";
    if (S_ISBLK(modo)) return "a block device";
    if (S_ISSOCK(modo)) return "a socket";
    if (S_ISLNK(modo)) return "a symbolic link";
    return "not a regular file";
}

class file_locale final : public file_in_scrittura {
public:
    file_locale(int fd, std::string percorso) : fd_(fd), percorso_(std::move(percorso)) {}

    void scrivi(std::string_view byte) override {
        while (!byte.empty()) {
            const ssize_t scritti = ::write(fd_.get(), byte.data(), byte.size());
            if (scritti < 0) {
                if (errno == EINTR) continue;
                throw errore_file("write", percorso_, motivo_errno(errno));
            }
            byte.remove_prefix(static_cast<std::size_t>(scritti));
        }
    }

    void chiudi() override {
        if (int numero = fd_.chiudi(); numero != 0) throw errore_file("close", percorso_, motivo_errno(numero));
    }

private:
    descrittore fd_;
    std::string percorso_;
};

class blocco_locale final : public blocco_cartella {
public:
    explicit blocco_locale(int fd) : fd_(fd) {}
    // Closing the descriptor lets the lock go.

private:
    descrittore fd_;
};

class piattaforma_locale final : public piattaforma_con_finestre {
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

    std::string leggi_file(const std::string& percorso, const limite_lettura& limite) override {
        // Non-blocking, so that opening a FIFO does not wait for a writer.
        int opzioni = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
        if (!limite.segui_collegamento) opzioni |= O_NOFOLLOW;
        descrittore fd(::open(percorso.c_str(), opzioni));
        if (fd.get() < 0) {
            if (errno == ELOOP && !limite.segui_collegamento)
                throw errore_file("read", percorso, "it is a symbolic link, and this file is never read through one");
            throw errore_file("read", percorso, motivo_errno(errno));
        }
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0) throw errore_file("read", percorso, motivo_errno(errno));
        if (!S_ISREG(st.st_mode))
            throw errore_file("read", percorso,
                              std::string("it is ") + tipo_non_regolare(st.st_mode) + ", and only regular files are read");
        const auto troppo = [&](const std::string& quanti) {
            return errore_file("read", percorso,
                               "it holds " + quanti + " bytes; " + limite.cosa + " may hold at most " +
                                   std::to_string(limite.byte_massimi) + " bytes");
        };
        if (static_cast<std::uint64_t>(st.st_size) > limite.byte_massimi) throw troppo(std::to_string(st.st_size));
        // Back to blocking reads (a regular file never waits, but be plain).
        ::fcntl(fd.get(), F_SETFL, O_RDONLY);

        // One byte more than the size, so that the read which finds the end
        // needs no larger buffer and the text is never copied.
        std::string contenuto;
        contenuto.resize(static_cast<std::size_t>(st.st_size) + 1);
        std::size_t letti = 0;
        for (;;) {
            // One byte beyond the limit tells a file that grew past it.
            if (letti == contenuto.size()) {
                if (letti > limite.byte_massimi) throw troppo("more than " + std::to_string(limite.byte_massimi));
                contenuto.resize(std::min<std::uint64_t>(limite.byte_massimi + 1, letti + 65536));
            }
            const ssize_t n = ::read(fd.get(), contenuto.data() + letti, contenuto.size() - letti);
            if (n < 0) {
                if (errno == EINTR) continue;
                throw errore_file("read", percorso, motivo_errno(errno));
            }
            if (n == 0) break;
            letti += static_cast<std::size_t>(n);
        }
        if (letti > limite.byte_massimi) throw troppo("more than " + std::to_string(limite.byte_massimi));
        contenuto.resize(letti);
        return contenuto;
    }

    std::unique_ptr<file_in_scrittura> crea_file(const std::string& percorso) override {
        // O_EXCL with O_CREAT fails on anything at the name, a link (even a
        // dangling one) included, and so never follows one.
        descrittore fd(::open(percorso.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666));
        if (fd.get() < 0) {
            if (errno == EEXIST) throw errore_file("create", percorso, "something already stands at that name");
            throw errore_file("create", percorso, motivo_errno(errno));
        }
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0) throw errore_file("create", percorso, motivo_errno(errno));
        if (!S_ISREG(st.st_mode)) throw errore_file("create", percorso, "the new file is not a regular file");
        return std::make_unique<file_locale>(fd.rilascia(), percorso);
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

    std::vector<std::string> elenca_cartella(const std::string& cartella) override {
        std::vector<std::string> nomi;
        std::error_code ec;
        for (std::filesystem::directory_iterator it(cartella, ec), fine; !ec && it != fine; it.increment(ec))
            nomi.push_back(it->path().filename().string());
        if (ec) throw errore_file("list", cartella, ec.message());
        return nomi;
    }

    std::unique_ptr<blocco_cartella> blocca_cartella(const std::string& cartella,
                                                     std::chrono::milliseconds attesa) override {
        // The lock is on the folder's own descriptor: no lock file.
        descrittore fd(::open(cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (fd.get() < 0) throw errore_file("open the folder", cartella, motivo_errno(errno));
        const auto scadenza = std::chrono::steady_clock::now() + attesa;
        while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR) continue;
            if (errno != EWOULDBLOCK) throw errore_file("lock the folder", cartella, motivo_errno(errno));
            if (std::chrono::steady_clock::now() >= scadenza) throw errore_cartella_occupata(cartella);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return std::make_unique<blocco_locale>(fd.rilascia());
    }
};

}  // namespace

std::unique_ptr<piattaforma> crea_piattaforma_locale() { return std::make_unique<piattaforma_locale>(); }

std::vector<std::string> avvia_programma(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool errore_standard_presente() { return true; }

void mostra_righe_guasto(const std::string&) {}
