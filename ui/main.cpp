#include "store/dateigrenze.h"
#include "ui/hilfe.h"
#include "ui/sv.h"

#include <filesystem>
#include <system_error>

#include <QApplication>

// The program: one window on the record files of the working directory.
int main(int argc, char* argv[])
{
    svp::store::dateigrenzeAlsFehler();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("svpflicht"));
    svp::ui::qtAufDeutsch(app);

    // A working directory that was removed has no absolute name; the files are then sought
    // relative to it, and the window reports that they cannot be opened.
    std::error_code fehler;
    std::filesystem::path verzeichnis = std::filesystem::current_path(fehler);
    if (fehler)
        verzeichnis = ".";
    svp::engine::Steuerung steuerung(verzeichnis);
    svp::ui::SV fenster(steuerung);
    fenster.laden();
    fenster.show();
    return QApplication::exec();
}
