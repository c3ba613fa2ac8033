#include "ClockConfig.h"
#include "CustomComboBox1.h"
#include "DesignFile.h"
#include "DesignTestUtil.h"
#include "QXC330PLL.h"
#include "QXPLLConfig.h"
#include "RecordFields.h"
#include "SeriesTable.h"
#include "TableRows.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <cmath>
#include <sys/stat.h>

namespace {

QByteArray nested(int depth)
{
    return "<Configuration><MCU>QXC330</MCU>" + QByteArray("<a>").repeated(depth) +
           QByteArray("</a>").repeated(depth) + "</Configuration>";
}

// A valid design padded with a comment to exactly size bytes.
QByteArray paddedTo(qint64 size)
{
    return designWith() + "<!--" + QByteArray(int(size - designWith().size() - 7), 'a') + "-->";
}

// The text a control shows after opening, by the control's name.
QString controlText(const QXMCUPLL &widget, const QString &name)
{
    if (const auto *edit = widget.findControl<QLineEdit>(name))
        return edit->text();
    if (const auto *combo = widget.findControl<QComboBox>(name))
        return combo->currentText();
    const auto *label = widget.findControl<QLabel>(name);
    return label ? label->text() : QStringLiteral("<no %1>").arg(name);
}

} // namespace

// The design-file format and the hardened reader, hostile files opened in
// the window; opening designs: the restore rules and their fallbacks, slots
// firing as for a user, save/open/save stability.
class TestDesignFile : public QObject {
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("document"); // "@kind": a path that is no plain file
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("expected"); // null: nothing at all is read

