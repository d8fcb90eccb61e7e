#pragma once

#include "params/eingaben.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace svp::store {

// How the bytes of one field element are to be read.
enum class Kodierung {
    Ganzzahl, // 16-bit signed integer: option index, month count, result code, reserved value
    Schalter, // 16-bit integer holding -1 (true) or 0 (false)
    Betrag,   // 64-bit signed integer, Euro x 10 000
    Text,     // fixed text in Windows-1252, blank-padded to the element width
};

// The fields of a record in the order in which they lie on disk. Names of the case where the
// field carries a value of the case, Reserviert + offset for the fields the program never
// interprets.
enum class Satzfeld {
    Land,           // state index of the case; in record 1 also the head of the file
    Monat,          // record 1: month index of the last save in this year
    Jahr,           // record 1 of SV2008.xyz: year of the last save
    Arbeitgeber,    // employer names of the four columns, 35 characters each
    HBStatus,       // option index of HBOpt
    HBKV,           // option index of HBKV
    SchuelerArt,    // option index of Schueler
    HBCheck,        // HBUeber20
    HR,             // RVVoll, main employment
    HBEntgelt,      // monthly pay of the main employment
    KBArt,          // option index of KBopt
    Reserviert166,  // always 0
    KBCheck,        // KBMerker(0..2)
    GBKV,           // option index of GBKV
    GBCheck,        // RVVoll, minor employments (GBCheck(1))
    Privathaushalt, // priv(1), priv(2)
    Reserviert182,  // two per minor employment, always 0
    Monatslohn,     // loh(1), loh(2)
    Monate,         // Mon(1), Mon(2), whole months
    Urlaubsgeld,    // Url(1), Url(2)
    Weihnachtsgeld, // Wei(1), Wei(2)
    Ergebniscodes,  // codes of rows 37..40 at c + 4 x (r - 37)
    Reserviert274,  // the carried slot
    Reserviert276,
    Reserviert284,
    Reserviert292,
    Reserviert300,
    Reserviert302,
    Reserviert304,
    Reserviert306,
    Reserviert308, // depends on year and month when the record is created
    Reserviert310,
    Reserviert312, // depends on the state when the record is created
    Reserviert314, // a 4 x 4 table
    Reserviert346,
    Namen, // second name table: entries 0..3 the employer names in 50 characters
    Reserviert628,
};

// One field: `anzahl` elements of `breite` bytes each from `offset` on, and the value that a
// default record holds in every element (Betrag raw, Text as the text padded with blanks).
// Elements whose default differs from their neighbours' are set by Datensatz::standard.
struct Feldbeschreibung {
    Satzfeld feld;
    std::size_t offset;
    std::size_t breite;
    Kodierung kodierung;
    std::size_t anzahl;
    std::int64_t standardZahl;
    const char* standardText;
};

namespace detail {
constexpr std::int64_t euro(std::int64_t betrag)
{
    return betrag * 10000;
}
} // namespace detail

