// bench/tools/Benches.h -- the measurements sxbench.exe makes, one function each
//
// Each prints its figures on stdout and returns the exit code; EDriver: the
// measurement could not be made (a window never came, a value never went).
#pragma once

#include "Args.h"

int BenchStartup(const TArgs& args);
int BenchClose(const TArgs& args);
int BenchScan(const TArgs& args);
int BenchProtection(const TArgs& args);
