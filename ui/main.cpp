#include "store/dateigrenze.h"
#include "ui/anwendung.h"
#include "ui/arbeitnehmerliste.h"
#include "ui/befehlszeile.h"
#include "ui/sv.h"

#include <filesystem>
#include <system_error>

#include <QApplication>

// The program: one window on the record files of the working directory. A call with arguments
// (--help, --version, --pruefbeleg) is answered without a window.
int main(int argc, char* argv[])
{
    svp::store::dateigrenzeAlsFehler();
    svp::ui::anwendungBenennen();
    const svp::ui::Aufruf aufruf =
        svp::ui::aufrufLesen(std::vector<std::string_view>(argv + (argc > 0 ? 1 : 0), argv + argc));
    if (aufruf.art != svp::ui::Aufruf::Art::Fenster)
        return svp::ui::ohneFenster(aufruf, argc, argv);

    QApplication app(argc, argv);
    svp::ui::qtAufDeutsch(app);

    // A working directory that was removed has no absolute name; the files are then sought
    // relative to it, and the window reports that they cannot be opened.
    std::error_code fehler;
    std::filesystem::path verzeichnis = std::filesystem::current_path(fehler);
    if (fehler)
        verzeichnis = ".";
    // The working directory is the data root: each employee's record files lie in a folder
    // below it, or, as before there were employees, in the root itself.
    svp::ui::Arbeitnehmerwahl arbeitnehmer(verzeichnis);
    svp::ui::SV fenster(arbeitnehmer.steuerung());
    arbeitnehmer.anbinden(fenster);
    fenster.laden();
    // A new root now holds the record files of its first, unnamed employee.
    arbeitnehmer.neuAuflisten();
    fenster.show();
    return QApplication::exec();
}
