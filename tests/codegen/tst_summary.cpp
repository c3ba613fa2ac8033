#include "ClockConfig.h"
#include "RecordFields.h"
#include "Summary.h"
#include "TableRows.h"

#include <QtTest>

// The summary comment of the generated clock routine for the trees the
// generator's own rows leave out: each derivation, the PLL lines of both
// layouts, the range line and the flash wait cycles of the normal mode.
class TestSummary : public QObject {
    Q_OBJECT

private slots:
    void lines_data() { addTableRows("summary_lines.tsv"); }
    void lines()
    {
        QFETCH(int, series);
        QFETCH(QString, setup);
        QFETCH(QString, lines);
        TF_RECORD(c, series, setup);
        c.recompute();
        // The label column is 20 wide, so every "=" stands in one column.
        QString expected =
            "* @brief  system clock config program\n  * @note   the system clock is configured as follow:\n";
        for (const QString &item : lines.split('|'))
            expected += "  *         - " + item.section('=', 0, 0).leftJustified(20) + "= " +
                        item.section('=', 1) + '\n';
        expected += "  * @param  none\n  * @retval none";
        QCOMPARE(Summary::text(c), expected);
    }
};

QTEST_GUILESS_MAIN(TestSummary)
#include "tst_summary.moc"
