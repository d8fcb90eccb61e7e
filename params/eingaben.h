#pragma once

#include "currency.h"

#include <string_view>

namespace svp::params {

// What the inputs of a case can be: the years and states, the buttons of each option group and
// the amounts of the numeric fields.

// The years the program knows, and the year whose record file also remembers the year shown
// last (SV2008.xyz); a window opens on it before anything was saved.
inline constexpr int ErstesJahr = 2006;
inline constexpr int LetztesJahr = 2010;
inline constexpr int Stammjahr = 2008;

inline constexpr int AnzahlLaender = 16; // the federal states, index 0..15 in the state list
inline constexpr int AnzahlMonate = 12;  // month index 0 = January .. 11 = December

// Status of the main employment (option group HBOpt).
namespace status {
inline constexpr int Angestellter = 0;
inline constexpr int Beamter = 1;
inline constexpr int Schueler = 2;
inline constexpr int Auszubildender = 3;
inline constexpr int StudentAushilfe = 4;
inline constexpr int StudentVorNach = 5;
inline constexpr int StudentZwischen = 6;
inline constexpr int RentnerUeber65 = 7;
inline constexpr int RentnerUnter65 = 8;
inline constexpr int BURentner = 9;
inline constexpr int EURentner = 10;
inline constexpr int Selbstaendig = 11;
inline constexpr int Keine = 12;
} // namespace status

// A pupil's extent of work (option group Schueler).
namespace schuelerart {
inline constexpr int Sommerferien = 0;
inline constexpr int Laufend = 1; // ongoing, under 15 hours a week
inline constexpr int Schnupperwochen = 2;
inline constexpr int Sonstige = 3;
} // namespace schuelerart

// Health insurance (option groups HBKV and GBKV).
namespace kvstatus {
inline constexpr int Gesetzlich = 0;
inline constexpr int Firmenzahler = 1; // voluntarily insured, the employer pays
inline constexpr int Selbstzahler = 2; // voluntarily insured, pays himself
inline constexpr int Privat = 3;       // privately or not insured
} // namespace kvstatus

// Duration of the short-term employment (option group KBopt).
namespace kbart {
inline constexpr int ZweiMonate = 0;
inline constexpr int FuenfzigTage = 1;
inline constexpr int Laenger = 2;
} // namespace kbart

inline constexpr int LetzterHBStatus = status::Keine;
inline constexpr int LetzterKVStatus = kvstatus::Privat;
inline constexpr int LetzteSchuelerArt = schuelerart::Sonstige;
inline constexpr int LetzteKBArt = kbart::Laenger;

// The employer name that a new window and a new record show in every column until the user
// names the employer; a column that shows it names none.
inline constexpr const char* ArbeitgeberPlatzhalter = "Arbeitgeber";

// Whether an employer name, as the record pads it with blanks, names an employer: neither blank
// nor the placeholder.
constexpr bool arbeitgeberBenannt(std::string_view name)
{
    const auto anfang = name.find_first_not_of(' ');
    if (anfang == std::string_view::npos)
        return false;
    const auto ende = name.find_last_not_of(' ');
    return name.substr(anfang, ende - anfang + 1) != std::string_view(ArbeitgeberPlatzhalter);
}

// The amounts a numeric field of the window takes: at most five integer digits.
struct Wertebereich {
    Currency min, max;
};
inline constexpr Currency HoechsterBetrag = Currency::fromWhole(99999);
// The pay of the main employment and the wage of the first mini-job are never negative; the
// later mini-jobs, the month counts and the bonuses may carry corrections below zero.
inline constexpr Wertebereich Entgeltbereich{Currency(), HoechsterBetrag};
inline constexpr Wertebereich Korrekturbereich{-HoechsterBetrag, HoechsterBetrag};

} // namespace svp::params
