#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "driver/piattaforma.h"

// The scenario tool: the command line after the program's name, every file
// through the platform, the normal output on out and the diagnostics on err.
// Returns the exit status.
int scenario_tool_main(const std::vector<std::string>& argomenti, piattaforma& p, std::ostream& out, std::ostream& err);
