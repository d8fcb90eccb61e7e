#include "daneben.h"

#include <algorithm>

#include <QRect>
#include <QScreen>
#include <QWidget>

namespace svp::ui {

void danebenStellen(QWidget* fenster, const QWidget* haupt)
{
    const QScreen* bildschirm = haupt->screen();
    if (bildschirm == nullptr)
        return;
    const QRect frei = bildschirm->availableGeometry();
    const QRect neben = haupt->frameGeometry();
    // The frame of a window not yet shown is not known: its margins are taken as the main window's.
    const QSize rahmen = neben.size() - haupt->geometry().size();
    const QSize groesse = fenster->size() + rahmen;
    int x = 0;
    if (neben.right() + 1 + groesse.width() <= frei.right() + 1)
        x = neben.right() + 1;
    else if (neben.left() - groesse.width() >= frei.left())
        x = neben.left() - groesse.width();
    else if (frei.right() + 1 - neben.right() >= neben.left() - frei.left())
        x = frei.right() + 1 - groesse.width(); // the wider side: covering as little as it can
    else
        x = frei.left();
    x = std::clamp(x, frei.left(), std::max(frei.left(), frei.right() + 1 - groesse.width()));
    const int y =
        std::clamp(neben.top(), frei.top(), std::max(frei.top(), frei.bottom() + 1 - groesse.height()));
    fenster->move(x, y);
}

} // namespace svp::ui
