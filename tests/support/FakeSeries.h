#pragma once

#include "PinGraphicsView.h"
#include "QXMCUPLL.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QLineEdit>
#include <QPixmap>
#include <QStringList>

// A series widget for the workspace and window tests: a plain picture with one
// control over it, and a record of the operations the host called.
class FakeSeries final : public QXMCUPLL {
public:
    FakeSeries(int seriesId, QWidget *parent) : QXMCUPLL(seriesId, parent)
    {
        QPixmap picture(1600, 1200);
        picture.fill(Qt::lightGray);
        m_view->setBackgroundItem(scene()->addPixmap(picture));
        m_control = new QLineEdit;
        QGraphicsProxyWidget *proxy = scene()->addWidget(m_control);
        proxy->setPos(300, 300);
        proxy->setZValue(1);
    }

    void resetConfig() override { calls << "reset"; }
    ActionOutcome saveConfig(const QString &seriesName) override
    {
        calls << "save:" + seriesName;
        return {};
    }
    void loadConfig(const QString &fileName) override { calls << "load:" + fileName; }
    ActionOutcome generateCode() override
    {
        calls << "generate";
        return {};
    }

    QLineEdit *control() const { return m_control; }

    QStringList calls;

private:
    QLineEdit *m_control = nullptr;
};

// A series of the table this build cannot show, as the real factory has them
// until every series widget exists.
constexpr int LackingSeriesId = 17; // QXW315

inline QXMCUPLL *makeFakeSeries(int seriesId, QWidget *parent)
{
    return seriesId == LackingSeriesId ? nullptr : new FakeSeries(seriesId, parent);
}
