#pragma once

#include "currency.h"

#include <optional>
#include <span>

namespace svp::params {

// A calendar month as one number, for the bounds of a period: year × 12 + month index
// (0 = January), so that months compare and count across the turn of a year.
constexpr int monatsnummer(int jahr, int monatsindex)
{
    return jahr * 12 + monatsindex;
}

// The legal values behind the contribution amounts for one period of months, each as the
// statute or the ordinance of the year sets it. Rates are percent on the Currency scale
// (19,9 % is 199 000 raw), the sliding-zone factor F is a plain number (0,7585 is 7 585
// raw), limits are Euro per month.
struct Beitragssaetze {
    int von = 0; // first month (monatsnummer), inclusive
    int bis = 0; // last month, inclusive

    // Health insurance. Until 2008 every fund set its own general rate; from 2009 one rate
    // holds for all (absent before). The employee-only 0,9 comes on top of either.
    std::optional<Currency> kvSatz;
    std::optional<Currency> kvSatzErmaessigt; // without entitlement to sick pay
    Currency kvNurAN;
    Currency kvPauschal122; // employer-only flat rate of KV code 122

    // Care insurance: the rate shared half and half, the surcharge of the childless (employee
    // only) and the share that Sachsen moves from the employer to the employee.
    Currency pvSatz;
    Currency pvZuschlagKinderlos;
    Currency pvSachsen;

    Currency rvSatz;
    Currency avSatz;

    Currency gleitF; // factor F of the sliding-zone formula

    // Employer's flat rates of a mini-job, commercial and in a private household, and the
    // flat wage tax.
    Currency miniKV;
    Currency miniRV;
    Currency haushaltKV;
    Currency haushaltRV;
    Currency pauschsteuer;

    Currency rvMindestgrundlage;    // minimum base of a mini-job topped up to full RV
    Currency geringverdienergrenze; // trainees up to this pay: the employer bears all

    // Employer's levies: sick pay (U1) and maternity (U2) of the mini-job fund, the levy for
    // the insolvency allowance (absent where it was not collected monthly), and the
    // accident insurance of a household mini-job.
    Currency u1Mini;
    Currency u2Mini;
    std::optional<Currency> insolvenz;
    Currency haushaltUV;

    // Monthly contribution ceilings: KV and PV one value for Germany, RV and AV West and Ost.
    Currency bbgKV;
    Currency bbgRVWest;
    Currency bbgRVOst;

    // The employee's top-up of a mini-job to the full RV rate: the full rate less the
    // employer's flat rate, never a value of its own.
    constexpr Currency aufstockung() const { return rvSatz - miniRV; }
    constexpr Currency aufstockungHaushalt() const { return rvSatz - haushaltRV; }
};

// The values of the month `monatsindex` (0 = January) of `jahr`; nothing outside
// January 2006 to December 2010.
const Beitragssaetze* beitragssaetze(int jahr, int monatsindex);

// Every period in order, from January 2006 to December 2010 without gaps.
std::span<const Beitragssaetze> beitragssatzTabelle();

} // namespace svp::params
