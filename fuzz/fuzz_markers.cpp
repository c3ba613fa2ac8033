// The template marker engine on any text: the first line is a block name,
// the rest the template. Keeping, removing and replacing blocks and
// rewriting a call must end without a crash, whatever the text holds, and
// the plain searches for blocks must agree with the block pattern.
#include "Markers.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const int lineEnd = input.indexOf(QLatin1Char('\n'));
    QString name = lineEnd < 0 ? input : input.left(lineEnd);
    // Short names (any characters) and the templates' own: the fuzzer
    // spends its time on the texts around them.
    static const char *const templateNames[] = {"enable hext", "enable pll", "pll sysclock", "sysclock < 168",
                                                "hick48"};
    constexpr uint count = sizeof templateNames / sizeof *templateNames;
    if (name.size() > 3 && std::none_of(templateNames, templateNames + count,
                                        [&name](const char *known) { return name == QLatin1String(known); }))
        name = QLatin1String(templateNames[qHash(name) % count]);
    const QString text = lineEnd < 0 ? QString() : input.mid(lineEnd + 1);

    QString body;
    const bool found = Markers::find(text, name, &body);
    // Blocks are found by plain searches: exactly where the block pattern
    // matches, with the same body, and edited as replacing its match would.
    const QString quoted = QRegularExpression::escape(name);
    const QRegularExpression pattern(QStringLiteral("\\[#") + quoted + QStringLiteral("\\]\\n(.+)\\[/#") +
                                         quoted + QStringLiteral("\\]\\n+"),
                                     QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(text);
    if (match.hasMatch() != found || (found && match.captured(1) != body))
        std::abort();
    for (int operation = 0; operation < 4; ++operation) {
        QString edited = text;
        bool changed = false;
        switch (operation) {
        case 0:
            changed = Markers::keep(edited, name);
            break;
        case 1:
            changed = Markers::keepTight(edited, name);
            break;
        case 2:
            changed = Markers::remove(edited, name);
            break;
        default:
            changed = Markers::replaceBody(edited, name, body.toUpper());
            break;
        }
        // An operation finds exactly the blocks find() finds.
        if (changed != found)
            std::abort();
        const QString patternEdit[] = {QStringLiteral("\\1\n"), QStringLiteral("\\1"), QString()};
        if (operation < 3 && edited != QString(text).replace(pattern, patternEdit[operation]))
            std::abort();
    }
    QString calls = text;
    Markers::rewriteCall(calls, QStringLiteral("crm_ahb_div_set\\((\\s*\\w+)\\);{,1}"),
                         QStringLiteral("crm_ahb_div_set"), {QStringLiteral("CRM_AHB_DIV_2")});
    Markers::rewriteLastCall(calls,
                             QStringLiteral("crm_pll_config\\((\\w+, \\s*\\d+, \\s*\\d+,\\s*\\w+)\\);{,1}"),
                             QStringLiteral("crm_pll_config"), {name, name});
    return 0;
}
