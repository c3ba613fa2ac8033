#include "NameTables.h"

#include <QtTest>

// Every row of the firmware library's constant-name tables, written out: a
// wrong constant compiles in the user's firmware and sets the wrong clock.
class TestNameTables : public QObject {
    Q_OBJECT

private slots:
    void tables_data();
    void tables();
    void pins_data();
    void pins();
};

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
    return byDouble.value(table)(key);
}

} // namespace

void TestNameTables::tables_data()
{
    QTest::addColumn<QString>("table");
    // "key NAME" pairs, "|"-separated; where the table has a default row,
    // the last pair is a key outside the table.
    QTest::addColumn<QString>("rows");
    const auto row = [](const char *tag, const char *table, const char *rows) {
        QTest::newRow(tag) << QString(table) << QString(rows);
    };
    row("AHB by ahbDiv", "ahb",
        "1 CRM_AHB_DIV_1|2 CRM_AHB_DIV_2|4 CRM_AHB_DIV_4|8 CRM_AHB_DIV_8|16 CRM_AHB_DIV_16|64 CRM_AHB_DIV_64"
        "|128 CRM_AHB_DIV_128|256 CRM_AHB_DIV_256|512 CRM_AHB_DIV_512|32 CRM_AHB_DIV_1");
    row("APB1 by apb1Div", "apb1",
        "1 CRM_APB1_DIV_1|2 CRM_APB1_DIV_2|4 CRM_APB1_DIV_4|8 CRM_APB1_DIV_8|16 CRM_APB1_DIV_16|3 "
        "CRM_APB1_DIV_1");
    row("APB2 by apb2Div", "apb2",
        "1 CRM_APB2_DIV_1|2 CRM_APB2_DIV_2|4 CRM_APB2_DIV_4|8 CRM_APB2_DIV_8|16 CRM_APB2_DIV_16|0 "
        "CRM_APB2_DIV_1");
    row("ADC by adcDiv", "adc",
        "2 CRM_ADC_DIV_2|3 CRM_ADC_DIV_3|4 CRM_ADC_DIV_4|5 CRM_ADC_DIV_5|6 CRM_ADC_DIV_6|8 CRM_ADC_DIV_8"
        "|12 CRM_ADC_DIV_12|16 CRM_ADC_DIV_16|7 CRM_ADC_DIV_2");
    row("PLL fr by pllFr", "fr",
        "1 CRM_PLL_FR_1|2 CRM_PLL_FR_2|4 CRM_PLL_FR_4|8 CRM_PLL_FR_8|16 CRM_PLL_FR_16|32 CRM_PLL_FR_32"
        "|3 CRM_PLL_FR_1");
    row("system clock source", "sclk", "0 CRM_SCLK_HEXT|1 CRM_SCLK_PLL|2 CRM_SCLK_HICK");
    row("USB by usbDiv", "usb",
        "1 CRM_USB_DIV_1|1.5 CRM_USB_DIV_1_5|2 CRM_USB_DIV_2|2.5 CRM_USB_DIV_2_5|3 CRM_USB_DIV_3"
        "|3.5 CRM_USB_DIV_3_5|4 CRM_USB_DIV_4|4.5 CRM_USB_DIV_4_5|5 CRM_USB_DIV_5|5.5 CRM_USB_DIV_5_5"
        "|6 CRM_USB_DIV_6|6.5 CRM_USB_DIV_6_5|7 CRM_USB_DIV_7|1.25 CRM_USB_DIV_1|7.5 CRM_USB_DIV_1");
    row("CLKOUT1 by clkout1Source", "clkout1",
        "0 CRM_CLKOUT1_HICK|1 CRM_CLKOUT1_LEXT|2 CRM_CLKOUT1_HEXT|3 CRM_CLKOUT1_PLL|4 CRM_CLKOUT1_HICK");
    row("CLKOUT2 by clkout2Source", "clkout2",
        "0 CRM_CLKOUT2_SCLK|1 CRM_CLKOUT2_HEXT|2 CRM_CLKOUT2_PLL|3 CRM_CLKOUT2_USB|4 CRM_CLKOUT2_HICK"
        "|5 CRM_CLKOUT2_ADCCLK|6 CRM_CLKOUT2_LICK|7 CRM_CLKOUT2_LEXT|8 CRM_CLKOUT2_SCLK");
    row("CLKOUT by clkoutSource", "clkout",
        "0 CRM_CLKOUT_NOCLK|1 CRM_CLKOUT_LICK|2 CRM_CLKOUT_LEXT|3 CRM_CLKOUT_HICK|4 CRM_CLKOUT_HEXT"
        "|5 CRM_CLKOUT_SCLK|6 CRM_CLKOUT_USB|7 CRM_CLKOUT_ADC|8 CRM_CLKOUT_PLL_DIV_2|9 CRM_CLKOUT_PLL_DIV_4"
        "|10 CRM_CLKOUT_NOCLK");
    row("clock-out index", "index", "1 CRM_CLKOUT_INDEX_1|2 CRM_CLKOUT_INDEX_2");
    row("clock-out DIV1", "div1",
        "1 CRM_CLKOUT_DIV1_1|2 CRM_CLKOUT_DIV1_2|3 CRM_CLKOUT_DIV1_3|4 CRM_CLKOUT_DIV1_4|5 CRM_CLKOUT_DIV1_5"
        "|6 CRM_CLKOUT_DIV1_1");
    row("clock-out DIV2", "div2",
        "1 CRM_CLKOUT_DIV2_1|2 CRM_CLKOUT_DIV2_2|4 CRM_CLKOUT_DIV2_4|8 CRM_CLKOUT_DIV2_8|16 "
        "CRM_CLKOUT_DIV2_16"
        "|64 CRM_CLKOUT_DIV2_64|128 CRM_CLKOUT_DIV2_128|256 CRM_CLKOUT_DIV2_256|512 CRM_CLKOUT_DIV2_512"
        "|3 CRM_CLKOUT_DIV2_1");
    row("clock-out DIV", "clkoutdiv",
        "1 CRM_CLKOUT_DIV_1|2 CRM_CLKOUT_DIV_2|4 CRM_CLKOUT_DIV_4|8 CRM_CLKOUT_DIV_8|16 CRM_CLKOUT_DIV_16"
        "|64 CRM_CLKOUT_DIV_64|128 CRM_CLKOUT_DIV_128|256 CRM_CLKOUT_DIV_256|512 CRM_CLKOUT_DIV_512"
        "|32 CRM_CLKOUT_DIV_1");
    row("ERTC HEXT divider by rtcHextDiv", "ertc",
        "2 CRM_ERTC_CLOCK_HEXT_DIV_2|3 CRM_ERTC_CLOCK_HEXT_DIV_3|4 CRM_ERTC_CLOCK_HEXT_DIV_4"
        "|5 CRM_ERTC_CLOCK_HEXT_DIV_5|6 CRM_ERTC_CLOCK_HEXT_DIV_6|7 CRM_ERTC_CLOCK_HEXT_DIV_7"
        "|8 CRM_ERTC_CLOCK_HEXT_DIV_8|9 CRM_ERTC_CLOCK_HEXT_DIV_9|10 CRM_ERTC_CLOCK_HEXT_DIV_10"
        "|11 CRM_ERTC_CLOCK_HEXT_DIV_11|12 CRM_ERTC_CLOCK_HEXT_DIV_12|13 CRM_ERTC_CLOCK_HEXT_DIV_13"
        "|14 CRM_ERTC_CLOCK_HEXT_DIV_14|15 CRM_ERTC_CLOCK_HEXT_DIV_15|16 CRM_ERTC_CLOCK_HEXT_DIV_16"
        "|17 CRM_ERTC_CLOCK_HEXT_DIV_17|18 CRM_ERTC_CLOCK_HEXT_DIV_18|19 CRM_ERTC_CLOCK_HEXT_DIV_19"
        "|20 CRM_ERTC_CLOCK_HEXT_DIV_20|21 CRM_ERTC_CLOCK_HEXT_DIV_21|22 CRM_ERTC_CLOCK_HEXT_DIV_22"
        "|23 CRM_ERTC_CLOCK_HEXT_DIV_23|24 CRM_ERTC_CLOCK_HEXT_DIV_24|25 CRM_ERTC_CLOCK_HEXT_DIV_25"
        "|26 CRM_ERTC_CLOCK_HEXT_DIV_26|27 CRM_ERTC_CLOCK_HEXT_DIV_27|28 CRM_ERTC_CLOCK_HEXT_DIV_28"
        "|29 CRM_ERTC_CLOCK_HEXT_DIV_29|30 CRM_ERTC_CLOCK_HEXT_DIV_30|31 CRM_ERTC_CLOCK_HEXT_DIV_31");
    row("I2C1 source by i2c1Source", "i2c1",
        "0 CRM_I2C1_CLOCK_SOURCE_PCLK|1 CRM_I2C1_CLOCK_SOURCE_SCLK|2 CRM_I2C1_CLOCK_SOURCE_HICK48"
        "|3 CRM_I2C1_CLOCK_SOURCE_PCLK");
    row("USART source", "usart",
        "0 CRM_USART_CLOCK_SOURCE_PCLK|1 CRM_USART_CLOCK_SOURCE_SCLK|2 CRM_USART_CLOCK_SOURCE_HICK48"
        "|3 CRM_USART_CLOCK_SOURCE_LEXT|4 CRM_USART_CLOCK_SOURCE_PCLK");
    // Thresholds: each boundary and the value just above it.
    row("LDO by sclkMHz", "ldo",
        "240.001 PWC_LDO_OUTPUT_1V3|240 PWC_LDO_OUTPUT_1V2|192.001 PWC_LDO_OUTPUT_1V2|192 PWC_LDO_OUTPUT_1V1"
        "|144.001 PWC_LDO_OUTPUT_1V1|144 PWC_LDO_OUTPUT_1V0");
    row("flash wait cycles by sclkMHz", "flash",
        "32 FLASH_WAIT_CYCLE_0|32.001 FLASH_WAIT_CYCLE_1|64 FLASH_WAIT_CYCLE_1|64.001 FLASH_WAIT_CYCLE_2"
        "|96 FLASH_WAIT_CYCLE_2|96.001 FLASH_WAIT_CYCLE_3|128 FLASH_WAIT_CYCLE_3|128.001 FLASH_WAIT_CYCLE_4");
    row("flash wait cycles as a number", "cycles",
        "32 0|32.001 1|64 1|64.001 2|96 2|96.001 3|128 3|128.001 4");
    row("flash clock divider", "flashdiv", "240 FLASH_CLOCK_DIV_2|240.001 FLASH_CLOCK_DIV_3");
    row("PLL range", "range", "72 CRM_PLL_OUTPUT_RANGE_LE72MHZ|72.001 CRM_PLL_OUTPUT_RANGE_GT72MHZ");
}

