#pragma once

#include <QComboBox>

class CustomListView;

// The styled combo box of the MCU dialog and of every selection control on the
// clock-tree drawings. The mouse wheel never changes its selection.
class CustomComboBox1 final : public QComboBox {
    Q_OBJECT
public:
    explicit CustomComboBox1(QWidget *parent = nullptr);

    void setEnabledWithStyle(bool enabled);
    // The sheet of the box's look, also while it waits for polishing.
    QString lookSheet() const { return m_pendingSheet.isNull() ? styleSheet() : m_pendingSheet; }
    // Builds the popup list (a CustomListView) on first opening.
    void showPopup() override;

signals:
    void clicked();
    // The popup list gained (true) or lost (false) the keyboard focus.
    void listFocusChanged(bool focused);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Look { Normal, Focused, Disabled };
    void applyLook(Look look);
    void ensureListView();
    void keepListInView();
    bool sheetApplies() const;

    // Named m_view so it does not hide QComboBox::view().
    CustomListView *m_view = nullptr;
    Look m_look = Look::Normal;
    QString m_pendingSheet; // until the box is polished (and embedded, on a drawing)
    bool m_polished = false;
    qreal m_restingZ = 0; // of the box's proxy on a drawing, while its list is open
};
