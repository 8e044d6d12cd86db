#include "documents/note.h"

#include "driver/windows1252.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <set>
#include <string>

namespace {

// Characters, not bytes: the accented letters take two bytes in UTF-8 but
// one in the written file.
std::size_t caratteri(const std::string& riga) {
    const auto convertita = utf8_a_windows1252(riga);
    return convertita ? convertita->size() : riga.size();
}

bool spazio_finale(const std::string& riga) { return !riga.empty() && riga.back() == ' '; }

TEST(Note, RigheFisse) {
    const auto& righe = righe_note();
    ASSERT_EQ(righe.size(), 60u);
    for (const std::size_t i : {2u, 18u, 21u, 55u, 57u}) {
        EXPECT_EQ(righe[i], "") << "riga " << i;
    }
    EXPECT_EQ(righe[1], std::string(26, ' ') + "(Orario invernale 2000/2001)");
    EXPECT_EQ(righe[3], " Precisazioni sul percorso:");
    EXPECT_EQ(righe[22], "   Modifica del 21/09/2001");
    EXPECT_EQ(righe[42], " ");
    EXPECT_EQ(righe[43], " Alcune ulteriori precisazioni:");
    EXPECT_EQ(righe[58], " Buon divertimento");
}

// "Treno NNNNN/52816 sul percorso ..." where NNNNN is the train of the
// companion scenario, which the change log must name as well.
TEST(Note, TitoloConLaCoppiaDiTreni) {
    const auto& righe = righe_note();
    const std::string& titolo = righe[0];
    EXPECT_EQ(caratteri(titolo), 77u);
    const std::string inizio = std::string(15, ' ') + "Treno ";
    ASSERT_TRUE(titolo.starts_with(inizio));
    const std::string compagno = titolo.substr(inizio.size(), 5);
    for (const char c : compagno) {
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(c))) << compagno;
    }
    EXPECT_NE(compagno, "52816");
    EXPECT_EQ(titolo.substr(inizio.size() + 5, 20), "/52816 sul percorso ");
    EXPECT_NE(titolo[titolo.size() - 2], ' ');

    const std::string scenari = righe[31] + righe[32];
    EXPECT_NE(scenari.find(compagno), std::string::npos);
    EXPECT_NE(scenari.find("52816"), std::string::npos);
}

TEST(Note, LunghezzaESpaziFinali) {
    const auto& righe = righe_note();
    const std::set<std::size_t> con_spazio = {0, 4, 6, 7, 11, 20, 25, 28, 40, 46, 48, 49, 52};
    for (std::size_t i = 0; i < righe.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& riga = righe[i];
        EXPECT_LE(caratteri(riga), 98u);
        if (i == 42) {
            continue;
        }
        EXPECT_EQ(spazio_finale(riga), con_spazio.contains(i));
        if (riga.size() >= 2) {
            EXPECT_NE(riga.substr(riga.size() - 2), "  ");
        }
    }
}

// How each line opens: P paragraph (one blank, then text), R remark (" - "),
// C continuation of a remark (three blanks, then text); '.' lines are held
// exactly by the other tests.
TEST(Note, InizioDelleRighe) {
    const std::string schema =
        "...." "RCRCCRCCCCRCRR" "." "PP" ".." "PPPPPPP" "PRR" "PRRR" "PPP" "PP" ".."
        "RCRCCCCRRCC" "." "P" "." "PP";
    const auto& righe = righe_note();
    ASSERT_EQ(schema.size(), righe.size());
    for (std::size_t i = 0; i < righe.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& riga = righe[i];
        switch (schema[i]) {
            case 'P':
                ASSERT_GE(riga.size(), 2u);
                EXPECT_EQ(riga[0], ' ');
                EXPECT_NE(riga[1], ' ');
                break;
            case 'R':
                EXPECT_TRUE(riga.starts_with(" - ")) << riga;
                EXPECT_GT(riga.size(), 3u);
                break;
            case 'C':
                ASSERT_GE(riga.size(), 4u);
                EXPECT_TRUE(riga.starts_with("   ")) << riga;
                EXPECT_NE(riga[3], ' ');
                break;
            default:
                break;
        }
    }
}

// Italian accents belong on the letters ("è", "più"), not as an apostrophe
// after them, which the file's code page makes unnecessary.
TEST(Note, AccentiSulleLettere) {
    for (const auto& riga : righe_note()) {
        for (std::size_t p = riga.find('\''); p != std::string::npos; p = riga.find('\'', p + 1)) {
            const bool elisione = p + 1 < riga.size() && std::isalpha(static_cast<unsigned char>(riga[p + 1]));
            EXPECT_TRUE(elisione) << riga;
        }
    }
}

}  // namespace
