#include "mini.h"

#include "fixed_text.h"

#include <utility>

namespace svp::params {

const std::array<const char*, StateCount> LandNamen = {
    "Baden-Württ.", "Bayern",         "Berlin",           "Brandenburg",      "Bremen",        "Hamburg",
    "Hessen",       "Mecklenb.-Vp.",  "Niedersachsen",    "Nordrhein-Westf.", "Rheinl.-Pfalz", "Saarland",
    "Sachsen",      "Sachsen-Anhalt", "Schleswig-Holst.", "Thüringen",
};

const std::array<const char*, MonthCount> MonatNamen = {
    "JAN.", "FEB.", "MÄRZ", "APRIL", "MAI", "JUNI", "JULI", "AUG.", "SEPT.", "OKT.", "NOV.", "DEZ.",
};

namespace {

// General KV contribution rates by state (rows of the state list) and loader year, in
// hundredths of a percent. 2009 and 2010 share one loader.
enum LoaderYear { Y2006, Y2007, Y2008, Y2009, LoaderYears };

constexpr std::array<std::array<std::int16_t, LoaderYears>, StateCount> KVSaetze = {{
    {1390, 1450, 1450, 1450}, // Baden-Württ.
    {1360, 1450, 1450, 1450}, // Bayern
    {1460, 1580, 1580, 1580}, // Berlin
    {1460, 1580, 1580, 1580}, // Brandenburg
    {1360, 1490, 1490, 1490}, // Bremen
    {1360, 1430, 1430, 1430}, // Hamburg
    {1400, 1430, 1430, 1430}, // Hessen
    {1440, 1490, 1490, 1490}, // Mecklenb.-Vp.
    {1400, 1500, 1580, 1580}, // Niedersachsen (2007: from July see below)
    {1350, 1410, 1410, 1410}, // Nordrhein-Westf.
    {1300, 1380, 1380, 1380}, // Rheinl.-Pfalz
    {1330, 1550, 1550, 1550}, // Saarland (2006: from June see below)
    {1460, 1580, 1580, 1580}, // Sachsen
    {1200, 1290, 1290, 1290}, // Sachsen-Anhalt
    {1350, 1480, 1480, 1480}, // Schleswig-Holst.
    {1440, 1530, 1530, 1530}, // Thüringen
}};

// The rate changes in the middle of a year: from month index `fromMonth` on, `rate`.
struct MidYearChange {
    LoaderYear year;
    int row;
    int fromMonth;
    std::int16_t rate;
};

constexpr std::array<MidYearChange, 2> MidYearChanges = {{
    {Y2006, 11, 5, 1390}, // Saarland, June 2006
    {Y2007, 8, 6, 1580},  // Niedersachsen, July 2007
}};

void loadYear(Mini::Tafel& tafel, LoaderYear year)
{
    for (int row = 0; row < StateCount; ++row)
        for (int month = 0; month < MonthCount; ++month)
            tafel[row][month][0] = KVSaetze[row][year];
    for (const auto& change : MidYearChanges)
        if (change.year == year)
            for (int month = change.fromMonth; month < MonthCount; ++month)
                tafel[change.row][month][0] = change.rate;
}

// Employee halves of the PV, RV and AV rates, in ten-thousandths of a percent.
struct Anteile {
    int year;
    int fromMonth;
    std::int64_t pv, rv, av;
};

constexpr std::array<Anteile, 6> AnteileNachJahr = {{
    {2006, 0, 8500, 97500, 32500},
    {2007, 0, 8500, 99500, 21000},
    {2008, 0, 8500, 99500, 16500},
    {2008, 6, 9500, 99500, 16500},
    {2009, 0, 9750, 99500, 16500},
    {2010, 0, 9750, 99500, 16500},
}};

struct CodeText {
    int code;
    const char* text;
};

constexpr std::array<CodeText, 8> LStTexte = {{
    {1, "Lohnsteuer Kl. I - III"},
    {2, "Lohnsteuer Kl. IV"},
    {3, "Lohnsteuer Kl. V"},
    {4, "Lohnsteuer Kl. VI"},
    {51, "Lohnsteuer lt. Eingabe"},
    {52, "Nichtveranlagungsbescheinigung"},
    {53, "Pauschalsteuer AG=2%, AN=0%"},
    {54, "Pauschalsteuer AG=0%, AN=2%"},
}};

// KV 126 is set separately: its text depends on the period.
constexpr std::array<CodeText, 7> KVFesttexte = {{
    {122, "KV. AN=0%, AG=10%"},
    {123, "Befreit von der KV-Pflicht"},
    {124, "KV-Beitrag laut Eingabe"},
    {125, "KV-AG-Zuschuß laut Eingabe"},
    {127, "KV. AN=0%, AG=0%"},
    {128, "KV-Gleitzone - einzige Beschäftigung"},
    {129, "KV-Gleitzone lt. bes. Berechnung"},
}};

constexpr std::array<CodeText, 5> PVFesttexte = {{
    {4, "Befreit von der PV-Pflicht"},
    {5, "Pflegevers.AG-Zusch.lt.Eingabe"},
    {6, "Pflegeversicherung lt. Eingabe"},
    {7, "PV-Gleitzone bei einziger Beschäft."},
    {8, "PV-Gleitzone lt.bes. Berechnung"},
}};

constexpr std::array<CodeText, 7> RVFesttexte = {{
    {1, "Befreit von der RV-Pflicht"},
    {4, "Rentenversicherung lt. Eingabe"},
    {7, "RV-Gleitz.-einzige Besch.RV gekürzt"},
    {8, "RV-Gleitz.-einzige Besch.RV voll"},
    {9, "RV-Gleitz. lt.bes.Ber. RV gekürzt"},
    {10, "RV-Gleitz. lt.bes.Ber. RV voll"},
    {11, "Haushaltsscheckverfahren"},
}};

constexpr std::array<CodeText, 6> AVFesttexte = {{
    {1, "Arbeitslosenversich. lt.Eingabe"},
    {2, "Befreit von der AV-Pflicht"},
    {3, "AV-Gleitzone bei einziger Beschäftig."},
    {4, "AV-Gleitzone lt.bes. Berechnung"},
    {5, "AV, AN = 0 %, AG = 6,5 %"},
    {6, "AV, AN = 0 %, AG = 3,25 %§"},
}};

template <std::size_t N, std::size_t M>
void setTexts(std::array<std::string, N>& table, const std::array<CodeText, M>& texts)
{
    for (const auto& entry : texts)
        table[static_cast<std::size_t>(entry.code)] = fixedText(entry.text, TextWidth);
}

template <std::size_t N> void setText(std::array<std::string, N>& table, int code, const std::string& text)
{
    table[static_cast<std::size_t>(code)] = fixedText(text, TextWidth);
}

} // namespace

Mini::Mini()
{
    const std::string blank(TextWidth, ' ');
    LStText.fill(blank);
    KVText.fill(blank);
    PVText.fill(blank);
    RVText.fill(blank);
    AVText.fill(blank);
    HinweisText.fill(blank);
}

void Mini::tafel2006()
{
    loadYear(Beitragstafel, Y2006);
}
void Mini::tafel2007()
{
    loadYear(Beitragstafel, Y2007);
}
void Mini::tafel2008()
{
    loadYear(Beitragstafel, Y2008);
}
void Mini::tafel2009()
{
    loadYear(Beitragstafel, Y2009);
}

void Mini::beitragstafelLaden()
{
    switch (AktJahr) {
    case 2006:
        tafel2006();
        break;
    case 2007:
        tafel2007();
        break;
    case 2008:
        tafel2008();
        break;
    case 2009:
    case 2010:
        tafel2009();
        break;
    default:
        break;
    }
}

std::int16_t Mini::kvSatz(int row) const
{
    const int month = Auswahl[AuswahlMonat];
    if (row < 0 || row >= static_cast<int>(Beitragstafel.size()) || month < 0 || month >= MonthCount)
        return 0;
    return Beitragstafel[static_cast<std::size_t>(row)][static_cast<std::size_t>(month)][0];
}

void Mini::jahreswerte()
{
    if (AktJahr < FirstYear || AktJahr > LastYear)
        return;
    const int month = Auswahl[AuswahlMonat];
    for (const auto& a : AnteileNachJahr) {
        if (a.year == AktJahr && month >= a.fromMonth) {
            PVSatzAN = Currency::fromRaw(a.pv);
            RVSatzAN = Currency::fromRaw(a.rv);
            AVSatzAN = Currency::fromRaw(a.av);
        }
    }
}

void Mini::textefuellen()
{
    // The first half of 2006 had the older flat rates of mini jobs (KV 11 %, RV 12 %).
    const bool before2006 = AktJahr < 2006;
    const bool firstHalf2006 = AktJahr == 2006 && Auswahl[AuswahlMonat] < 6;
    const Currency two = Currency::fromWhole(2);

    setTexts(LStText, LStTexte);

    for (int i = 0; i <= 60; ++i) {
        const std::string rate = Currency::fromRaw((100 + i) * 1000).formatGeneral();
        setText(KVText, 2 * i, "KV-Beitrag           " + rate + " % / 2");
        setText(KVText, 2 * i + 1, "KV-AG-Zuschuß " + rate + " % / 2");
    }
    setTexts(KVText, KVFesttexte);
    if (!before2006)
        setText(KVText, 126, firstHalf2006 ? "KV. AN=0%, AG=11%" : "KV. AN=0%, AG=13%");

    const Currency p = two * PVSatzAN;
    const Currency sachsen = Currency::fromCents(135);
    setText(PVText, 0, "Pflegevers. " + p.formatGeneral() + " % / 2");
    setText(PVText, 1, "Pflegevers.AG-Zusch." + p.formatGeneral() + " % / 2");
    setText(PVText, 2, "Pfl.vers.Sachsen 1,35 % von " + p.formatGeneral());
    setText(PVText, 3,
            "Pfl.V. Sachs.AG-Zusch. " + (p - sachsen).formatGeneral() + " % von " + p.formatGeneral());
    setTexts(PVText, PVFesttexte);

    const Currency q = two * RVSatzAN;
    setText(RVText, 0, "Rentenvers. " + q.formatGeneral() + " % / 2");
    if (!before2006) {
        const Currency flat = Currency::fromWhole(firstHalf2006 ? 12 : 15);
        setText(RVText, 2, "RV. AN=0%, AG=" + flat.formatGeneral() + "%");
        setText(RVText, 3,
                "RV. AN=" + (q - flat).formatGeneral() + " %, AG = " + flat.formatGeneral() + " %");
    }
    setText(RVText, 5, "Rentenvers. AG-Zuschuß " + q.formatGeneral() + " % / 2");
    setText(RVText, 6, "Rentenvers. AN=0 / AG=" + q.formatGeneral() + " % / 2");
    setTexts(RVText, RVFesttexte);

    const Currency a = two * AVSatzAN;
    setText(AVText, 0, "Arbeitslosenvers. " + a.formatGeneral() + " % / 2");
    setTexts(AVText, AVFesttexte);

    setText(HinweisText, 0, "ggfl. Zusatzbeitr. zu KV und PV");
}

} // namespace svp::params
