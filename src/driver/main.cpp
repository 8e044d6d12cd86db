#include <iostream>
#include <streambuf>
#include <string>

#include "driver/avvio.h"
#include "driver/programma.h"

namespace {

// The builder's standard error, keeping a copy of what passes, so that a run
// that fails can show its lines where its user sees them. Without a standard
// error only the copy is kept. A write that did not land fails the flush.
class errori_con_copia final : public std::streambuf {
public:
    explicit errori_con_copia(std::streambuf* destinazione) : destinazione_(destinazione) {}
    const std::string& copia() const { return copia_; }

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        const char carattere = traits_type::to_char_type(c);
        xsputn(&carattere, 1);
        return c;
    }

    std::streamsize xsputn(const char* byte, std::streamsize n) override {
        copia_.append(byte, static_cast<std::size_t>(n));
        if (destinazione_ != nullptr && destinazione_->sputn(byte, n) != n) guasto_ = true;
        return n;
    }

    int sync() override {
        if (destinazione_ != nullptr && destinazione_->pubsync() != 0) guasto_ = true;
        return guasto_ ? -1 : 0;
    }

private:
    std::streambuf* destinazione_;
    std::string copia_;
    bool guasto_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    avvia_programma(argc, argv);
    errori_con_copia copia(errore_standard_presente() ? std::cerr.rdbuf() : nullptr);
    std::ostream err(&copia);
    int stato = uscita_guasto;
    try {
        auto p = crea_piattaforma_locale();
        stato = esegui_builder(*p, err);
    } catch (const std::exception& e) {
        err << "error: " << e.what() << '\n';
        err.flush();
    }
    // The wait line goes to standard error itself: a line lost there is a failure too.
    if (errore_standard_presente() && !std::cerr.flush()) stato = uscita_guasto;
    if (stato == uscita_guasto) mostra_righe_guasto(copia.copia());
    return stato;
}
