// How quickly the window answers: a wage typed and confirmed with Enter until the result
// labels show the new determination, and the start of the program until its window is shown.

#include "store/arbeitnehmerverzeichnis.h"
#include "ui/arbeitnehmerliste.h"
#include "ui/monatsliste.h"
#include "ui/sv.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Uhr = std::chrono::steady_clock;

// Message boxes would wait for a user; the measured cases raise none.
class KeineAnzeige : public svp::ui::MeldungsAnzeige
{
public:
    void zeigen(const svp::engine::Meldung&, QWidget*) override {}
};

struct Fenster {
    explicit Fenster(const QString& verzeichnis)
        : steuerung(verzeichnis.toStdString()), fenster(steuerung, &anzeige)
    {
        fenster.laden();
        fenster.show();
    }
    svp::engine::Steuerung steuerung;
    KeineAnzeige anzeige;
    svp::ui::SV fenster;
};

// A wage of the first mini-job that alternates between the mini-job range and the sliding
// zone, so that every Enter changes the result labels.
void enterImLohnfeld(benchmark::State& state, bool mitZeichnen, QSize groesse = QSize(1366 - 16, 720 - 40))
{
    QTemporaryDir dir;
    Fenster f(dir.path());
    // As large as on a common screen (1366 x 720 less the window manager's frame, by default),
    // the amounts beside the results.
    f.fenster.resize(groesse);
    if (!QTest::qWaitForWindowExposed(&f.fenster)) {
        state.SkipWithError("window not shown");
        return;
    }
    auto* loh = f.fenster.findChild<QLineEdit*>(QStringLiteral("loh(1)"));
    auto* kv = f.fenster.findChild<QLabel*>(QStringLiteral("SV1(37)"));
    bool hoch = false;
    for (auto _ : state) {
        hoch = !hoch;
        QTest::mouseClick(loh, Qt::LeftButton);
        QTest::keyClicks(loh, hoch ? QStringLiteral("450") : QStringLiteral("300"));
        QCoreApplication::processEvents();
        const QString vorher = kv->text();

        const auto beginn = Uhr::now();
        QTest::keyClick(loh, Qt::Key_Return);
        if (mitZeichnen)
            QCoreApplication::processEvents(); // the new texts painted
        const auto ende = Uhr::now();

        state.SetIterationTime(std::chrono::duration<double>(ende - beginn).count());
        if (kv->text() == vorher) {
            state.SkipWithError("result labels did not change");
            return;
        }
    }
}

void BM_EnterImLohnfeld(benchmark::State& state)
{
    enterImLohnfeld(state, false);
}
BENCHMARK(BM_EnterImLohnfeld)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_EnterImLohnfeldGezeichnet(benchmark::State& state)
{
    enterImLohnfeld(state, true);
}
BENCHMARK(BM_EnterImLohnfeldGezeichnet)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The same on a screen 1024 wide: the columns scroll, the results stand two above two.
void BM_EnterImLohnfeldGezeichnet1024(benchmark::State& state)
{
    enterImLohnfeld(state, true, QSize(1024 - 16, 768 - 40));
}
BENCHMARK(BM_EnterImLohnfeldGezeichnet1024)->UseManualTime()->Unit(benchmark::kMicrosecond);

// One digit typed: the key handler and the new value, each followed by drawing the state.
void BM_ZifferImLohnfeld(benchmark::State& state)
{
    QTemporaryDir dir;
    Fenster f(dir.path());
    auto* loh = f.fenster.findChild<QLineEdit*>(QStringLiteral("loh(1)"));
    QTest::mouseClick(loh, Qt::LeftButton);
    for (auto _ : state) {
        if (loh->text().size() >= 4)
            loh->selectAll();
        const auto beginn = Uhr::now();
        QTest::keyClick(loh, '7');
        const auto ende = Uhr::now();
        state.SetIterationTime(std::chrono::duration<double>(ende - beginn).count());
    }
}
BENCHMARK(BM_ZifferImLohnfeld)->UseManualTime()->Unit(benchmark::kMicrosecond);

// From the start of the program (the controller on the working directory) until the window is
// shown with the stored case: with the record files present, and on a first start in an empty
// directory, which creates SV2008.xyz.
void start(benchmark::State& state, bool ersterStart)
{
    QTemporaryDir vorhanden;
    {
        Fenster anlegen(vorhanden.path());
    }
    for (auto _ : state) {
        std::unique_ptr<QTemporaryDir> leer;
        QString verzeichnis = vorhanden.path();
        if (ersterStart) {
            leer = std::make_unique<QTemporaryDir>();
            verzeichnis = leer->path();
        }
        const auto beginn = Uhr::now();
        auto f = std::make_unique<Fenster>(verzeichnis);
        const bool gezeigt = QTest::qWaitForWindowExposed(&f->fenster);
        const auto ende = Uhr::now();
        if (!gezeigt) {
            state.SkipWithError("window not shown");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(ende - beginn).count());
        f.reset();
        QCoreApplication::processEvents();
    }
}

