#include "hilfe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace svp::ui {

QString hilfeseiteSuchen(const QString& programmVerzeichnis)
{
    const QDir dir(programmVerzeichnis);
    for (const char* relativ : {"hilfe/index.html", "../share/svpflicht/hilfe/index.html"}) {
        const QFileInfo seite(dir.filePath(QString::fromLatin1(relativ)));
        if (seite.isFile())
            return QDir::cleanPath(seite.absoluteFilePath());
    }
    return {};
}

QUrl hilfeseite()
{
    const QString pfad = hilfeseiteSuchen(QCoreApplication::applicationDirPath());
    return pfad.isEmpty() ? QUrl() : QUrl::fromLocalFile(pfad);
}

Hilfefenster::Hilfefenster(const QUrl& seite, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Hilfefenster"));
    setWindowTitle(QStringLiteral("Hilfe – Bestimmung der Sozialversicherungspflicht"));

    m_browser = new QTextBrowser;
    m_browser->setObjectName(QStringLiteral("Hilfeseite"));
    m_browser->setAccessibleName(QStringLiteral("Hilfeseite"));
    m_browser->setOpenExternalLinks(true); // http(s) and mail addresses go to the desktop
    m_browser->setOpenLinks(true);         // the page's own anchors and files stay here

    const auto knopf = [this](const QString& name, const QString& text, QStyle::StandardPixmap bild,
                              const QKeySequence& taste) {
        auto* k = new QToolButton;
        k->setObjectName(name);
        k->setText(text);
        k->setAccessibleName(QString(text).remove(QLatin1Char('&')));
        k->setIcon(style()->standardIcon(bild));
        k->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        k->setShortcut(taste);
        k->setEnabled(false);
        return k;
    };
    m_zurueck =
        knopf(QStringLiteral("Zurueck"), QStringLiteral("Zurück"), QStyle::SP_ArrowBack, QKeySequence::Back);
    m_vor =
        knopf(QStringLiteral("Vor"), QStringLiteral("Vor"), QStyle::SP_ArrowForward, QKeySequence::Forward);
    connect(m_zurueck, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_vor, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_zurueck, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_vor, &QToolButton::setEnabled);

    // Escape and the button close the help; the main window stays as it was.
    auto* schliessen = new QPushButton(QStringLiteral("Schl&ießen"));
    schliessen->setObjectName(QStringLiteral("Schliessen"));
    schliessen->setAutoDefault(false);
    connect(schliessen, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

    auto* leiste = new QHBoxLayout;
    leiste->addWidget(m_zurueck);
    leiste->addWidget(m_vor);
    leiste->addStretch(1);
    leiste->addWidget(schliessen);
    auto* spalte = new QVBoxLayout(this);
    spalte->addLayout(leiste);
    spalte->addWidget(m_browser, 1);

    m_browser->setSource(seite);
    resize(760, 640);
}

} // namespace svp::ui
