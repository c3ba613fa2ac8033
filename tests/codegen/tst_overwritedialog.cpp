#include "DialogService.h"
#include "OverwriteDialog.h"
#include "TableRows.h"
#include "TestHelpers.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

// The real overwrite question through the Qt dialog service: its texts in
// each catalogue, its grid, and the answer each way out of it gives.
class TestOverwriteDialog : public QObject {
    Q_OBJECT

private slots:
    void dialog_data() { addTableRows("overwrite_dialog.tsv"); }
    void dialog()
    {
        QFETCH(QString, catalogue);
        QFETCH(QStringList, texts);
        QFETCH(bool, tick);
        QFETCH(QString, action);
        QFETCH(int, reply);
        QTranslator translator;
        QVERIFY(catalogue.isEmpty() || translator.load(":/image/" + catalogue));
        QCoreApplication::installTranslator(&translator);
        QStringList shown;
        QVector<int> cells; // row, column and spans of the question, the box and both buttons
        whenModal<OverwriteDialog>([&](OverwriteDialog *d) {
            shown = QStringList{d->windowTitle(), d->questionLabel()->text(), d->forNextBox()->text(),
                                d->yesButton()->text(), d->cancelButton()->text()};
            auto *grid = qobject_cast<QGridLayout *>(d->layout());
            for (QWidget *w :
                 QVector<QWidget *>{d->questionLabel(), d->forNextBox(), d->yesButton(), d->cancelButton()}) {
                int row, column, rowSpan, columnSpan;
                grid->getItemPosition(grid->indexOf(w), &row, &column, &rowSpan, &columnSpan);
                cells << row << column << rowSpan << columnSpan;
            }
            cells << d->forNextBox()->isChecked();
            d->forNextBox()->setChecked(tick);
            if (action == "yes")
                QTest::mouseClick(d->yesButton(), Qt::LeftButton);
            else if (action == "cancel")
                QTest::mouseClick(d->cancelButton(), Qt::LeftButton);
            else if (action == "escape")
                QTest::keyClick(d, Qt::Key_Escape);
            else
                d->close();
        });
        const OverwriteReply r = QtDialogService().askOverwrite("qxc310_clock.c");
        QCoreApplication::removeTranslator(&translator);
        texts[1].prepend("qxc310_clock.c");
        QCOMPARE(shown, texts);
        QCOMPARE(cells, (QVector<int>{0, 1, 1, 4, 3, 0, 1, 4, 4, 2, 1, 1, 4, 3, 1, 1, 0}));
        QCOMPARE((QVector<bool>{r.replace, r.replaceAll}), (QVector<bool>{reply > 0, reply > 1}));
    }
};

QTEST_MAIN(TestOverwriteDialog)
#include "tst_overwritedialog.moc"
