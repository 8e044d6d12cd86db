#pragma once

#include <string>
#include <string_view>

// The route viewer's page: one self-contained HTML file, its style and code
// built in, with the data inside it. script_dati names the data script
// beside the page that watch rewrites and the page reloads (empty: none).
std::string pagina_html(std::string_view dati_json, std::string_view script_dati);

// The data script beside the page: it hands the data to the open page.
std::string script_dati(std::string_view dati_json);
