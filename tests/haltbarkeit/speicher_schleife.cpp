// The child of the crash test: saves the cases of the known sequence (speicherfolge.h) from
// number `erste` on, without end, in the directory given, until it is killed. On its standard
// output it writes, as 8-byte integers, 0 once it runs and then the number of each save done.
#include "speicherfolge.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

bool melden(std::int64_t wert)
{
    return ::write(STDOUT_FILENO, &wert, sizeof wert) == static_cast<ssize_t>(sizeof wert);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: %s VERZEICHNIS ERSTE-NUMMER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path verzeichnis = argv[1];
    const long erste = std::stol(argv[2]);
    if (!melden(0))
        return 2;
    for (long k = erste;; ++k) {
        const auto meldungen = svp::test::folgeSpeichern(verzeichnis, k);
        if (!meldungen.empty()) {
            for (const auto& m : meldungen)
                std::fprintf(stderr, "Speichern Nr. %ld: %s\n", k, m.c_str());
            return 3;
        }
        if (!melden(k))
            return 2;
    }
}
