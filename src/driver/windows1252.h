#pragma once

#include <optional>
#include <string>
#include <string_view>

// Text files hold single-byte Windows-1252 characters, while the program's
// own texts are UTF-8. A character the code page cannot hold is an error:
// the texts are fixed, so a stray one must be found, never replaced by '?'.
std::optional<std::string> utf8_a_windows1252(std::string_view utf8);

// The reverse, for showing stored texts. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 controls of the same
// number, so every byte survives the trip and back.
std::string windows1252_a_utf8(std::string_view byte);
