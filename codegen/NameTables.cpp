#include "NameTables.h"

#include <iterator>

namespace NameTables {

namespace {

struct Row {
    int key;
    const char *name;
};

// The first row of every table is its default.
template <size_t N> QString lookup(const Row (&rows)[N], int key)
{
    for (const Row &row : rows) {
        if (row.key == key)
            return QString::fromLatin1(row.name);
    }
    return QString::fromLatin1(rows[0].name);
}

const Row kAhb[] = {{1, "CRM_AHB_DIV_1"},     {2, "CRM_AHB_DIV_2"},     {4, "CRM_AHB_DIV_4"},
                    {8, "CRM_AHB_DIV_8"},     {16, "CRM_AHB_DIV_16"},   {64, "CRM_AHB_DIV_64"},
                    {128, "CRM_AHB_DIV_128"}, {256, "CRM_AHB_DIV_256"}, {512, "CRM_AHB_DIV_512"}};
const Row kApb1[] = {{1, "CRM_APB1_DIV_1"},
                     {2, "CRM_APB1_DIV_2"},
                     {4, "CRM_APB1_DIV_4"},
                     {8, "CRM_APB1_DIV_8"},
                     {16, "CRM_APB1_DIV_16"}};
const Row kApb2[] = {{1, "CRM_APB2_DIV_1"},
                     {2, "CRM_APB2_DIV_2"},
                     {4, "CRM_APB2_DIV_4"},
                     {8, "CRM_APB2_DIV_8"},
                     {16, "CRM_APB2_DIV_16"}};
const Row kAdc[] = {{2, "CRM_ADC_DIV_2"},   {3, "CRM_ADC_DIV_3"},  {4, "CRM_ADC_DIV_4"},
                    {5, "CRM_ADC_DIV_5"},   {6, "CRM_ADC_DIV_6"},  {8, "CRM_ADC_DIV_8"},
                    {12, "CRM_ADC_DIV_12"}, {16, "CRM_ADC_DIV_16"}};
const Row kPllFr[] = {{1, "CRM_PLL_FR_1"}, {2, "CRM_PLL_FR_2"},   {4, "CRM_PLL_FR_4"},
                      {8, "CRM_PLL_FR_8"}, {16, "CRM_PLL_FR_16"}, {32, "CRM_PLL_FR_32"}};
const Row kSclk[] = {{0, "CRM_SCLK_HEXT"}, {1, "CRM_SCLK_PLL"}, {2, "CRM_SCLK_HICK"}};
const Row kClkout[] = {{0, "CRM_CLKOUT_NOCLK"},    {1, "CRM_CLKOUT_LICK"}, {2, "CRM_CLKOUT_LEXT"},
                       {3, "CRM_CLKOUT_HICK"},     {4, "CRM_CLKOUT_HEXT"}, {5, "CRM_CLKOUT_SCLK"},
                       {6, "CRM_CLKOUT_USB"},      {7, "CRM_CLKOUT_ADC"},  {8, "CRM_CLKOUT_PLL_DIV_2"},
                       {9, "CRM_CLKOUT_PLL_DIV_4"}};
const Row kClkout1[] = {
    {0, "CRM_CLKOUT1_HICK"}, {1, "CRM_CLKOUT1_LEXT"}, {2, "CRM_CLKOUT1_HEXT"}, {3, "CRM_CLKOUT1_PLL"}};
const Row kClkout2[] = {{0, "CRM_CLKOUT2_SCLK"}, {1, "CRM_CLKOUT2_HEXT"}, {2, "CRM_CLKOUT2_PLL"},
                        {3, "CRM_CLKOUT2_USB"},  {4, "CRM_CLKOUT2_HICK"}, {5, "CRM_CLKOUT2_ADCCLK"},
                        {6, "CRM_CLKOUT2_LICK"}, {7, "CRM_CLKOUT2_LEXT"}};
const Row kClkoutIndex[] = {{1, "CRM_CLKOUT_INDEX_1"}, {2, "CRM_CLKOUT_INDEX_2"}};
const Row kClkoutDiv[] = {
    {1, "CRM_CLKOUT_DIV_1"},     {2, "CRM_CLKOUT_DIV_2"},     {4, "CRM_CLKOUT_DIV_4"},
    {8, "CRM_CLKOUT_DIV_8"},     {16, "CRM_CLKOUT_DIV_16"},   {64, "CRM_CLKOUT_DIV_64"},
    {128, "CRM_CLKOUT_DIV_128"}, {256, "CRM_CLKOUT_DIV_256"}, {512, "CRM_CLKOUT_DIV_512"}};
const Row kClkoutDiv1[] = {{1, "CRM_CLKOUT_DIV1_1"},
                           {2, "CRM_CLKOUT_DIV1_2"},
                           {3, "CRM_CLKOUT_DIV1_3"},
                           {4, "CRM_CLKOUT_DIV1_4"},
                           {5, "CRM_CLKOUT_DIV1_5"}};
const Row kClkoutDiv2[] = {
    {1, "CRM_CLKOUT_DIV2_1"},     {2, "CRM_CLKOUT_DIV2_2"},     {4, "CRM_CLKOUT_DIV2_4"},
    {8, "CRM_CLKOUT_DIV2_8"},     {16, "CRM_CLKOUT_DIV2_16"},   {64, "CRM_CLKOUT_DIV2_64"},
    {128, "CRM_CLKOUT_DIV2_128"}, {256, "CRM_CLKOUT_DIV2_256"}, {512, "CRM_CLKOUT_DIV2_512"}};
const Row kI2c1[] = {{0, "CRM_I2C1_CLOCK_SOURCE_PCLK"},
                     {1, "CRM_I2C1_CLOCK_SOURCE_SCLK"},
                     {2, "CRM_I2C1_CLOCK_SOURCE_HICK48"}};
const Row kUsart[] = {{0, "CRM_USART_CLOCK_SOURCE_PCLK"},
                      {1, "CRM_USART_CLOCK_SOURCE_SCLK"},
                      {2, "CRM_USART_CLOCK_SOURCE_HICK48"},
                      {3, "CRM_USART_CLOCK_SOURCE_LEXT"}};

// USB dividers are halves: keyed by twice the divider so the comparison
// stays exact.
const Row kUsbTwice[] = {{2, "CRM_USB_DIV_1"},    {3, "CRM_USB_DIV_1_5"}, {4, "CRM_USB_DIV_2"},
                         {5, "CRM_USB_DIV_2_5"},  {6, "CRM_USB_DIV_3"},   {7, "CRM_USB_DIV_3_5"},
                         {8, "CRM_USB_DIV_4"},    {9, "CRM_USB_DIV_4_5"}, {10, "CRM_USB_DIV_5"},
                         {11, "CRM_USB_DIV_5_5"}, {12, "CRM_USB_DIV_6"},  {13, "CRM_USB_DIV_6_5"},
                         {14, "CRM_USB_DIV_7"}};

const PinRow kClkoutPins[] = {
    {"CRM_GPIOA_PERIPH_CLOCK", "GPIO_PINS_0", "GPIOA", "GPIO_PINS_SOURCE0", "GPIO_MUX_0"}, // default
    {"CRM_GPIOA_PERIPH_CLOCK", "GPIO_PINS_8", "GPIOA", "GPIO_PINS_SOURCE8", "GPIO_MUX_0"},
    {"CRM_GPIOA_PERIPH_CLOCK", "GPIO_PINS_9", "GPIOA", "GPIO_PINS_SOURCE9", "GPIO_MUX_5"},
    {"CRM_GPIOB_PERIPH_CLOCK", "GPIO_PINS_13", "GPIOB", "GPIO_PINS_SOURCE13", "GPIO_MUX_3"},
};
const PinRow kClkout1Pins[] = {
    {"CRM_GPIOA_PERIPH_CLOCK", "GPIO_PINS_0", "GPIOA", "GPIO_PINS_SOURCE0", "GPIO_MUX_0"}, // default
    {"CRM_GPIOA_PERIPH_CLOCK", "GPIO_PINS_8", "GPIOA", "GPIO_PINS_SOURCE8", "GPIO_MUX_0"},
    {"CRM_GPIOE_PERIPH_CLOCK", "GPIO_PINS_4", "GPIOE", "GPIO_PINS_SOURCE4", "GPIO_MUX_0"},
};

template <size_t N> const PinRow &pinRow(const PinRow (&rows)[N], int selector)
{
    return selector > 0 && selector < int(N) ? rows[selector] : rows[0];
}

} // namespace

QString ahbDiv(int div)
{
    return lookup(kAhb, div);
}
QString apb1Div(int div)
{
    return lookup(kApb1, div);
}
QString apb2Div(int div)
{
    return lookup(kApb2, div);
}
QString adcDiv(int div)
{
    return lookup(kAdc, div);
}
QString pllFr(int fr)
{
    return lookup(kPllFr, fr);
}
QString sclkSource(int source)
{
    return lookup(kSclk, source);
}
QString clkoutSource(int source)
{
    return lookup(kClkout, source);
}
QString clkout1Source(int source)
{
    return lookup(kClkout1, source);
}
QString clkout2Source(int source)
{
    return lookup(kClkout2, source);
}
QString clkoutIndex(int output)
{
    return lookup(kClkoutIndex, output);
}
QString clkoutDiv(int div)
{
    return lookup(kClkoutDiv, div);
}
QString clkoutDiv1(int div)
{
    return lookup(kClkoutDiv1, div);
}
QString clkoutDiv2(int div)
{
    return lookup(kClkoutDiv2, div);
}
QString i2c1Source(int source)
{
    return lookup(kI2c1, source);
}
QString usartSource(int source)
{
    return lookup(kUsart, source);
}

QString usbDiv(double div)
{
    const double twice = div * 2.0;
    // Only exact halves have a row; 1.25 and the like fall to the default.
    if (!(twice >= 2.0 && twice <= 14.0) || double(int(twice)) != twice)
        return lookup(kUsbTwice, 0);
    return lookup(kUsbTwice, int(twice));
}

QString ertcHextDiv(int div)
{
    return QStringLiteral("CRM_ERTC_CLOCK_HEXT_DIV_") + QString::number(div >= 2 && div <= 31 ? div : 2);
}

QString ldoVoltage(double sclkMHz)
{
    if (sclkMHz > 240.0)
        return QStringLiteral("PWC_LDO_OUTPUT_1V3");
    if (sclkMHz > 192.0)
        return QStringLiteral("PWC_LDO_OUTPUT_1V2");
    if (sclkMHz > 144.0)
        return QStringLiteral("PWC_LDO_OUTPUT_1V1");
    return QStringLiteral("PWC_LDO_OUTPUT_1V0");
}

int flashWaitCycles(double sclkMHz)
{
    if (sclkMHz <= 32.0)
        return 0;
    if (sclkMHz <= 64.0)
        return 1;
    if (sclkMHz <= 96.0)
        return 2;
    if (sclkMHz <= 128.0)
        return 3;
    return 4;
}

QString flashWaitCycle(double sclkMHz)
{
    return QStringLiteral("FLASH_WAIT_CYCLE_") + QString::number(flashWaitCycles(sclkMHz));
}

QString flashClockDivider(double sclkMHz)
{
    return sclkMHz > 240.0 ? QStringLiteral("FLASH_CLOCK_DIV_3") : QStringLiteral("FLASH_CLOCK_DIV_2");
}

QString pllRange(double pllMHz)
{
    return pllMHz > 72.0 ? QStringLiteral("CRM_PLL_OUTPUT_RANGE_GT72MHZ")
                         : QStringLiteral("CRM_PLL_OUTPUT_RANGE_LE72MHZ");
}

const PinRow &clkoutPin(int selector)
{
    return pinRow(kClkoutPins, selector);
}
const PinRow &clkout1Pin(int selector)
{
    return pinRow(kClkout1Pins, selector);
}

} // namespace NameTables
