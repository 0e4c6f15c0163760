// bench/tools/BenchMain.cpp -- sxbench.exe: the Windows side of the benchmarks, run by bench/run under Wine
//
//   sxbench startup|close|scan|protection [OPTIONS]      "sxbench help" lists the options
//
// It measures from inside the prefix, beside the program measured: a process
// started from Linux would add Wine's own start-up to every figure. Windows are
// found the way the test driver finds them (tests/support/driver).
#include "Benches.h"
#include "Text.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

struct TBenchInfo {
    const char* Name;
    int (*Run)(const TArgs&);
    std::set<std::string> Options;
    const char* Help;
};

const TBenchInfo Benches[] = {
    {"startup", BenchStartup,
     {"product", "product-window", "product-list", "product-lines", "bare", "bare-window", "rounds", "settle-ms"},
     "--product CMDLINE --product-window CAPTION --product-list CLASS --product-lines N --bare CMDLINE "
     "--bare-window CAPTION [--rounds N] [--settle-ms MS]\n"
     "      launch to end of start-up (a visible list box of class CLASS holds N lines; the bare window shows and "
     "answers), "
     "and peak working set"},
    {"close", BenchClose, {"product", "product-window", "product-list", "product-lines", "rounds"},
     "--product CMDLINE --product-window CAPTION --product-list CLASS --product-lines N [--rounds N]\n"
     "      WM_CLOSE posted to the main window once its start-up has ended, to the window off the screen "
     "and to the end of the process"},
    {"scan", BenchScan, {"window", "white", "black", "rounds"},
     "--window CAPTION --white WINPATH --black WINPATH [--rounds N]\n"
     "      the running program's silent scan (Scan System) against the same enumeration with the raw API "
     "and in-memory sets"},
    {"protection", BenchProtection, {"value", "writes", "pause-ms", "stage", "target", "files"},
     "--value COMMANDLINE [--writes N] [--pause-ms MS] --stage WINFOLDER --target WINFOLDER [--files N]\n"
     "      time from a black-listed value written (round the four Run/RunOnce keys) until it is gone, and from "
     "STAGE\\intruderNNN.exe moved into TARGET until it is gone (NNN from 000, the warm-up, to N)"},
};

void PrintHelp() {
    PrintLine("usage: sxbench BENCHMARK [OPTIONS]");
    for (const TBenchInfo& bench : Benches) PrintLine(std::string("  ") + bench.Name + " " + bench.Help);
}

} // namespace

int main() {
    // Binary stdout: bash's $(...) would keep the "\r" of text mode.
    _setmode(_fileno(stdout), _O_BINARY);
    try {
        TArgs args(ProgramArguments());
        const std::string name = ToUtf8(args.Command());
        if (name.empty() || name == "help" || args.Flag("help")) {
            PrintHelp();
            return name.empty() ? 2 : 0;
        }
        for (const TBenchInfo& bench : Benches) {
            if (name != bench.Name) continue;
            args.CheckAllowed(bench.Options);
            return bench.Run(args);
        }
        throw EUsage("unknown benchmark \"" + name + "\" (sxbench help lists them)");
    } catch (const EUsage& e) {
        std::fprintf(stderr, "sxbench: %s\n", e.what());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sxbench: %s\n", e.what());
        return 1;
    }
}
