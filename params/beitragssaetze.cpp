#include "beitragssaetze.h"

#include <array>
#include <cstdint>

namespace svp::params {

namespace {

// Percent with two decimals (1990 = 19,90 %), Euro in cents, the factor F in ten-thousandths.
constexpr Currency prozent(std::int64_t hundertstel)
{
    return Currency::fromCents(hundertstel);
}
constexpr Currency euro(std::int64_t cent)
{
    return Currency::fromCents(cent);
}
constexpr Currency faktor(std::int64_t zehntausendstel)
{
    return Currency::fromRaw(zehntausendstel);
}

// A period that carries over the values of the one before it except for what changed on its
// first day, so that each value of the law is written once, where it came into force.
template <typename Aenderung>
constexpr Beitragssaetze ab(Beitragssaetze vorher, int von, int bis, Aenderung aenderung)
{
    vorher.von = von;
    vorher.bis = bis;
    aenderung(vorher);
    return vorher;
}

// Source numbers in brackets are those of the list of sources kept with the amount rules.
constexpr Beitragssaetze Jan2006 = {
    .von = monatsnummer(2006, 0),
    .bis = monatsnummer(2006, 5),
    // Each fund's own general rate until the uniform rate of 2009 (§ 241 SGB V as then in force).
    .kvSatz = std::nullopt,
    .kvSatzErmaessigt = std::nullopt,
    .kvNurAN = prozent(90),               // [4] employee only since 1.7.2005, § 241a, § 249 Abs. 1 SGB V
    .kvPauschal122 = prozent(1000),       // the employer-only 10 % that KV code 122 names
    .pvSatz = prozent(170),               // § 55 Abs. 1 SGB XI
    .pvZuschlagKinderlos = prozent(25),   // § 55 Abs. 3 SGB XI
    .pvSachsen = prozent(50),             // [9, 10] § 58 Abs. 3 SGB XI: Sachsen kept its holiday
    .rvSatz = prozent(1950),              // [11] § 158 SGB VI
    .avSatz = prozent(650),               // [11] § 341 Abs. 2 SGB III
    .gleitF = faktor(5967),               // [1] § 163 Abs. 10 SGB VI
    .miniKV = prozent(1100),              // [15] § 249b Satz 1 SGB V
    .miniRV = prozent(1200),              // [15] § 172 Abs. 3 SGB VI
    .haushaltKV = prozent(500),           // [15] § 249b Satz 2 SGB V
    .haushaltRV = prozent(500),           // [15] § 172 Abs. 3a SGB VI
    .pauschsteuer = prozent(200),         // [15] § 40a Abs. 2 EStG
    .rvMindestgrundlage = euro(15500),    // § 163 Abs. 8 SGB VI
    .geringverdienergrenze = euro(32500), // [23] § 20 Abs. 3 Satz 1 Nr. 1 SGB IV
    .u1Mini = prozent(10),                // [17] §§ 7, 9 AAG: the statute of the mini-job fund
    .u2Mini = prozent(0),                 // [17] none collected; the household total of 13,7 % leaves no room
    .insolvenz = std::nullopt,            // [19] not collected monthly before 2009
    .haushaltUV = prozent(160),           // [20] household accident insurance
    .bbgKV = euro(356250),                // [11] § 223 Abs. 3 SGB V, § 55 Abs. 2 SGB XI
    .bbgRVWest = euro(525000),            // [11] § 159 SGB VI, § 341 Abs. 4 SGB III
    .bbgRVOst = euro(440000),             // [11] § 275a SGB VI
};

// Haushaltsbegleitgesetz 2006: higher flat rates of commercial mini-jobs, households unchanged.
constexpr Beitragssaetze Jul2006 = ab(Jan2006, monatsnummer(2006, 6), monatsnummer(2006, 11), [](auto& s) {
    s.gleitF = faktor(7160);  // [1] also § 163 Abs. 10 Satz 4 SGB VI
    s.miniKV = prozent(1300); // [15]
    s.miniRV = prozent(1500); // [15]
});

constexpr Beitragssaetze Jan2007 = ab(Jul2006, monatsnummer(2007, 0), monatsnummer(2007, 11), [](auto& s) {
    s.gleitF = faktor(7673);   // [1]
    s.rvSatz = prozent(1990);  // [12] § 158 SGB VI
    s.avSatz = prozent(420);   // [12] § 341 Abs. 2 SGB III
    s.bbgRVOst = euro(455000); // [12]
});

constexpr Beitragssaetze Jan2008 = ab(Jan2007, monatsnummer(2008, 0), monatsnummer(2008, 5), [](auto& s) {
    s.gleitF = faktor(7732);    // [1]
    s.avSatz = prozent(330);    // [9]
    s.bbgKV = euro(360000);     // [9]
    s.bbgRVWest = euro(530000); // [9]
    s.bbgRVOst = euro(450000);  // [9]
});

// Pflege-Weiterentwicklungsgesetz: PV from 1 July 2008.
constexpr Beitragssaetze Jul2008 = ab(Jan2008, monatsnummer(2008, 6), monatsnummer(2008, 11), [](auto& s) {
    s.pvSatz = prozent(195); // [8] § 55 Abs. 1 SGB XI
});

// The health fund: one general rate for every fund (BGBl. 2008 I S. 2109), U1/U2 of the
// mini-job fund raised, the insolvency levy collected with the contributions.
constexpr Beitragssaetze Jan2009 = ab(Jul2008, monatsnummer(2009, 0), monatsnummer(2009, 5), [](auto& s) {
    s.kvSatz = prozent(1460);           // [5] § 241 SGB V, 15,5 % less the 0,9
    s.kvSatzErmaessigt = prozent(1400); // [7] § 243 SGB V, 14,9 % less the 0,9
    s.avSatz = prozent(280);            // [13] § 341 Abs. 2 SGB III
    s.gleitF = faktor(7472);            // [1, 2] for the whole of 2009
    s.u1Mini = prozent(60);             // [17]
    s.u2Mini = prozent(7);              // [17, 18]
    s.insolvenz = prozent(10);          // [19] §§ 358-360 SGB III
    s.bbgKV = euro(367500);             // [13]
    s.bbgRVWest = euro(540000);         // [13]
    s.bbgRVOst = euro(455000);          // [13]
});

// Konjunkturpaket II: the general rate lowered by 0,6 from 1 July 2009.
constexpr Beitragssaetze Jul2009 = ab(Jan2009, monatsnummer(2009, 6), monatsnummer(2009, 11), [](auto& s) {
    s.kvSatz = prozent(1400);           // [6] § 241 SGB V, 14,9 % less the 0,9
    s.kvSatzErmaessigt = prozent(1340); // [6] § 243 SGB V
});

constexpr Beitragssaetze Jan2010 = ab(Jul2009, monatsnummer(2010, 0), monatsnummer(2010, 11), [](auto& s) {
    s.gleitF = faktor(7585);    // [1, 3]
    s.insolvenz = prozent(41);  // [19]
    s.bbgKV = euro(375000);     // [14]
    s.bbgRVWest = euro(550000); // [14]
    s.bbgRVOst = euro(465000);  // [14]
});

constexpr std::array<Beitragssaetze, 8> Tabelle = {
    Jan2006, Jul2006, Jan2007, Jan2008, Jul2008, Jan2009, Jul2009, Jan2010,
};

constexpr bool lueckenlos()
{
    int naechster = monatsnummer(2006, 0);
    for (const auto& zeile : Tabelle) {
        if (zeile.von != naechster || zeile.bis < zeile.von)
            return false;
        naechster = zeile.bis + 1;
    }
    return naechster == monatsnummer(2010, 11) + 1;
}
static_assert(lueckenlos(), "the periods cover January 2006 to December 2010 in order, without gaps");

} // namespace

namespace {

// The row of each month from January 2006, so that a determination finds its row at once.
constexpr int ErsterMonat = monatsnummer(2006, 0);
constexpr int AnzahlMonate = monatsnummer(2010, 11) - ErsterMonat + 1;
constexpr std::array<std::uint8_t, AnzahlMonate> ZeileDesMonats = [] {
    std::array<std::uint8_t, AnzahlMonate> zeilen{};
    for (std::size_t z = 0; z < Tabelle.size(); ++z)
        for (int monat = Tabelle[z].von; monat <= Tabelle[z].bis; ++monat)
            zeilen[static_cast<std::size_t>(monat - ErsterMonat)] = static_cast<std::uint8_t>(z);
    return zeilen;
}();

} // namespace

const Beitragssaetze* beitragssaetze(int jahr, int monatsindex)
{
    if (monatsindex < 0 || monatsindex > 11)
        return nullptr;
    const int monat = monatsnummer(jahr, monatsindex) - ErsterMonat;
    if (monat < 0 || monat >= AnzahlMonate)
        return nullptr;
    return &Tabelle[ZeileDesMonats[static_cast<std::size_t>(monat)]];
}

std::span<const Beitragssaetze> beitragssatzTabelle()
{
    return Tabelle;
}

} // namespace svp::params
