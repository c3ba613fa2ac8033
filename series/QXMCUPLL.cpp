#include "QXMCUPLL.h"

// Minimal base until the series widgets land; the full base replaces it.
QXMCUPLL::QXMCUPLL(int seriesId, QWidget *parent)
    : QWidget(parent)
    , m_seriesId(seriesId)
{
}

QXMCUPLL::~QXMCUPLL() = default;

QString QXMCUPLL::readElement(const QString &, const QString &)
{
    return QString();
}
