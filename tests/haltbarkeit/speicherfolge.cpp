#include "speicherfolge.h"

#include "engine/steuerung.h"

namespace svp::test {

namespace {

using engine::Feld;
using engine::Feldart;
using engine::Steuerung;
using params::Currency;

void tippen(Steuerung& sv, Feld feld, Currency wert)
{
    sv.fokusSetzen(feld);
    sv.eingeben(feld, wert);
    sv.Taste(feld, engine::TasteEnter);
}

std::vector<std::string> meldungen(Steuerung& sv)
{
    std::vector<std::string> texte;
    for (const auto& m : sv.nimmMeldungen()) {
        std::string text = m.titel;
        for (const auto& zeile : m.zeilen)
            text += " | " + zeile;
        texte.push_back(text);
    }
    return texte;
}

} // namespace

Folgefall folgefall(long k)
{
    Folgefall f;
    f.jahr = k % 3 == 0 ? 2008 : 2007;
    f.monat = static_cast<int>((k * 5) % 12); // 5 and 12 are coprime: every month in turn
    f.land = static_cast<int>((k * 7) % 16);
    f.status = static_cast<int>(k % 13);
    f.entgelt = Currency::fromCents(10000 + (k * 7919) % 900000);
    f.minijob = Currency::fromCents((k * 4099) % 90000);
    f.arbeitgeber = "Firma Nr. " + std::to_string(k);
    return f;
}

std::vector<std::string> folgeVorbereiten(const std::filesystem::path& verzeichnis)
{
    Steuerung sv(verzeichnis);
    sv.Form_Load();
    sv.Jahr_Click(2007 - params::ErstesJahr);
    return meldungen(sv);
}

std::vector<std::string> folgeSpeichern(const std::filesystem::path& verzeichnis, long k)
{
    const Folgefall f = folgefall(k);
    Steuerung sv(verzeichnis);
    sv.Form_Load();
    sv.Jahr_Click(f.jahr - params::ErstesJahr);
    sv.Monat_Click(f.monat);
    sv.Land_Click(f.land);
    sv.HBOpt_Click(f.status);
    sv.Arbeitgeber_Change(0, f.arbeitgeber);
    tippen(sv, {Feldart::HBEuro, 0}, f.entgelt);
    tippen(sv, {Feldart::loh, 1}, f.minijob);
    sv.Speichern_Click();
    return meldungen(sv);
}

} // namespace svp::test
