#pragma once

#include "DialogService.h"
#include "FactoryDocument.h"
#include "QXMCUPLL.h"
#include "ScriptedDialogs.h"
#include "SeriesFactory.h"

#include <QFile>
#include <QList>
#include <QPair>
#include <QRegularExpression>
#include <QStringList>
#include <memory>

// Helpers shared by the design-file flow tests.

// A series widget as New leaves it.
inline std::unique_ptr<QXMCUPLL> newSeriesWidget(int seriesId)
{
    std::unique_ptr<QXMCUPLL> widget(createSeriesWidget(seriesId, nullptr));
    if (widget)
        widget->resetConfig();
    return widget;
}

using Changes = QList<QPair<QString, QString>>;

// The factory QXC330 document with some element texts replaced (an element
// that is not in it is added at the end; a null text removes the element).
inline QByteArray designWith(const Changes &changes, const QString &mcu = QStringLiteral("QXC330"))
{
    QString text = QString::fromUtf8(factoryQxc330Document());
    text.replace(QStringLiteral("<MCU>QXC330</MCU>"),
                 QStringLiteral("<MCU>") + mcu + QStringLiteral("</MCU>"));
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

// Records the start folder or proposed name that the file dialogs get, then
// hands the request on to the scripted dialogs.
class DirRecorder final : public DialogService {
public:
    explicit DirRecorder(ScriptedDialogs &inner) : m_inner(inner) { DialogService::setInstance(this); }
    ~DirRecorder() override { DialogService::setInstance(&m_inner); }
    Q_DISABLE_COPY(DirRecorder)

    QStringList dirs;

    MessageReply message(const MessageRequest &request) override { return m_inner.message(request); }
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override
    {
        dirs.append(dir);
        return m_inner.openFileName(parent, caption, dir, filter);
    }
    QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override
    {
        dirs.append(dir);
        return m_inner.saveFileName(parent, caption, dir, filter);
    }
    QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir) override
    {
        dirs.append(dir);
        return m_inner.existingDirectory(parent, caption, dir);
    }
    bool openUrl(const QUrl &url) override { return m_inner.openUrl(url); }
    OverwriteReply askOverwrite(const QString &fileName) override { return m_inner.askOverwrite(fileName); }
    int exec(QDialog &dialog) override { return m_inner.exec(dialog); }

private:
    ScriptedDialogs &m_inner;
};
