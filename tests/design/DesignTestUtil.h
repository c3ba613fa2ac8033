#pragma once

#include "QXMCUPLL.h"
#include "ScriptedDialogs.h"
#include "SeriesFactory.h"

#include <QFile>
#include <QList>
#include <QPair>
#include <QRegularExpression>
#include <memory>

// Helpers shared by the design-file, flow and command-line tests.

// The design file of a QXC330 widget right after New, as Save writes it.
inline QByteArray factoryQxc330Document()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<Configuration>\n"
           "    <MCU>QXC330</MCU>\n"
           "    <lextbypass>0</lextbypass>\n"
           "    <rtcsel>0</rtcsel>\n"
           "    <rtcswitch>0</rtcswitch>\n"
           "    <rtcdiv>2</rtcdiv>\n"
           "    <hext>8.000000</hext>\n"
           "    <hextbypass>0</hextbypass>\n"
           "    <pllrcs>0</pllrcs>\n"
           "    <pllms>1</pllms>\n"
           "    <pllns>72</pllns>\n"
           "    <pllfr>2</pllfr>\n"
           "    <sclkselect>1</sclkselect>\n"
           "    <ahbdiv>1</ahbdiv>\n"
           "    <apb1div>2</apb1div>\n"
           "    <apb2div>2</apb2div>\n"
           "    <usbdiv>6.0</usbdiv>\n"
           "    <hicktousb>0</hicktousb>\n"
           "    <tousbswitch>1</tousbswitch>\n"
           "    <hicktosclk>0</hicktosclk>\n"
           "    <clkout1>0</clkout1>\n"
           "    <clkout1div1>1</clkout1div1>\n"
           "    <clkout1div2>1</clkout1div2>\n"
           "    <clkout1pinselect>0</clkout1pinselect>\n"
           "    <clkout2>0</clkout2>\n"
           "    <clkout2div1>1</clkout2div1>\n"
           "    <clkout2div2>1</clkout2div2>\n"
           "    <clkout2pinselect>0</clkout2pinselect>\n"
           "</Configuration>\n";
}

// A series widget as New leaves it.
inline std::unique_ptr<QXMCUPLL> newSeriesWidget(int seriesId)
{
    std::unique_ptr<QXMCUPLL> widget(createSeriesWidget(seriesId, nullptr));
    if (widget)
        widget->resetConfig();
    return widget;
}

using Changes = QList<QPair<QString, QString>>;

// The factory document with some element texts replaced (an element that is
// not in it is added at the end; a null text removes the element).
inline QByteArray designWith(const Changes &changes, const QString &mcu = QStringLiteral("QXC330"))
{
    QString text = QString::fromUtf8(factoryQxc330Document());
    text.replace(QStringLiteral("<MCU>QXC330</MCU>"), QStringLiteral("<MCU>%1</MCU>").arg(mcu));
    for (const auto &change : changes) {
        const QRegularExpression element(QStringLiteral("    <%1>[^<]*</%1>\n").arg(change.first));
        const QString replacement =
            change.second.isNull() ? QString()
                                   : QStringLiteral("    <%1>%2</%1>\n").arg(change.first, change.second);
        if (text.contains(element))
            text.replace(element, replacement);
        else
            text.replace(QStringLiteral("</Configuration>"),
                         replacement + QStringLiteral("</Configuration>"));
    }
    return text.toUtf8();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}
