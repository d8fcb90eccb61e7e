#pragma once

#include "currency.h"

#include <compare>
#include <optional>
#include <string>

namespace svp::params {

// A calendar date as the employee data holds it ("JJJJ-MM-TT").
struct Datum {
    int jahr = 0;
    int monat = 0; // 1..12
    int tag = 0;   // 1..31
    friend constexpr auto operator<=>(const Datum&, const Datum&) = default;
};

// What belongs to the employee rather than to one month's case: who it is and the facts the
// contribution amounts need beyond the case. Kept in the employee's data file, never in the
// monthly record. Every optional starts "nicht angegeben"; what stands in for a missing
// value (and the hint that says so) is the amounts' business, not this struct's.
struct Arbeitnehmerdaten {
    std::string Name;           // at most 60 characters
    std::string Personalnummer; // at most 20 characters
    std::optional<Datum> Geburtsdatum;
    // No proof of parenthood: the childless surcharge of the care insurance is due.
    std::optional<bool> Kinderlos;
    // The fund's general KV rate in percent, without the employee-only 0.9 (2006 to 2008;
    // from 2009 one rate holds for every fund): 14.5 % is 145 000 on the Currency scale.
    std::optional<Currency> KVSatzKasse;
    // Reduced KV rate: no entitlement to sick pay.
    std::optional<bool> KVErmaessigt;
    // Berlin only: the employment belongs to the eastern pension area.
    std::optional<bool> RechtskreisOst;
    // The employer takes part in the U1 levy (sick-pay reimbursement); taken as yes when absent.
    std::optional<bool> U1;
    std::string Versicherungsnummer; // social-insurance number, 12 characters
    std::string Krankenkasse;

    friend bool operator==(const Arbeitnehmerdaten&, const Arbeitnehmerdaten&) = default;
};

} // namespace svp::params
