#pragma once

#include "QXMCUPLL.h"
#include "ScriptedDialogs.h"
#include "SeriesFactory.h"
#include "TestHelpers.h"

#include <memory>

// The elements a QXC330 design holds right after New, in the order Save writes them.
inline const char *factoryQxc330Elements()
{
    return "MCU=QXC330 lextbypass=0 rtcsel=0 rtcswitch=0 rtcdiv=2 hext=8.000000 hextbypass=0 pllrcs=0 "
           "pllms=1 "
           "pllns=72 pllfr=2 sclkselect=1 ahbdiv=1 apb1div=2 apb2div=2 usbdiv=6.0 hicktousb=0 tousbswitch=1 "
           "hicktosclk=0 clkout1=0 clkout1div1=1 clkout1div2=1 clkout1pinselect=0 clkout2=0 clkout2div1=1 "
           "clkout2div2=1 clkout2pinselect=0";
}

// The factory document as Save writes it, with "name=text" changes applied: a
// new name is added at the end, a bare "name" removes the element.
inline QByteArray designWith(const QString &changes = QString())
{
    QList<QStringList> elements;
    for (const QString &item :
         QString(factoryQxc330Elements() + (' ' + changes)).split(' ', Qt::SkipEmptyParts)) {
        const QStringList change = item.split('=');
        auto it = std::find_if(elements.begin(), elements.end(),
                               [&](const QStringList &e) { return e.first() == change.first(); });
        if (it == elements.end())
            elements.append(change);
        else if (change.size() < 2)
            elements.erase(it);
        else
            *it = change;
    }
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Configuration>\n");
    for (const QStringList &e : elements)
        text += QStringLiteral("    <%1>%2</%1>\n").arg(e.first(), e.value(1));
    return (text + QStringLiteral("</Configuration>\n")).toUtf8();
}

inline std::unique_ptr<QXMCUPLL> newSeriesWidget(int seriesId)
{
    std::unique_ptr<QXMCUPLL> widget(createSeriesWidget(seriesId, nullptr));
    if (widget)
        widget->resetConfig();
    return widget;
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}
