#pragma once

#include <QRegularExpression>
#include <QString>
#include <functional>

// The block-marker language of the code templates and the pattern helpers
// the call rewrites share.
//
// A block is "[#name]\n", a body of whole lines, "[/#name]" and the run of
// line feeds after it. The body runs to the LAST closing marker of that name
// in the searched string (greedy), so a name occurs once per searched string:
// the pattern "\[#name\]\n(.+)\[/#name\]\n+", name literal, with "." matching
// line feeds too. Blocks are found by plain text searches.
namespace Markers {

// Compiles a pattern written in the classic syntax the templates were
// designed for: "{,1}" means "?" and "." also matches a line feed. Compiled
// patterns are cached per thread.
QRegularExpression classic(const QString &pattern);

// Replaces every match of re in text by what `with` returns for it, taken
// literally (no back-references). Returns the number of matches.
int replaceEach(QString &text, const QRegularExpression &re,
                const std::function<QString(const QRegularExpressionMatch &)> &with);

// True when the block is in text; its body (capture 1) goes to *body.
bool find(const QString &text, const QString &name, QString *body = nullptr);

// Markers vanish and exactly one empty line follows the body.
bool keep(QString &text, const QString &name);
// Markers vanish and no empty line follows the body.
bool keepTight(QString &text, const QString &name);
// Markers, body and the line feeds after the block vanish.
bool remove(QString &text, const QString &name);
// keep (or keepTight) when keepIt, else remove.
bool decide(QString &text, const QString &name, bool keepIt, bool tight = false);
// Puts an edited body in the place of the block, as keep/keepTight would.
bool replaceBody(QString &text, const QString &name, const QString &body, bool tight = false);

// Rewrites every match of the classic pattern into function + "(" + args
// joined by ", " + ");". False when nothing matched.
bool rewriteCall(QString &target, const QString &pattern, const QString &function, const QStringList &args);
// As rewriteCall, but only the last match is rewritten; earlier ones stay.
bool rewriteLastCall(QString &target, const QString &pattern, const QString &function,
                     const QStringList &args);

} // namespace Markers
