#include "ui/sv.h"

#include <filesystem>

#include <QApplication>

// The program: one window on the record files of the working directory.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("svpflicht"));

    svp::engine::Steuerung steuerung(std::filesystem::current_path());
    svp::ui::SV fenster(steuerung);
    fenster.laden();
    fenster.show();
    return QApplication::exec();
}
