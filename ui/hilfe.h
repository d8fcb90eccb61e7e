#pragma once

#include <QString>
#include <QUrl>

namespace svp::ui {

// The help page ships with the program: beside the executable as hilfe/index.html in a build
// tree, under share/svpflicht/hilfe/index.html in an installed one. Returns the first of the
// two that exists below `programmVerzeichnis`, or an empty string when neither does.
QString hilfeseiteSuchen(const QString& programmVerzeichnis);

// The help page of this program (looked up beside QCoreApplication::applicationDirPath()) as
// a local file address, or an empty address when the page is missing.
QUrl hilfeseite();

} // namespace svp::ui
