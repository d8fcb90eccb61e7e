#pragma once

#include <QFrame>

class QPushButton;

namespace svp::ui {

// The bar above the columns of a month that was never saved: the values shown are the start
// values of a new file, not a case anyone entered. Its one command, "Fall leeren", lets the
// clerk start from nothing.
class Vorgabeleiste : public QFrame
{
    Q_OBJECT

public:
    Vorgabeleiste();
    QPushButton* leeren() const { return m_leeren; }

private:
    QPushButton* m_leeren;
};

} // namespace svp::ui
