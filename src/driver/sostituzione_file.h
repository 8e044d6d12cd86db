#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/piattaforma.h"

// Writes a file whole: the content goes to a new temporary file beside it,
// created exclusively under a name of its own (NAME.<16 hex digits>.part),
// which then takes the target's place in one step. A failure on the way
// leaves the old file as it was and removes the temporary one. Nothing that
// stands at any name is followed, truncated or opened.
void sostituisci_file(piattaforma& p, const std::string& percorso, std::string_view contenuto);

// The same, with the content made block by block: produci is called once and
// hands each block, in order, to the writer it is given.
using produttore_blocchi = std::function<void(const std::function<void(std::string_view)>& scrivi)>;
void sostituisci_file_a_blocchi(piattaforma& p, const std::string& percorso, const produttore_blocchi& produci);

// The target a temporary file's name stands for, or nothing when the name is
// not one of sostituisci_file's.
std::optional<std::string> bersaglio_temporaneo(std::string_view nome);

// How long a run waits for another that holds its folder.
inline constexpr std::chrono::milliseconds attesa_cartella{10000};

// Holds the folder for this run (waiting up to attesa), then removes the
// temporary files of the named targets found in it: with the folder held,
// each is a leftover of a run that was killed. Temporary files of other
// names are left alone.
std::unique_ptr<blocco_cartella> prendi_cartella(piattaforma& p, const std::string& cartella,
                                                 const std::vector<std::string>& bersagli,
                                                 std::chrono::milliseconds attesa = attesa_cartella);
