#include "QXMCUPLL.h"

// Minimal base until the series widgets land; the full base replaces it.
QXMCUPLL::QXMCUPLL(int seriesId, QWidget *parent)
    : QWidget(parent)
    , m_seriesId(seriesId)
{
}

QXMCUPLL::~QXMCUPLL() = default;

void QXMCUPLL::saveConfig(const QString &seriesName)
{
    if (checkBeforeSave())
        writeDesign(seriesName);
}

void QXMCUPLL::generateCode()
{
    if (checkBeforeGenerate())
        runGeneration();
}