void TestNameTables::tables()
{
    QFETCH(QString, table);
    QFETCH(QString, rows);
    QStringList got;
    for (const QString &pair : rows.split('|')) {
        const QString key = pair.section(' ', 0, 0);
        got << key + ' ' + lookup(table, key.toDouble());
    }
    QCOMPARE(got.join('|'), rows);
}

void TestNameTables::pins_data()
{
    QTest::addColumn<bool>("output1"); // QXC330/QXC335 output 1, else the single output
    QTest::addColumn<int>("selector");
    QTest::addColumn<QString>("row"); // port clock, pins, port, pin source, mux
    const char *pa0 = "CRM_GPIOA_PERIPH_CLOCK GPIO_PINS_0 GPIOA GPIO_PINS_SOURCE0 GPIO_MUX_0";
    const char *pa8 = "CRM_GPIOA_PERIPH_CLOCK GPIO_PINS_8 GPIOA GPIO_PINS_SOURCE8 GPIO_MUX_0";
    QTest::newRow("clkout1Pin 1") << true << 1 << pa8;
    QTest::newRow("clkout1Pin 2") << true << 2
                                  << "CRM_GPIOE_PERIPH_CLOCK GPIO_PINS_4 GPIOE GPIO_PINS_SOURCE4 GPIO_MUX_0";
    QTest::newRow("clkout1Pin else") << true << 3 << pa0;
    QTest::newRow("clkout1Pin 0") << true << 0 << pa0;
    QTest::newRow("clkoutPin 1") << false << 1 << pa8;
    QTest::newRow("clkoutPin 2") << false << 2
                                 << "CRM_GPIOA_PERIPH_CLOCK GPIO_PINS_9 GPIOA GPIO_PINS_SOURCE9 GPIO_MUX_5";
    QTest::newRow("clkoutPin 3") << false << 3
                                 << "CRM_GPIOB_PERIPH_CLOCK GPIO_PINS_13 GPIOB GPIO_PINS_SOURCE13 GPIO_MUX_3";
    QTest::newRow("clkoutPin else") << false << 4 << pa0;
    QTest::newRow("clkoutPin 0") << false << 0 << pa0;
}

void TestNameTables::pins()
{
    QFETCH(bool, output1);
    QFETCH(int, selector);
    QFETCH(QString, row);
    const NameTables::PinRow &p =
        output1 ? NameTables::clkout1Pin(selector) : NameTables::clkoutPin(selector);
    QCOMPARE(QStringList({p.portClock, p.pins, p.port, p.pinSource, p.mux}).join(' '), row);
}

QTEST_GUILESS_MAIN(TestNameTables)
#include "tst_nametables.moc"
