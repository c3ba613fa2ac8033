#pragma once

#include <QWidget>

class ClockConfig;
class PinGraphicsView;

// Base of every series widget: owns the scene, the view, the bitmap and the
// clock record of one series. The workspace host only uses the operations below.
class QXMCUPLL : public QWidget {
    Q_OBJECT
public:
    QXMCUPLL(int seriesId, QWidget *parent = nullptr);
    ~QXMCUPLL() override;

    int seriesId() const { return m_seriesId; }
    PinGraphicsView *graphicsView() const { return m_view; }

    virtual void resetConfig() {}
    virtual void saveConfig(const QString &seriesName) { Q_UNUSED(seriesName) }
    virtual void loadConfig(const QString &fileName) { Q_UNUSED(fileName) }
    virtual void generateCode() {}

    // Text of the first direct child element of the design file's root element
    // with this name; empty when the file can't be read or parsed, or has none.
    static QString readElement(const QString &fileName, const QString &elementName);

protected:
    PinGraphicsView *m_view = nullptr;

private:
    int m_seriesId = 0;
};
