# Joins the page's sources into one HTML template and writes it out as a C++
# byte array, so that building scenario_tool needs no Node.
#   cmake -DPAGINA=<folder of index.html> -DUSCITA=<file.cpp> -P incorpora.cmake
file(READ "${PAGINA}/index.html" html)
file(READ "${PAGINA}/stile.css" stile)
file(READ "${PAGINA}/pagina.js" codice)
foreach(segnaposto IN ITEMS "/*@STILE@*/" "/*@CODICE@*/")
  string(FIND "${html}" "${segnaposto}" dove)
  if(dove EQUAL -1)
    message(FATAL_ERROR "index.html lacks ${segnaposto}")
  endif()
endforeach()
string(REPLACE "/*@STILE@*/" "${stile}" html "${html}")
string(REPLACE "/*@CODICE@*/" "${codice}" html "${html}")
file(WRITE "${USCITA}.html" "${html}")
file(READ "${USCITA}.html" esadecimale HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," byte "${esadecimale}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" byte "${byte}")
file(WRITE "${USCITA}.tmp"
  "// Made by incorpora.cmake from tools/view/pagina: do not edit.\n"
  "#include <cstddef>\n"
  "extern const unsigned char pagina_modello[];\n"
  "extern const std::size_t byte_pagina_modello;\n"
  "const unsigned char pagina_modello[] = {\n${byte}0x00};\n"
  "const std::size_t byte_pagina_modello = sizeof pagina_modello - 1;\n")
file(COPY_FILE "${USCITA}.tmp" "${USCITA}" ONLY_IF_DIFFERENT)
file(REMOVE "${USCITA}.tmp")
