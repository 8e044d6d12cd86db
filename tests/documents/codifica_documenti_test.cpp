#include "documents/note.h"
#include "documents/ordine_rallentamento.h"
#include "documents/scheda_treno.h"
#include "driver/windows1252.h"
#include "scenario/sorgenti_incorporate.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Every text file is written in Windows-1252: one character the code page
// cannot hold would make the writer fail, so every fixed line must convert.
TEST(CodificaDocumenti, OgniRigaStaNelCodePage) {
    const std::pair<const char*, const std::vector<std::string>*> liste[] = {
        {"linea", &righe_linea()},
        {"treno", &righe_treno()},
        {"note", &righe_note()},
        {"rallentamenti", &righe_rallentamenti()},
        {"scheda", &righe_scheda()},
    };
    for (const auto& [nome, righe] : liste) {
        for (std::size_t i = 0; i < righe->size(); ++i) {
            EXPECT_TRUE(utf8_a_windows1252((*righe)[i]).has_value()) << nome << " riga " << i;
            EXPECT_NE((*righe)[i], "riferimento fine del file") << nome << " riga " << i;
        }
    }
}

}  // namespace