        const auto row = [](const char *tag, const QByteArray &document, const char *element,
                            const char *expected) {
            QTest::newRow(tag) << document << element << expected;
        };
        const auto hostile = [](const char *tag, const QByteArray &document) {
            QTest::newRow(tag) << document << "MCU" << QString();
        };
        row("first of two wins", "<C><pllms>3</pllms><pllms>4</pllms></C>", "pllms", "3");
        row("only direct children", "<C><x><pllms>3</pllms></x></C>", "pllms", "");
        row("references and cdata", "<C><MCU>&#81;XC&amp;<![CDATA[<5>]]></MCU></C>", "MCU", "QXC&<5>");
        row("nested up to the limit", nested(DesignFile::MaxDepth - 1), "MCU", "QXC330");
        row("exactly the size limit", paddedTo(DesignFile::MaxFileSize), "MCU", "QXC330");
        hostile("empty", "");
        hostile("truncated", designWith().left(designWith().indexOf("</Configuration>")));
        hostile("binary", QByteArray("\x00\x01\x02\xff\xfe\x89PNG\r\n\x1a\n\x00\x00", 14));
        hostile("internal entity", "<!DOCTYPE C [<!ENTITY m \"QXC330\">]><C><MCU>&m;</MCU></C>");
        hostile("external entity",
                "<!DOCTYPE C [<!ENTITY m SYSTEM \"file:///etc/passwd\">]><C><MCU>&m;</MCU></C>");
        QByteArray laughs = "<!DOCTYPE C [<!ENTITY l0 \"lol\">";
        for (int i = 1; i < 10; ++i)
            laughs += "<!ENTITY l" + QByteArray::number(i) + " \"" +
                      QByteArray("&l" + QByteArray::number(i - 1) + ";").repeated(10) + "\">";
        hostile("exponential entities", laughs + "]><C><MCU>QXC330</MCU><hext>&l9;</hext></C>");
        hostile("nested beyond the limit", nested(DesignFile::MaxDepth));
        hostile("very deeply nested", nested(200000).left(int(DesignFile::MaxFileSize)));
        hostile("one byte over the size limit", paddedTo(DesignFile::MaxFileSize) + " ");
        hostile("missing file", "@missing");
        hostile("a folder", "@folder");
        hostile("a fifo without writer", "@fifo"); // opening it would block forever
        hostile("an endless device", "@/dev/zero");
    }

    void read()
    {
        QFETCH(QByteArray, document);
        QFETCH(QString, element);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("d.TFCC"));
        if (document == "@folder")
            QVERIFY(QDir().mkdir(path));
        else if (document == "@fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (document.startsWith("@/"))
            path = QString::fromLatin1(document.mid(1));
        else if (!document.startsWith('@'))
            QVERIFY(!writeFile(path, document).isNull());
        if (!document.startsWith('@'))
            QCOMPARE(DesignFile::parse(document).value(element), expected);
        QCOMPARE(DesignFile::readElement(path, element), expected.isNull() ? QString() : expected);
        QCOMPARE(DesignFile::read(path).isEmpty(), expected.isNull());
        if (!expected.isNull())
            return;
        // Opened in the window, a file read as nothing leaves the open design as it was.
        QXPLLConfig host;
        QString name;
        ScriptedDialogs dialogs;
        QVERIFY(
            host.openDesign(writeFile(dir.filePath(QStringLiteral("a.TFCC")), designWith("pllfr=4")), name));
        QXMCUPLL *before = host.currentWidget();
        const auto fields = before->config()->fieldValues();
        QVERIFY(!host.openDesign(path, name));
        QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("MCU in file not supported.")});
        QCOMPARE(host.currentWidget(), before);
        QCOMPARE(host.currentWidget()->config()->fieldValues(), fields);
    }

    void fallbacks_data() { addTableRows("designfile_fallbacks.tsv"); }
    void fallbacks()
    {
        QFETCH(QString, changes);
        QFETCH(QString, fields);
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(QStringList, boxes);
        QTemporaryDir dir;
        QXC330PLL widget;
        ScriptedDialogs dialogs;
        widget.loadConfig(writeFile(dir.filePath(QStringLiteral("d.TFCC")), designWith(changes)));
        TF_VERIFY_FIELDS(*widget.config(), fields);
        QCOMPARE(controlText(widget, control), text);
        QCOMPARE(dialogs.texts(), boxes);       // each box once, however many slots ask
        if (control == QLatin1String("hext")) { // kept, marked as not applied, refused again at the next read
            QCOMPARE(QXMCUPLL::sheet(widget.findControl<QLineEdit>("hext")), SeriesWidget::pendingEditStyle());
            dialogs.clear();
            widget.hext_LineEdit_returnPressed();
            QCOMPARE(dialogs.texts(), boxes);
        }
    }

    // Designs of every series as Save writes them, from records that pass every check.
    void saveOpenSaveIsStable_data()
    {
        QTest::addColumn<QByteArray>("design");
        QTest::addColumn<int>("seriesId");
        QHash<QString, int> taken; // two a series
        for (const QStringList &row : tableLines("sweep_records.tsv").mid(1)) {
            if (row.at(2) == "false" || ++taken[row.at(1)] > 2)
                continue;
            const SeriesParams &p = *SeriesTable::byName(row.at(1));
            ClockConfig c(p.id);
            QVERIFY(RecordFields::apply(c, row.at(3)));
            c.recompute();
            QTest::newRow(qPrintable(row.at(0))) << DesignFile::write(c, p.seriesName()) << p.id;
        }
    }

    void saveOpenSaveIsStable()
    {
        QFETCH(QByteArray, design);
        QFETCH(int, seriesId);
        const QString mcu = SeriesTable::byId(seriesId)->seriesName();
        // In memory where the machine has it: the synced writer then costs no disk flush.
        QTemporaryDir dir(QFileInfo("/dev/shm").isWritable() ? "/dev/shm/tst_designfile-XXXXXX" : QString());
        const QString paths[] = {writeFile(dir.filePath(QStringLiteral("0.TFCC")), design),
                                 dir.filePath(QStringLiteral("1.TFCC")),
                                 dir.filePath(QStringLiteral("2.TFCC"))};
        std::unique_ptr<QXMCUPLL> widgets[2];
        for (int i = 0; i < 2; ++i) {
            widgets[i].reset(createSeriesWidget(seriesId, nullptr));
            ScriptedDialogs dialogs;
            widgets[i]->loadConfig(paths[i]);
            QVERIFY2(dialogs.requests.isEmpty(), design.constData());
            dialogs.answerButton(QMessageBox::Yes); // to a USB warning
            dialogs.answerPath(paths[i + 1]);
            widgets[i]->saveConfig(mcu);
            QCOMPARE(dialogs.last()->text, QStringLiteral("Save file succeed!"));
        }
        // Every element is opened as written, the PLL factors included, even
        // where the handlers fired while opening solve the PLL anew.
        const DesignFile::Elements original = DesignFile::parse(design), saved = DesignFile::read(paths[1]);
        QCOMPARE(original.size(), DesignFile::elementNames(mcu).size());
        QVERIFY(DesignFile::write(*widgets[0]->config(), QStringLiteral("QXC999")).isEmpty());
        for (const QString &name : DesignFile::elementNames(mcu))
            QVERIFY2(saved.value(name) == original.value(name), qPrintable(name));
        QCOMPARE(readBytes(paths[2]), readBytes(paths[1]));
        QCOMPARE(widgets[1]->config()->fieldValues(), widgets[0]->config()->fieldValues());
    }
};

QTEST_MAIN(TestDesignFile)
#include "tst_designfile.moc"
