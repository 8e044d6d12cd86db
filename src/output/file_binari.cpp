#include "output/file_binari.h"

#include "output/byte_le.h"

std::string codifica_planimetria(const planimetria_percorso& planimetria) {
    byte_le out;
    for (const valore_planimetria& e : planimetria.elementi) {
        out.u16(static_cast<std::uint16_t>(e.etichetta));
        if (e.etichetta == valore_planimetria::tipo::intero) out.i16(e.intero);
        if (e.etichetta == valore_planimetria::tipo::reale) out.f64(e.reale);
    }
    return std::move(out.dati());
}

std::string codifica_voci(const std::array<voce, numero_voci>& voci) {
    byte_le out;
    for (const voce& v : voci) {
        out.u8(v.categoria);
        out.i32(v.inizio_tratto);
        out.i32(v.fine_tratto);
        out.i32(v.punto);
        out.u8(v.opzione);
        out.testo(v.testo);
        out.i16(v.valore1);
        out.i16(v.valore2);
        out.i16(v.valore3);
        out.i16(v.valore4);
        out.i16(v.valore5);
        out.u8(v.scelta1);
        out.u8(v.scelta2);
        out.u8(v.scelta3);
        out.u8(v.scelta4);
        out.i32(v.orario);
    }
    return std::move(out.dati());
}

std::string codifica_celle(const std::vector<cella>& celle) {
    byte_le out;
    out.dati().reserve(celle.size() * byte_cella);
    for (const cella& c : celle) {
        out.u8(c.oggetto);
        out.i16(c.dato1);
        out.i16(c.dato2);
        out.i16(c.dato3);
        out.i16(c.dato4);
        out.u8(c.tempo_segnale);
        out.u8(c.ripetizione);
        out.u8(c.montagna);
        out.u8(c.velocita);
        out.u8(c.pendenza);
        out.u8(c.aderenza);
    }
    return std::move(out.dati());
}
