// The template marker engine on any text: the first line is a block name,
// the rest the template. Keeping, removing and replacing blocks and
// rewriting a call must end without a crash, whatever the text holds.
#include "Markers.h"

#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const int lineEnd = input.indexOf(QLatin1Char('\n'));
    QString name = lineEnd < 0 ? input : input.left(lineEnd);
    // Compiled patterns are cached per name, as the generator's names are
    // few: short names (any characters) and the templates' own keep the
    // cache bounded however long the fuzzer runs.
    static const char *const templateNames[] = {"enable hext", "enable pll", "pll sysclock", "sysclock < 168",
                                                "hick48"};
    constexpr uint count = sizeof templateNames / sizeof *templateNames;
    if (name.size() > 3 && std::none_of(templateNames, templateNames + count,
                                        [&name](const char *known) { return name == QLatin1String(known); }))
        name = QLatin1String(templateNames[qHash(name) % count]);
    const QString text = lineEnd < 0 ? QString() : input.mid(lineEnd + 1);

    QString body;
    const bool found = Markers::find(text, name, &body);
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
    }
    QString calls = text;
    Markers::rewriteCall(calls, QStringLiteral("crm_ahb_div_set\\((\\s*\\w+)\\);{,1}"),
                         QStringLiteral("crm_ahb_div_set"), {QStringLiteral("CRM_AHB_DIV_2")});
    Markers::rewriteLastCall(calls,
                             QStringLiteral("crm_pll_config\\((\\w+, \\s*\\d+, \\s*\\d+,\\s*\\w+)\\);{,1}"),
                             QStringLiteral("crm_pll_config"), {name, name});
    return 0;
}
