// mkworddb - builds the spelling database of the game from the word source files.
//
//   mkworddb [--no-totals] <out.db> <in.tsv> [in.tsv ...]
//   mkworddb --check [--no-totals] <in.tsv> [in.tsv ...]
//
// Every record is checked first; each fault is printed as one line
// "file:line: what is wrong". Only a fault-free word set is written.
// --no-totals skips the minimum word counts, for checking one part alone.
//
// Exit codes: 0 fine, 1 faults in the word set or the database could not be
// written, 2 wrong command line.

#include "wordsource.hpp"

#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

int usage() {
    std::cerr << "usage: mkworddb [--no-totals] <out.db> <in.tsv> [in.tsv ...]\n"
                 "       mkworddb --check [--no-totals] <in.tsv> [in.tsv ...]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    bool checkOnly = false;
    bool totals = true;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--check") {
            checkOnly = true;
        } else if (arg == "--no-totals") {
            totals = false;
        } else if (arg.starts_with("--")) {
            std::cerr << "mkworddb: unknown option " << arg << '\n';
            return usage();
        } else {
            positional.emplace_back(arg);
        }
    }

    std::string outPath;
    if (!checkOnly) {
        if (positional.size() < 2) return usage();
        outPath = positional.front();
        positional.erase(positional.begin());
        if (outPath.ends_with(".tsv")) {
            std::cerr << "mkworddb: refusing to overwrite " << outPath
                      << " - the database comes first, then the word files\n";
            return 2;
        }
        // A stale database must not survive a failed run: the build would take it
        // for up to date.
        std::error_code ec;
        std::filesystem::remove(outPath, ec);
    }
    if (positional.empty()) return usage();

    worddb::WordSource source;
    for (const std::string& path : positional) source.addFile(path);
    if (totals) source.checkTotals();

    for (const worddb::Fault& f : source.faults()) std::cerr << worddb::formatFault(f) << '\n';
    if (!source.ok()) {
        std::cerr << "mkworddb: " << source.faults().size() << " fault(s)"
                  << (checkOnly ? "" : ", database not written") << '\n';
        return 1;
    }

    if (checkOnly) {
        std::cout << "mkworddb: " << source.records().size() << " words are fine\n";
        return 0;
    }
    if (const std::string error = worddb::writeDatabase(outPath, source.records()); !error.empty()) {
        std::cerr << "mkworddb: " << error << '\n';
        return 1;
    }
    std::cout << "mkworddb: wrote " << source.records().size() << " words to " << outPath << '\n';
    return 0;
}
