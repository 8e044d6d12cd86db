// The whole compile in memory on arbitrary sources. The input is the line
// source, a NUL byte and the train source; without a NUL there is no train
// source at all. After each run it checks what must hold whatever the
// sources say, and aborts when something does not.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "compile/compilazione.h"
#include "compile/sorgenti.h"
#include "output/file_binari.h"
#include "scenario/sorgenti_incorporate.h"

namespace {

struct esito_prova {
    risultato_percorso risultato;
    std::int32_t codice = 0;
    std::string planimetria, voci, celle;
};

[[noreturn]] void violazione(const char* cosa) {
    std::fprintf(stderr, "fuzz_compila: %s\n", cosa);
    std::abort();
}

bool codice_definito(std::int32_t codice) {
    const auto& codici = codici_problema();
    return codice == 0 || std::find(codici.begin(), codici.end(), codice) != codici.end();
}

std::size_t byte_planimetria_attesi(const planimetria_percorso& p) {
    std::size_t totale = 0;
    const elementi_planimetria& e = p.elementi;
    for (std::size_t r = 0; r < e.tratti().size(); ++r) {
        const std::size_t n = e.fine_tratto(r) - e.tratti()[r].inizio;
        switch (e.tratti()[r].etichetta) {
            case valore_planimetria::tipo::vuoto: totale += 2 * n; break;
            case valore_planimetria::tipo::intero: totale += 4 * n; break;
            case valore_planimetria::tipo::reale: totale += 10 * n; break;
            default: violazione("a plan element with an unknown tag");
        }
    }
    return totale;
}

esito_prova prova(std::string_view linea, std::optional<std::string_view> treno) {
    sorgenti_in_memoria sorgenti(std::string(linea), treno ? std::optional<std::string>(*treno) : std::nullopt);
    esito_prova e;
    e.risultato = compila(nome_percorso_incorporato, numero_treno_incorporato, 1, sorgenti);
    const scenario& s = e.risultato.modello;
    e.codice = e.risultato.registro.codice_errore;
    if (!codice_definito(e.codice)) violazione("codice_errore outside the defined codes");
    if (e.risultato.esito == esito_percorso::conflitto) {
        if (!e.risultato.conflitto) violazione("a stamp conflict without its detail");
        const std::int32_t n = e.risultato.conflitto->numero;
        if (n != problema_timbro && n != problema_codice_gara) violazione("a stamp conflict other than 1250 or 1251");
    }
    if (e.risultato.esito == esito_percorso::senza_celle) {
        if (s.celle_create()) violazione("no cells reported, but cells stand");
        return e;
    }

    // The shape that a reader derives from the route length in the record file.
    const std::int64_t lunghezza = s.voci[voce_treno_dati].fine_tratto;
    if (std::int64_t{s.lunghezza_estesa} != lunghezza + 7000) violazione("lunghezza_estesa is not the route length + 7000");
    if (s.celle.size() != static_cast<std::size_t>(s.numero_celle) + 1) violazione("celle is not 0 .. numero_celle");
    if (s.planimetria.elementi.size() != 2 * (static_cast<std::size_t>(s.lunghezza_estesa) + 1))
        violazione("the plan is not 2 x (lunghezza_estesa + 1) elements");

    e.planimetria = codifica_planimetria(s.planimetria);
    e.voci = codifica_voci(s.voci);
    e.celle = codifica_celle(s.celle);

    std::size_t testi = 0;
    for (const voce& v : s.voci) {
        if (v.testo.size() > 65535) violazione("a text longer than the record file can count");
        testi += v.testo.size();
    }
    if (e.celle.size() != byte_cella * (static_cast<std::size_t>(s.numero_celle) + 1)) violazione("cell file size");
    if (e.voci.size() != byte_voce_senza_testo * numero_voci + testi) violazione("record file size");
    if (e.planimetria.size() != byte_planimetria_attesi(s.planimetria)) violazione("plan file size");
    return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    const std::string_view ingresso(reinterpret_cast<const char*>(dati), dimensione);
    const std::size_t separatore = ingresso.find('\0');
    const std::string_view linea = ingresso.substr(0, separatore);
    std::optional<std::string_view> treno;
    if (separatore != std::string_view::npos) treno = ingresso.substr(separatore + 1);

    const esito_prova prima = prova(linea, treno);
    const esito_prova seconda = prova(linea, treno);
    if (prima.codice != seconda.codice || prima.risultato.esito != seconda.risultato.esito)
        violazione("a second compile of the same sources ends differently");
    if (prima.planimetria != seconda.planimetria || prima.voci != seconda.voci || prima.celle != seconda.celle)
        violazione("a second compile of the same sources gives other bytes");
    return 0;
}
