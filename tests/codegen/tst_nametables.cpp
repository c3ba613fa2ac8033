#include "NameTables.h"
#include "TableRows.h"

#include <QtTest>

namespace {

QString lookup(const QString &table, double key)
{
    using namespace NameTables;
    const int k = int(key);
    static const QMap<QString, QString (*)(int)> byInt{
        {"ahb", ahbDiv},
        {"apb1", apb1Div},
        {"apb2", apb2Div},
        {"adc", adcDiv},
        {"fr", pllFr},
        {"sclk", sclkSource},
        {"clkout", clkoutSource},
        {"clkout1", clkout1Source},
        {"clkout2", clkout2Source},
        {"index", clkoutIndex},
        {"clkoutdiv", clkoutDiv},
        {"div1", clkoutDiv1},
        {"div2", clkoutDiv2},
        {"ertc", ertcHextDiv},
        {"i2c1", i2c1Source},
        {"usart", usartSource},
    };
    static const QMap<QString, QString (*)(double)> byDouble{
        {"usb", usbDiv},     {"ldo", ldoVoltage}, {"flash", flashWaitCycle}, {"flashdiv", flashClockDivider},
        {"range", pllRange},
    };
    if (byInt.contains(table))
        return byInt.value(table)(k);
    if (table == "cycles")
        return QString::number(flashWaitCycles(key));
    if (table.endsWith("Pin")) {
        const PinRow &p = table == "clkout1Pin" ? clkout1Pin(k) : clkoutPin(k);
        return QStringList({p.portClock, p.pins, p.port, p.pinSource, p.mux}).join(' ');
    }
    return byDouble.value(table)(key);
}

} // namespace

// Every row of the firmware library's constant-name tables, written out in
// tests/tables/nametables.tsv: a wrong constant compiles in the user's
// firmware and sets the wrong clock.
class TestNameTables : public QObject {
    Q_OBJECT

private slots:
    void tables_data() { addTableRows("nametables.tsv", 2); }
    void tables()
    {
        QFETCH(QString, table);
        QFETCH(QString, key);
        QFETCH(QString, name);
        QCOMPARE(lookup(table, key.toDouble()), name);
    }
};

QTEST_GUILESS_MAIN(TestNameTables)
#include "tst_nametables.moc"
