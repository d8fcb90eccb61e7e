#pragma once

#include "params/currency.h"
#include "store/satzaufbau.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace svp::store {

using params::Currency;

// One month's case in a record file: 630 bytes, little-endian, packed. Integers are 16-bit,
// flags are integers holding -1 (true) or 0, amounts are 64-bit integers in Euro x 10 000,
// texts are Windows-1252, blank-padded to a fixed width. The record is kept as its bytes, so
// that the reserved fields, which the program never interprets, are carried unchanged from
// reading to saving.
inline constexpr std::size_t SatzLaenge = 630;
inline constexpr int SaetzeProDatei = 12;

static_assert(detail::lueckenlos(SatzLaenge), "the record layout must cover exactly 630 bytes without a gap");

// What the window takes from a record and gives to it, each field in the program's own terms.
// Arrays of the minor employments are indexed 1 and 2, index 0 unused, as in the case.
struct Eintrag {
    std::array<std::string, 4> Arbeitgeber; // UTF-8, 35 characters as stored
    std::int16_t HBStatus = 0;              // option index of HBOpt, 0..12
    std::int16_t HBKV = 0;                  // option index of HBKV, 0..3
    std::int16_t SchuelerArt = 0;           // option index of Schueler, 0..3
    bool HBCheck = false;
    bool HR = false;
    Currency HBEntgelt;
    std::int16_t KBArt = 0; // option index of KBopt, 0..2
    std::array<bool, 3> KBCheck{};
    std::int16_t GBKV = 0; // option index of GBKV, 0..3
    bool GBCheck = false;  // GBCheck(1)
    std::array<bool, 3> priv{};
    std::array<Currency, 3> Monatslohn{};
    std::array<Currency, 3> Monate{};
    std::array<Currency, 3> Urlaubsgeld{};
    std::array<Currency, 3> Weihnachtsgeld{};
    std::int16_t Reserviert274 = 0; // the carried slot

    friend bool operator==(const Eintrag&, const Eintrag&) = default;
};

class Datensatz
{
public:
    // All 630 bytes zero: the buffer before anything was read.
    Datensatz() = default;

    // The default record written into a new year file: the head fields (state, month, year,
    // offsets 0..5) taken from `kopf`, every other field its default ("Arbeitgeber", pay 1000,
    // mini-job 380 x 12 + 40 + 200, the reserved defaults). `jahr` and `monat` are AktJahr and
    // Auswahl(20), `land` is Auswahl(2): three reserved fields depend on them.
    static Datensatz standard(const Datensatz& kopf, int jahr, int monat, int land);

    // The default record of a new file at the first start, head fields 0: what a record reads
    // as that no file holds, and where a stored value this program never writes falls back to.
    static const Datensatz& leer();

    static Datensatz ausBytes(const std::array<std::uint8_t, SatzLaenge>& bytes);
    const std::array<std::uint8_t, SatzLaenge>& bytes() const { return m_bytes; }

    // The head fields as stored (no check).
    std::int16_t land() const;
    std::int16_t monat() const;
    std::int16_t jahr() const;
    void setLand(std::int16_t land);
    void setMonat(std::int16_t monat);
    void setJahr(std::int16_t jahr);

    // The head fields checked: a value this program never writes reads as the default
    // record's (state 0, month 0, year 2008).
    int gueltigesLand() const;
    int gueltigerMonat() const;
    int gueltigesJahr() const;

    // The fields that restoring reads, each checked: an option index outside its group, a
    // flag other than -1/0 or an amount outside its field's range reads as the default
    // record's value.
    Eintrag eintrag() const;
    // The same into `ziel`, whose texts keep their room.
    void eintragLesen(Eintrag& ziel) const;

    // Saving: the fields of `e` in the order of the record; the reserved integers that are
    // always 0 are written as 0; the month counts rounded to whole numbers (halves to even);
    // the employer names cut to 35 characters, and in full up to 50 into the second name table.
    void uebernehmen(const Eintrag& e);

    // Result codes of rows 37..40: codes[c + 4 * (r - 37)].
    std::array<std::int16_t, 16> ergebniscodes() const;
    void setErgebniscodes(const std::array<std::int16_t, 16>& codes);

    // Field access by the layout, element `i` of the field counted from 0 (Monatslohn(1) is
    // element 0). zahl gives integers and flags as the stored 16-bit value and amounts raw
    // (Euro x 10 000); text gives the stored characters as UTF-8, with the trailing blanks.
    // setZahl stores the low 16 bits into an integer or flag; setText cuts or pads to the width
    // of the field. An element or encoding that the field does not have is a programming error:
    // reading gives 0 or "", writing does nothing.
    std::int64_t zahl(Satzfeld feld, std::size_t i = 0) const;
    void setZahl(Satzfeld feld, std::size_t i, std::int64_t wert);
    std::string text(Satzfeld feld, std::size_t i) const;
    void setText(Satzfeld feld, std::size_t i, std::string_view utf8);

    friend bool operator==(const Datensatz&, const Datensatz&) = default;

private:
    std::array<std::uint8_t, SatzLaenge> m_bytes{};
};

} // namespace svp::store
