#pragma once

#include <QByteArray>

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
