#include "driver/windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct caso_conversione {
    const char* nome;
    std::string utf8;
    std::string atteso;
};

TEST(Windows1252, ConverteICaratteriDelCodePage) {
    const caso_conversione casi[] = {
        {"ascii con fine riga", "Km 75.100\r\n", "Km 75.100\r\n"},
        {"vuoto", "", ""},
        {"nul in mezzo", std::string("a\0b", 3), std::string("a\0b", 3)},
        {"vocali italiane", "è à ù ò ì é", "\xE8 \xE0 \xF9 \xF2 \xEC \xE9"},
        {"maiuscole accentate", "È À", "\xC8 \xC0"},
        {"spazio indivisibile e y dieresi", "\xC2\xA0\xC3\xBF", "\xA0\xFF"},
        {"euro", "€", "\x80"},
        {"lettere in 0x80..0x9F", "ƒŠŒŽšœžŸ", "\x83\x8A\x8C\x8E\x9A\x9C\x9E\x9F"},
        {"virgolette e trattini", "‘’“”–—", "\x91\x92\x93\x94\x96\x97"},
        {"simboli", "…†‡ˆ‰‹›•˜™‚„", "\x85\x86\x87\x88\x89\x8B\x9B\x95\x98\x99\x82\x84"},
        {"controlli C1 senza carattere", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", "\x81\x8D\x8F\x90\x9D"},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.nome);
        const auto risultato = utf8_a_windows1252(c.utf8);
        ASSERT_TRUE(risultato.has_value());
        EXPECT_EQ(*risultato, c.atteso);
    }
}

TEST(Windows1252, RifiutaCaratteriFuoriCodePageEUtf8NonValido) {
    const std::pair<const char*, std::string> casi[] = {
        {"l con barra", "Ł\xC5\x82"},
        {"freccia", "Valdesca → Morlano"},
        {"A con macron", "\xC4\x80"},
        {"controllo C1 che il code page usa per l'euro", "\xC2\x80"},
        {"controllo C1 che il code page usa per Y dieresi", "\xC2\x9F"},
        {"fuori dal piano base", "\xF0\x9F\x98\x80"},
        {"byte Windows-1252 passato come UTF-8", "citt\xE0"},
        {"continuazione isolata", "\x80"},
        {"sequenza troncata a fine testo", "abc\xC3"},
        {"sequenza troncata a tre byte", "\xE2\x82"},
        {"continuazione mancante", "\xC3("},
        {"forma troppo lunga a due byte", "\xC0\xAF"},
        {"forma troppo lunga a tre byte", "\xE0\x80\xAF"},
        {"surrogato", "\xED\xA0\x80"},
        {"oltre U+10FFFF", "\xF4\x90\x80\x80"},
        {"byte mai valido", "\xFF"},
    };
    for (const auto& [nome, utf8] : casi) {
        SCOPED_TRACE(nome);
        EXPECT_FALSE(utf8_a_windows1252(utf8).has_value());
    }
}

TEST(Windows1252, VersoUtf8) {
    EXPECT_EQ(windows1252_a_utf8("Localita' \xE8\x80"), "Localita' è€");
    EXPECT_EQ(windows1252_a_utf8("\x81\x9D"), "\xC2\x81\xC2\x9D");
    EXPECT_EQ(windows1252_a_utf8("\xA0\xFF"), "\xC2\xA0\xC3\xBF");
}

TEST(Windows1252, TuttiI256ByteTornanoUguali) {
    std::string tutti;
    for (int b = 0; b < 256; ++b) {
        tutti += static_cast<char>(b);
    }
    const auto ritorno = utf8_a_windows1252(windows1252_a_utf8(tutti));
    ASSERT_TRUE(ritorno.has_value());
    EXPECT_EQ(*ritorno, tutti);
}

}  // namespace
