#pragma once

namespace zorvex {

struct ProgramOptions;

// `zorvex --print WHAT`: reads the data folder, prints, and returns the exit
// code. Needs no display and no running instance, and writes nothing.
int runPrintCommand(const ProgramOptions& opts);

} // namespace zorvex
