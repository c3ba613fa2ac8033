#pragma once

#include "PinGraphicsView.h"
#include "QXMCUPLL.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QLineEdit>
#include <QPixmap>
#include <QStringList>
#include <QVBoxLayout>

// A series widget for tests: a plain bitmap with one control over it, and a
// record of the operations the host called.
class FakeSeries : public QXMCUPLL {
public:
    static constexpr int BitmapWidth = 1600;
    static constexpr int BitmapHeight = 1200;
    static QPointF controlPos() { return QPointF(300, 300); }

    FakeSeries(int seriesId, QWidget *parent) : QXMCUPLL(seriesId, parent)
    {
        // Uses the base's view and scene where it builds them.
        if (!m_view)
            m_view = new PinGraphicsView(this);
        m_scene = m_view->scene();
        if (!m_scene) {
            m_scene = new QGraphicsScene(this);
            m_view->setScene(m_scene);
        }
        QPixmap picture(BitmapWidth, BitmapHeight);
        picture.fill(Qt::lightGray);
        m_bitmap = m_scene->addPixmap(picture);
        m_view->setBackgroundItem(m_bitmap);
        m_control = new QLineEdit;
        QGraphicsProxyWidget *proxy = m_scene->addWidget(m_control);
        proxy->setPos(controlPos());
        proxy->setZValue(1);
        if (!layout()) {
            auto *column = new QVBoxLayout(this);
            column->setContentsMargins(0, 0, 0, 0);
            column->addWidget(m_view);
        }
    }

    void resetConfig() override { calls << QStringLiteral("reset"); }
    void saveConfig(const QString &seriesName) override { calls << QStringLiteral("save:") + seriesName; }
    void loadConfig(const QString &fileName) override { calls << QStringLiteral("load:") + fileName; }
    void generateCode() override { calls << QStringLiteral("generate"); }

    QGraphicsPixmapItem *bitmap() const { return m_bitmap; }
    QLineEdit *control() const { return m_control; }

    QStringList calls;

private:
    QGraphicsScene *m_scene = nullptr;
    QGraphicsPixmapItem *m_bitmap = nullptr;
    QLineEdit *m_control = nullptr;
};

inline QXMCUPLL *makeFakeSeries(int seriesId, QWidget *parent)
{
    return new FakeSeries(seriesId, parent);
}
