#include "jahresdatei.h"

#include <algorithm>
#include <cstdint>

namespace svp::store {

Ergebnis<Jahresdatei> jahresdateiLesen(const std::filesystem::path& datei, Dateien& dateien)
{
    std::array<std::uint8_t, SatzLaenge * SaetzeProDatei> bytes{};
    Jahresdatei j;
    std::size_t gelesen = 0;
    if (Grund g = dateien.liesBereich(datei, 0, bytes.data(), bytes.size(), j.vorhanden, gelesen))
        return Fehler{Fehler::Art::Lesen, datei.filename().string(), *g};
    j.ganzeSaetze = static_cast<int>(gelesen / SatzLaenge);
    for (int monat = 0; monat < SaetzeProDatei; ++monat) {
        auto& satz = j.saetze[static_cast<std::size_t>(monat)];
        if (!j.ganz(monat)) {
            satz = Datensatz::leer();
            continue;
        }
        std::array<std::uint8_t, SatzLaenge> s{};
        const auto anfang = bytes.begin() + static_cast<std::ptrdiff_t>(monat) * SatzLaenge;
        std::copy(anfang, anfang + SatzLaenge, s.begin());
        satz = Datensatz::ausBytes(s);
    }
    return j;
}

} // namespace svp::store
