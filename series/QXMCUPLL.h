#pragma once

#include <QWidget>

class ClockConfig;
class PinGraphicsView;

// Base of every series widget: owns the scene, the view, the bitmap and the
// clock record of one series. The workspace host and the command-line tool
// only use the public operations below.
class QXMCUPLL : public QWidget {
    Q_OBJECT
public:
    QXMCUPLL(int seriesId, QWidget *parent = nullptr);
    ~QXMCUPLL() override;

    int seriesId() const { return m_seriesId; }
    PinGraphicsView *graphicsView() const { return m_view; }
    ClockConfig *config() const { return m_config; }

    // Factory settings of the series.
    virtual void resetConfig() {}
    // Limit checks, then the Save dialog and the design file.
    virtual void saveConfig(const QString &seriesName);
    // Restores the controls from a design file, firing their slots.
    virtual void loadConfig(const QString &fileName) { Q_UNUSED(fileName) }
    // Limit checks and warnings, then the directory dialog and the generator.
    virtual void generateCode();

    // The series' checks before saving / generating: refusals and confirmed
    // warnings through the dialog seam; false stops the action.
    virtual bool checkBeforeSave() { return true; }
    virtual bool checkBeforeGenerate() { return true; }

    // Text of the first direct child element of the design file's root element
    // with this name; empty when the file can't be read or parsed, or has none.
    static QString readElement(const QString &fileName, const QString &elementName);

protected:
    // The shared tails of saveConfig and generateCode (after the checks).
    bool writeDesign(const QString &seriesName);
    bool runGeneration();

    PinGraphicsView *m_view = nullptr;
    ClockConfig *m_config = nullptr;

private:
    int m_seriesId = 0;
};