void BM_Start(benchmark::State& state)
{
    start(state, false);
}
BENCHMARK(BM_Start)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ErsterStart(benchmark::State& state)
{
    start(state, true);
}
BENCHMARK(BM_ErsterStart)->UseManualTime()->Unit(benchmark::kMillisecond);

// A cold start: a new process that starts Qt and the window and ends once the window is shown
// (this program called with --kaltstart), measured from outside including the process start.
void BM_Kaltstart(benchmark::State& state)
{
    QTemporaryDir dir;
    {
        Fenster anlegen(dir.path());
    }
    const QString programm = QCoreApplication::applicationFilePath();
    for (auto _ : state) {
        const auto beginn = Uhr::now();
        const int ergebnis = QProcess::execute(programm, {QStringLiteral("--kaltstart"), dir.path()});
        const auto ende = Uhr::now();
        if (ergebnis != 0) {
            state.SkipWithError("cold start failed");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(ende - beginn).count());
    }
}
BENCHMARK(BM_Kaltstart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// A data root with 1 000 employees, each with its data file and a saved year file.
QString tausendArbeitnehmer()
{
    static QTemporaryDir dir;
    static const bool angelegt = [] {
        const std::filesystem::path wurzel = dir.path().toStdString();
        {
            svp::engine::Steuerung s(wurzel);
            s.Form_Load();
        }
        const auto satzdatei = wurzel / "SV2008.xyz";
        const svp::store::Arbeitnehmerverzeichnis verzeichnis(wurzel);
        for (int i = 0; i < 1000; ++i) {
            svp::params::Arbeitnehmerdaten d;
            d.Name = (i % 2 ? "Müller, Anna " : "Özdemir, Ali ") + std::to_string(i);
            d.Personalnummer = std::to_string(10000 + i);
            const auto e = verzeichnis.anlegen(d);
            if (const auto* neu = std::get_if<svp::store::Arbeitnehmereintrag>(&e))
                std::filesystem::copy_file(satzdatei, neu->ordner / "SV2008.xyz");
        }
        return true;
    }();
    (void)angelegt;
    return dir.path();
}

struct Mitarbeiterfenster {
    explicit Mitarbeiterfenster(const QString& wurzel)
        : wahl(wurzel.toStdString()), fenster(wahl.steuerung(), &anzeige)
    {
        wahl.anbinden(fenster);
        fenster.laden();
        fenster.show();
    }
    svp::ui::Arbeitnehmerwahl wahl;
    KeineAnzeige anzeige;
    svp::ui::SV fenster;
};

// Start-up on a root of 1 000 employees until the window with the employee list is shown.
void BM_ArbeitnehmerlisteStart(benchmark::State& state)
{
    const QString wurzel = tausendArbeitnehmer();
    for (auto _ : state) {
        const auto beginn = Uhr::now();
        auto f = std::make_unique<Mitarbeiterfenster>(wurzel);
        const bool gezeigt = QTest::qWaitForWindowExposed(&f->fenster);
        const auto ende = Uhr::now();
        if (!gezeigt || f->wahl.eintraege().size() < 1000) {
            state.SkipWithError("window or list not shown");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(ende - beginn).count());
        f.reset();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_ArbeitnehmerlisteStart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// Choosing another employee in the list until the window shows its last saved month, drawn.
void BM_ArbeitnehmerWechseln(benchmark::State& state)
{
    Mitarbeiterfenster f(tausendArbeitnehmer());
    if (!QTest::qWaitForWindowExposed(&f.fenster)) {
        state.SkipWithError("window not shown");
        return;
    }
    int i = 0;
    for (auto _ : state) {
        i = (i + 37) % static_cast<int>(f.wahl.eintraege().size());
        const auto beginn = Uhr::now();
        const bool gewechselt = f.wahl.wechseln(i);
        QCoreApplication::processEvents();
        const auto ende = Uhr::now();
        if (!gewechselt) {
            state.SkipWithError("switch refused");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(ende - beginn).count());
    }
}
BENCHMARK(BM_ArbeitnehmerWechseln)->UseManualTime()->Unit(benchmark::kMillisecond);

// The window "Monatsliste" opened on 1 000 employees until it is shown with its rows.
void BM_MonatslisteFenster(benchmark::State& state)
{
    Mitarbeiterfenster f(tausendArbeitnehmer());
    for (auto _ : state) {
        const auto beginn = Uhr::now();
        auto liste = std::make_unique<svp::ui::Monatsliste>(
            f.wahl.verzeichnis(), 2008, 7, [](const std::string&, int, int) {}, f.anzeige);
        liste->show();
        const bool gezeigt = QTest::qWaitForWindowExposed(liste.get());
        const auto ende = Uhr::now();
        if (!gezeigt || liste->modell().rowCount() < 1000) {
            state.SkipWithError("month list not shown");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(ende - beginn).count());
    }
}
BENCHMARK(BM_MonatslisteFenster)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

int kaltstart(int argc, char** argv)
{
    QApplication app(argc, argv);
    Fenster f(QString::fromLocal8Bit(argv[2]));
    return QTest::qWaitForWindowExposed(&f.fenster) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::strcmp(argv[1], "--kaltstart") == 0)
        return kaltstart(argc, argv);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