// The record of a month's case, 630 bytes, packed, little-endian.
inline constexpr std::array<Feldbeschreibung, 37> Satzaufbau = {{
    {Satzfeld::Land, 0, 2, Kodierung::Ganzzahl, 1, 0, ""},
    {Satzfeld::Monat, 2, 2, Kodierung::Ganzzahl, 1, 0, ""},
    {Satzfeld::Jahr, 4, 2, Kodierung::Ganzzahl, 1, 0, ""},
    {Satzfeld::Arbeitgeber, 6, 35, Kodierung::Text, 4, 0, params::ArbeitgeberPlatzhalter},
    {Satzfeld::HBStatus, 146, 2, Kodierung::Ganzzahl, 1, 0, ""},
    {Satzfeld::HBKV, 148, 2, Kodierung::Ganzzahl, 1, 0, ""},
    {Satzfeld::SchuelerArt, 150, 2, Kodierung::Ganzzahl, 1, 0, ""},
    {Satzfeld::HBCheck, 152, 2, Kodierung::Schalter, 1, 0, ""},
    {Satzfeld::HR, 154, 2, Kodierung::Schalter, 1, 0, ""},
    {Satzfeld::HBEntgelt, 156, 8, Kodierung::Betrag, 1, detail::euro(1000), ""},
    {Satzfeld::KBArt, 164, 2, Kodierung::Ganzzahl, 1, 0, ""},
    {Satzfeld::Reserviert166, 166, 2, Kodierung::Ganzzahl, 1, 0, ""},
    {Satzfeld::KBCheck, 168, 2, Kodierung::Schalter, 3, 0, ""},
    {Satzfeld::GBKV, 174, 2, Kodierung::Ganzzahl, 1, 0, ""},
    {Satzfeld::GBCheck, 176, 2, Kodierung::Schalter, 1, 0, ""},
    {Satzfeld::Privathaushalt, 178, 2, Kodierung::Schalter, 2, 0, ""},
    {Satzfeld::Reserviert182, 182, 2, Kodierung::Ganzzahl, 4, 0, ""},
    {Satzfeld::Monatslohn, 190, 8, Kodierung::Betrag, 2, 0, ""},
    {Satzfeld::Monate, 206, 2, Kodierung::Ganzzahl, 2, 12, ""},
    {Satzfeld::Urlaubsgeld, 210, 8, Kodierung::Betrag, 2, 0, ""},
    {Satzfeld::Weihnachtsgeld, 226, 8, Kodierung::Betrag, 2, 0, ""},
    {Satzfeld::Ergebniscodes, 242, 2, Kodierung::Ganzzahl, 16, 0, ""},
    {Satzfeld::Reserviert274, 274, 2, Kodierung::Ganzzahl, 1, 5, ""},
    {Satzfeld::Reserviert276, 276, 2, Kodierung::Ganzzahl, 4, 0, ""},
    {Satzfeld::Reserviert284, 284, 8, Kodierung::Betrag, 1, 0, ""},
    {Satzfeld::Reserviert292, 292, 8, Kodierung::Betrag, 1, 0, ""},
    {Satzfeld::Reserviert300, 300, 2, Kodierung::Ganzzahl, 1, 43, ""},
    {Satzfeld::Reserviert302, 302, 2, Kodierung::Ganzzahl, 1, 7, ""},
    {Satzfeld::Reserviert304, 304, 2, Kodierung::Ganzzahl, 1, 5, ""},
    {Satzfeld::Reserviert306, 306, 2, Kodierung::Ganzzahl, 1, 5, ""},
    {Satzfeld::Reserviert308, 308, 2, Kodierung::Ganzzahl, 1, 5, ""},
    {Satzfeld::Reserviert310, 310, 2, Kodierung::Ganzzahl, 1, 0, ""},
    {Satzfeld::Reserviert312, 312, 2, Kodierung::Ganzzahl, 1, 0, ""},
    {Satzfeld::Reserviert314, 314, 2, Kodierung::Ganzzahl, 16, 1, ""},
    {Satzfeld::Reserviert346, 346, 8, Kodierung::Betrag, 4, 0, ""},
    {Satzfeld::Namen, 378, 50, Kodierung::Text, 5, 0, ""},
    {Satzfeld::Reserviert628, 628, 2, Kodierung::Ganzzahl, 1, 0, ""},
}};

namespace detail {

constexpr std::size_t elementBreite(Kodierung k, std::size_t textBreite)
{
    switch (k) {
    case Kodierung::Ganzzahl:
    case Kodierung::Schalter:
        return 2;
    case Kodierung::Betrag:
        return 8;
    case Kodierung::Text:
        return textBreite;
    }
    return 0;
}

// The fields follow each other without a gap, in the order of Satzfeld, each element as wide as its
// encoding, and end at `laenge`.
constexpr bool lueckenlos(std::size_t laenge)
{
    std::size_t naechster = 0;
    for (std::size_t i = 0; i < Satzaufbau.size(); ++i) {
        const Feldbeschreibung& f = Satzaufbau[i];
        if (static_cast<std::size_t>(f.feld) != i || f.offset != naechster || f.anzahl == 0 ||
            f.breite != elementBreite(f.kodierung, f.breite))
            return false;
        naechster = f.offset + f.breite * f.anzahl;
    }
    return naechster == laenge;
}

} // namespace detail

constexpr const Feldbeschreibung& beschreibung(Satzfeld feld)
{
    return Satzaufbau[static_cast<std::size_t>(feld)];
}

} // namespace svp::store
