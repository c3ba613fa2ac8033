// The window paints what the presentation of its design says: after every
// edit, each control's text, choice, enabled and shown state on the drawing
// is the one the presentation gives, on every series.

#include "ControlTable.h"
#include "Presentation.h"
#include "QXMCUPLL.h"
#include "ScriptedDialogs.h"
#include "SeriesFactory.h"
#include "SeriesTable.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include <memory>

namespace {

// One user step on the widget itself: "combo=index", "radio=index" (clicked), "type entry=text".
void runStep(QXMCUPLL &widget, const QString &step)
{
    const QString name = step.section(QLatin1Char('='), 0, 0).section(QLatin1Char(' '), -1);
    const QString value = step.section(QLatin1Char('='), 1);
    if (step.startsWith(QLatin1String("type "))) {
        auto *edit = widget.findControl<QLineEdit>(name);
        edit->selectAll();
        QTest::keyClicks(edit, value);
    } else if (auto *combo = widget.findControl<QComboBox>(name)) {
        combo->setCurrentIndex(value.toInt());
    } else if (auto *radio = widget.findControl<QRadioButton>(ControlTable::radioAnchor(
                   ControlTable::rowByName(name)->id, value.toInt()))) {
        if (radio->isEnabled())
            radio->click();
    }
}

// What the widget named like a control shows, in the presentation's terms.
QString painted(QXMCUPLL &widget, const ControlPresentation &shown)
{
    QString text;
    QWidget *control = nullptr;
    if (shown.role == ControlRole::Radio) {
        QStringList states;
        for (int i = 0; i < shown.items.size(); ++i) {
            auto *radio = widget.findControl<QRadioButton>(
                ControlTable::radioAnchor(ControlTable::rowByName(shown.name)->id, i));
            states << QStringLiteral("%1%2").arg(radio->isChecked() ? "*" : "").arg(radio->isEnabled() ? "" : "-");
        }
        return states.join(QLatin1Char(' '));
    }
    if (auto *combo = widget.findControl<QComboBox>(shown.name)) {
        text = combo->currentText();
        control = combo;
    } else if (auto *label = widget.findControl<QLabel>(shown.name)) {
        text = label->text();
        control = label;
    } else if (auto *edit = widget.findControl<QLineEdit>(shown.name)) {
        text = edit->text();
        control = edit;
    } else {
        control = widget.findControl<QWidget>(shown.name);
    }
    if (!control)
        return QStringLiteral("missing");
    return QStringLiteral("%1 %2 %3").arg(text, control->isEnabled() ? "enabled" : "disabled",
                                          QXMCUPLL::controlShown(control) ? "shown" : "hidden");
}

QString expected(const ControlPresentation &shown)
{
    if (shown.role == ControlRole::Radio) {
        QStringList states;
        for (int i = 0; i < shown.items.size(); ++i)
            states << QStringLiteral("%1%2").arg(i == shown.current ? "*" : "").arg(shown.itemUsable(i) ? "" : "-");
        return states.join(QLatin1Char(' '));
    }
    return QStringLiteral("%1 %2 %3").arg(shown.role == ControlRole::Button ? QString() : shown.text,
                                          shown.enabled ? "enabled" : "disabled", shown.shown ? "shown" : "hidden");
}

} // namespace

class TestPresentedWidgets : public QObject {
    Q_OBJECT

private slots:
    void everyControlPaintedAfterEachEdit_data()
    {
        QTest::addColumn<int>("seriesId");
        for (const SeriesParams &series : SeriesTable::all())
            QTest::newRow(series.name) << series.id;
    }
    void everyControlPaintedAfterEachEdit()
    {
        QFETCH(int, seriesId);
        ScriptedDialogs dialogs; // every question answered "Cancel"
        std::unique_ptr<QXMCUPLL> widget(createSeriesWidget(seriesId, nullptr));
        widget->resetConfig();
        TreePresentation presentation; // the window's, followed step by step
        presentation.update(widget->document());
        const QStringList steps{QStringLiteral("clockout2PinSelect=1"), QStringLiteral("clockoutPinSelect=1"),
                                QStringLiteral("clockout1PinSelect=1"), QStringLiteral("usbswitch=0"),
                                QStringLiteral("clkout2=3"),            QStringLiteral("clkout=2"),
                                QStringLiteral("rtcswitch=1"),          QStringLiteral("rtcsel=1"),
                                QStringLiteral("adcswitch=1"),          QStringLiteral("usart2clocksel=3"),
                                QStringLiteral("sclkselect=0"),         QStringLiteral("type hext=30"),
                                QStringLiteral("clockout2PinSelect=0"), QStringLiteral("clockoutPinSelect=0"),
                                QStringLiteral("pllmode=0")};
        for (const QString &step : QStringList{QString()} + steps) {
            if (!step.isEmpty())
                runStep(*widget, step);
            presentation.update(widget->document());
            for (const ControlPresentation &shown : presentation.controls()) {
                const QString where = QStringLiteral("%1 after \"%2\"").arg(shown.name, step);
                QVERIFY2(painted(*widget, shown) == expected(shown),
                         qPrintable(where + ": " + painted(*widget, shown) + " != " + expected(shown)));
            }
        }
    }
};

QTEST_MAIN(TestPresentedWidgets)
#include "tst_presentedwidgets.moc"
