# The one test when the suite could not be built: it fails, naming what is missing.
message(FATAL_ERROR "error: no test was built: install ${MANCANTI} and configure again")
