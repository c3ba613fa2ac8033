#pragma once

#include <QListView>

// Popup list of CustomComboBox1; tells the clock-tree view when it holds the
// keyboard focus.
class CustomListView final : public QListView {
    Q_OBJECT
public:
    explicit CustomListView(QWidget *parent = nullptr);

signals:
    void focusInThis(bool flag);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};
