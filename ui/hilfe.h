#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace svp::ui {

// The help page ships with the program: beside the executable as hilfe/index.html in a build
// tree, under share/svpflicht/hilfe/index.html in an installed one. Returns the first of the
// two that exists below `programmVerzeichnis`, or an empty string when neither does.
QString hilfeseiteSuchen(const QString& programmVerzeichnis);

// The help page of this program (looked up beside QCoreApplication::applicationDirPath()) as
// a local file address, or an empty address when the page is missing.
QUrl hilfeseite();

// The program's own help window: the shipped page in a browser of its own, with back and
// forward, following the links inside the page; a link to another site opens in the desktop's
// web browser. It needs no network and no installed browser.
class Hilfefenster : public QWidget
{
    Q_OBJECT

public:
    explicit Hilfefenster(const QUrl& seite, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
    QToolButton* m_zurueck;
    QToolButton* m_vor;
};

} // namespace svp::ui
