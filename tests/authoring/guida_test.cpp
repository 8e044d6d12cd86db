// The authors' guide has an entry for every error code and warning name.

#include <gtest/gtest.h>

#include "authoring/avvisi.h"
#include "model/problemi.h"
#include "support/cartella_temporanea.h"

namespace {

std::string guida() { return leggi(std::filesystem::path(SCENARIO_TEST_DATA) / ".." / ".." / "docs" / "AUTHORING.md"); }

TEST(GuidaAutori, OgniCodiceEOgniAvvisoHaLaSuaVoce) {
    const std::string testo = guida();
    ASSERT_FALSE(testo.empty());
    for (codice_problema c : codici_problema())
        EXPECT_NE(testo.find("\n### error " + std::to_string(c) + "\n"), std::string::npos) << c;
    for (tipo_avviso t : tipi_avviso())
        EXPECT_NE(testo.find("\n### `" + std::string(nome_avviso(t)) + "`\n"), std::string::npos) << nome_avviso(t);
}

}  // namespace
