#pragma once

#include <string>
#include <vector>

// The scenario's notes for the player, as the lines dati_note writes
// (UTF-8, without the end marker).
const std::vector<std::string>& righe_note();
