#include "ManualDocument.h"

#include "Pictures.h"
#include "tf_version.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextTable>
#include <QUrlQuery>

namespace {

// The program's palette: the menu's navy, the title button's blue.
const QColor Navy(0, 32, 82);
const QColor Blue(57, 169, 220);
const QColor Rule(190, 198, 208);
const QColor HeaderCell(217, 233, 246);
const QColor CodeBack(243, 245, 247);
const QColor NoteBack(255, 249, 228);

// Paper and margins (millimetres), and the resolution the PDF is drawn at.
constexpr int Dpi = 300;
constexpr qreal MarginSide = 22, MarginTop = 26, MarginBottom = 24;

// Lengths of the text formats are given at 96 dpi; the layout scales them.
constexpr qreal Px = 96.0 / 72.0; // one point

constexpr qreal PaperWidth = 210, PaperHeight = 297; // A4

qreal mm(qreal millimetres)
{
    return millimetres / 25.4 * Dpi;
}

// Millimetres in the 96-dpi pixels of the text formats.
qreal mm96(qreal millimetres)
{
    return millimetres / 25.4 * 96;
}

QStringList families(bool chinese, bool mono)
{
    const QString latin = mono ? QStringLiteral("Liberation Mono") : QStringLiteral("Liberation Sans");
    if (!chinese)
        return {latin};
    return {latin, mono ? QStringLiteral("WenQuanYi Zen Hei Mono") : QStringLiteral("WenQuanYi Zen Hei")};
}

QFont font(bool chinese, qreal points, bool bold = false, bool mono = false)
{
    QFont f(families(chinese, mono).constFirst());
    f.setFamilies(families(chinese, mono));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// Code as the Markdown importer marks it: in the system's fixed font, which
// need not be fixed-pitch on every platform (the offscreen one has none).
bool isMono(const QTextCharFormat &format)
{
    const QString fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    return format.fontFixedPitch() || (!format.fontFamily().isEmpty() && format.fontFamily() == fixed);
}

// A block that only holds a picture.
bool isPicture(const QTextBlock &block)
{
    const QString text = block.text();
    return text.size() == 1 && text.at(0) == QChar::ObjectReplacementCharacter;
}

// A short line of text under a picture.
bool isCaption(const QTextBlock &block)
{
    const QString text = block.text().trimmed();
    return block.isValid() && !text.isEmpty() && text.size() < 200 && !isPicture(block) &&
           block.blockFormat().headingLevel() == 0;
}

QString frontMatterValue(const QString &frontMatter, const QString &key)
{
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(key),
                                  QRegularExpression::MultilineOption);
    return line.match(frontMatter).captured(1).trimmed();
}

} // namespace

ManualDocument::ManualDocument(const QDir &sourceDir, QObject *parent)
    : QTextDocument(parent), m_sourceDir(sourceDir)
{}

QVariant ManualDocument::loadResource(int type, const QUrl &name)
{
    // The program's pictures were all taken before the layout (takePictures).
    if (type == QTextDocument::ImageResource && name.scheme() == QLatin1String("tickforge"))
        return m_pictures.value(name.toString());
    if (type == QTextDocument::ImageResource && name.isRelative()) {
        const QImage image(m_sourceDir.filePath(name.toString()));
        if (!image.isNull())
            return image;
    }
    return QTextDocument::loadResource(type, name);
}

bool ManualDocument::setSource(const QString &text, QString *error)
{
    static const QRegularExpression front(QStringLiteral("\\A---\\n(.*?)\\n---\\n"),
                                          QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = front.match(text);
    if (!match.hasMatch()) {
        *error = QStringLiteral("the source does not start with a front matter block");
        return false;
    }
    m_title = frontMatterValue(match.captured(1), QStringLiteral("title"));
    m_subtitle = frontMatterValue(match.captured(1), QStringLiteral("subtitle"));
    m_contents = frontMatterValue(match.captured(1), QStringLiteral("contents"));
    m_chinese = frontMatterValue(match.captured(1), QStringLiteral("language")) == QLatin1String("zh");
    if (m_title.isEmpty()) {
        *error = QStringLiteral("the front matter names no title");
        return false;
    }
    setMetaInformation(QTextDocument::DocumentTitle, m_title);

    const QString body = numberHeadings(text.mid(match.capturedLength()));
    takePictures(body);
    setMarkdown(contentsTable() + body, QTextDocument::MarkdownDialectGitHub);
    style();
    return true;
}

// Takes the program's pictures before the text is laid out: taking one builds
// widgets and runs the event loop, which must not happen inside the layout.
//
// A picture is shown at its size at 96 dpi, but no wider than the text and no
// taller than most of a page; "width=N" in its address asks for N % of the
// text's width. The size is set through the picture's device pixel ratio, so
// the picture keeps all its pixels in the PDF.
void ManualDocument::takePictures(const QString &markdown)
{
    static const QRegularExpression address(QStringLiteral("\\]\\((tickforge:[^)\\s]+)\\)"));
    const QSizeF text(mm96(PaperWidth - 2 * MarginSide), mm96(PaperHeight - MarginTop - MarginBottom) * 0.85);
    for (auto it = address.globalMatch(markdown); it.hasNext();) {
        const QUrl url(it.next().captured(1));
        QImage image = programPicture(url, m_sourceDir);
        if (image.isNull()) {
            qWarning("tf_manual: no picture for %s", qPrintable(url.toString()));
            continue;
        }
        const int percent = QUrlQuery(url).queryItemValue(QStringLiteral("width")).toInt();
        const QSizeF box(percent > 0 ? text.width() * qMin(percent, 100) / 100.0 : text.width(),
                         text.height());
        const QSizeF shown =
            percent > 0
                ? QSizeF(image.size()).scaled(box, Qt::KeepAspectRatio)
                : QSizeF(image.size()).boundedTo(QSizeF(image.size()).scaled(box, Qt::KeepAspectRatio));
        image.setDevicePixelRatio(image.width() / shown.width());
        // Kept here: setMarkdown() clears the document's own resources.
        m_pictures.insert(url.toString(), image);
    }
}

// Numbers chapters (#) and sections (##) in the source and remembers them for
// the table of contents. Lines inside fenced code are left alone.
QString ManualDocument::numberHeadings(const QString &markdown)
{
    static const QRegularExpression heading(QStringLiteral("^(#{1,2}) (.*)$"));
    QStringList lines = markdown.split(QLatin1Char('\n'));
    bool fenced = false;
    int chapter = 0, section = 0;
    for (QString &line : lines) {
        if (line.startsWith(QLatin1String("```"))) {
            fenced = !fenced;
            continue;
        }
        const QRegularExpressionMatch match = heading.match(line);
        if (fenced || !match.hasMatch())
            continue;
        const int level = match.captured(1).size();
        QString number;
        if (level == 1) {
            number = QString::number(++chapter);
            section = 0;
        } else {
            number = QStringLiteral("%1.%2").arg(chapter).arg(++section);
        }
        const QString title = number + QStringLiteral("\u00a0\u00a0") + match.captured(2).trimmed();
        m_headings.append({level, title});
        line = match.captured(1) + QLatin1Char(' ') + title;
    }
    return lines.join(QLatin1Char('\n'));
}

// The table of contents as Markdown, with room for the page numbers that
// fillContents() writes once the pages are known.
QString ManualDocument::contentsTable() const
{
    if (m_contents.isEmpty() || m_headings.isEmpty())
        return QString();
    // Markdown tables need a header row; styleTables() removes the empty one.
    QString table = QStringLiteral("# ") + m_contents + QStringLiteral("\n\n|  |  |\n|:--|--:|\n");
    for (const Heading &h : m_headings) {
        QString title = h.title;
        title.replace(QLatin1Char('|'), QLatin1String("\\|"));
        table +=
            QStringLiteral("| %1 | 000 |\n").arg(h.level == 1 ? QStringLiteral("**%1**").arg(title) : title);
    }
    return table + QLatin1Char('\n');
}

void ManualDocument::style()
{
    setDocumentMargin(0);
    setDefaultFont(font(m_chinese, 10.5));
    for (QTextBlock block = begin(); block.isValid(); block = block.next())
        styleBlock(block);
    styleTables();
}

// The pages of the numbered chapters and sections, in order. Block handles
// are looked up afresh: they do not survive every edit of the document.
QVector<int> ManualDocument::headingPages() const
{
    QVector<int> pages;
    for (QTextBlock block = begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if ((level == 1 || level == 2) && !(level == 1 && block.text() == m_contents))
            pages.append(pageOf(block));
    }
    return pages;
}

void ManualDocument::styleBlock(QTextBlock block)
{
    QTextCursor cursor(block);
    const bool inTable = cursor.currentTable() != nullptr;
    QTextBlockFormat format = block.blockFormat();
    if (inTable) {
        // The first cell of a table takes over the format of the block before
        // the table (a code line, a note); a cell is always plain text.
        QTextBlockFormat plain;
        plain.setAlignment(format.alignment());
        format = plain;
    }
    const int level = format.headingLevel();
    const bool code = format.nonBreakableLines() || format.hasProperty(QTextFormat::BlockCodeFence);

    QTextCharFormat chars;
    if (level > 0) {
        static const qreal sizes[] = {0, 20, 14, 11.5, 10.5, 10.5, 10.5};
        chars.setFont(font(m_chinese, sizes[qMin(level, 6)], true));
        chars.setForeground(level == 3 ? Blue.darker(130) : Navy);
        format.setTopMargin(level == 1 ? 0 : (level == 2 ? 16 : 10) * Px);
        format.setBottomMargin((level == 1 ? 14 : 6) * Px);
        // Every chapter starts a page; the first one follows the title page.
        if (level == 1 && block != begin())
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    } else if (code) {
        chars.setFont(font(m_chinese, 8.8, false, true));
        format.setBackground(CodeBack);
        format.setLeftMargin(6 * Px);
        format.setTopMargin(0);
        format.setBottomMargin(0);
        format.setLineHeight(100, QTextBlockFormat::ProportionalHeight);
    } else {
        format.setLineHeight(m_chinese ? 135 : 122, QTextBlockFormat::ProportionalHeight);
        format.setBottomMargin((inTable ? 0 : 5) * Px);
        if (format.hasProperty(QTextFormat::BlockQuoteLevel)) {
            format.setBackground(NoteBack);
            format.setLeftMargin(10 * Px);
            format.setRightMargin(0);
        }
        if (isPicture(block)) {
            format.setAlignment(Qt::AlignHCenter);
            format.setTopMargin(4 * Px);
            // The text's line spacing would add a fifth of the picture's
            // height as blank space under it.
            format.setLineHeight(100, QTextBlockFormat::SingleHeight);
        }
    }
    if (inTable)
        chars.setFont(font(m_chinese, 9.3, false, code));
    cursor.setBlockFormat(format);
    // The block's own character format draws list numbers and bullets.
    QTextCharFormat blockChars = block.charFormat();
    const QFont listFont =
        chars.hasProperty(QTextFormat::FontPointSize) ? chars.font() : font(m_chinese, 10.5);
    blockChars.setFont(listFont);
    blockChars.setFontFamilies(listFont.families());
    cursor.setBlockCharFormat(blockChars);

    // Fonts per fragment, so that bold, italics and inline code survive.
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        QTextCharFormat merged = fragment.charFormat();
        const bool mono = code || isMono(merged);
        const QFont base =
            chars.hasProperty(QTextFormat::FontPointSize) ? chars.font() : font(m_chinese, 10.5);
        QFont f = font(m_chinese, mono && !code ? base.pointSizeF() * 0.92 : base.pointSizeF(),
                       base.bold() || merged.fontWeight() >= QFont::Bold, mono);
        f.setItalic(merged.fontItalic());
        merged.setFont(f, QTextCharFormat::FontPropertiesSpecifiedOnly);
        merged.setFontFamily(f.family());
        merged.setFontFamilies(f.families());
        merged.setFontPointSize(f.pointSizeF());
        merged.setFontWeight(f.weight());
        if (chars.hasProperty(QTextFormat::ForegroundBrush))
            merged.setForeground(chars.foreground());
        if (mono && !code)
            merged.setBackground(CodeBack);
        if (merged.isAnchor()) {
            merged.setForeground(Blue.darker(120));
            merged.setFontUnderline(false);
        }
        QTextCursor part(this);
        part.setPosition(fragment.position());
        part.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
        part.setCharFormat(merged);
    }
}

void ManualDocument::styleTables()
{
    bool first = !m_contents.isEmpty();
    const QList<QTextFrame *> frames = rootFrame()->childFrames();
    for (QTextFrame *frame : frames) {
        auto *table = qobject_cast<QTextTable *>(frame);
        if (!table)
            continue;
        const bool contents = first;
        first = false;
        // After a code block or a note the importer leaves an empty line at
        // the top of the first cell.
        const QTextTableCell corner = table->cellAt(0, 0);
        QTextCursor top = corner.firstCursorPosition();
        while (top.block().text().isEmpty() &&
               top.block().position() + top.block().length() < corner.lastCursorPosition().position() + 1)
            top.deleteChar();
        QTextTableFormat format = table->format();
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        format.setCellSpacing(0);
        format.setCellPadding(contents ? 2 : 4);
        // Collapsed borders: one thin rule between cells, drawn from the cells' own borders.
        format.setBorder(contents ? 0 : 0.75);
        format.setBorderBrush(Rule);
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderCollapse(true);
        format.setHeaderRowCount(contents ? 0 : 1);
        format.setTopMargin(2 * Px);
        format.setBottomMargin(8 * Px);
        table->setFormat(format);
        if (contents) {
            table->removeRows(0, 1);
            continue;
        }
        for (int row = 0; row < table->rows(); ++row) {
            for (int column = 0; column < table->columns(); ++column) {
                QTextTableCell cell = table->cellAt(row, column);
                QTextTableCellFormat grid = cell.format().toTableCellFormat();
                grid.setBorder(0.75);
                grid.setBorderBrush(Rule);
                grid.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
                if (row == 0)
                    grid.setBackground(HeaderCell);
                cell.setFormat(grid);
            }
        }
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(0, column);
            QTextCursor text = cell.firstCursorPosition();
            text.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
            QTextCharFormat bold;
            bold.setFontWeight(QFont::Bold);
            text.mergeCharFormat(bold);
        }
    }
}

// Lays the whole document out again. After format changes the incremental
// layout leaves some blocks without lines (zero height), so every change is
// followed by a full one.
void ManualDocument::relayout()
{
    markContentsDirty(0, characterCount());
    documentLayout()->documentSize();
}

// The page on which a block's first line ends. Where the layout pushes a line
// over a page break, the block's box can still begin on the page before.
int ManualDocument::pageOf(const QTextBlock &block) const
{
    const QRectF rect = documentLayout()->blockBoundingRect(block);
    const QTextLine first = block.layout() ? block.layout()->lineAt(0) : QTextLine();
    const qreal bottom = first.isValid() ? rect.top() + first.y() + first.height() : rect.top() + 1;
    return int((bottom - 1) / pageSize().height());
}

// Whether a block's first page differs from the page of its last pixel.
bool ManualDocument::straddles(const QTextBlock &block) const
{
    const QRectF rect = documentLayout()->blockBoundingRect(block);
    const qreal page = pageSize().height();
    return int(rect.top() / page) != int((rect.bottom() - 1) / page);
}

// Moves to the next page: a section heading at the foot of a page whose text
// starts on the next; a picture whose caption is on the next; and a picture
// that would run over the page's foot (the layout breaks text lines between
// pages, but not the line of a picture). Headings right above a moved block
// move with it. One pass from the top: what lies above is settled.
void ManualDocument::keepHeadingsWithText()
{
    for (QTextBlock block = begin(); block.isValid(); block = block.next()) {
        if (moveSplitTable(block)) {
            relayout();
            continue;
        }
        const QTextBlock next = block.next();
        const bool heading =
            block.blockFormat().headingLevel() >= 2 && next.isValid() && pageOf(block) != pageOf(next);
        const bool picture =
            isPicture(block) && (straddles(block) || (isCaption(next) && pageOf(block) != pageOf(next)));
        if (!heading && !picture)
            continue;
        QTextBlock first = block;
        while (first.previous().isValid() && first.previous().blockFormat().headingLevel() >= 2)
            first = first.previous();
        if (first.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            continue; // already at the top of a page: it cannot do better
        QTextBlockFormat format = first.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(first).setBlockFormat(format);
        relayout();
        block = first;
    }
}

// A short table that would run over a page break moves to the next page
// whole, with the heading and the line ending in a colon that introduce it,
// so that none of its rows goes on without its first cell. Looked at from
// the table's first block; true when something moved.
bool ManualDocument::moveSplitTable(const QTextBlock &block)
{
    QTextTable *table = QTextCursor(block).currentTable();
    if (!table || table->format().headerRowCount() == 0 ||
        table->cellAt(0, 0).firstCursorPosition().block() != block)
        return false;
    const QRectF box = documentLayout()->frameBoundingRect(table);
    const qreal page = pageSize().height();
    if (int(box.top() / page) == int((box.bottom() - 1) / page) || box.height() > page * 0.45)
        return false;
    QTextBlock first;
    for (QTextBlock before = block.previous(); before.isValid(); before = before.previous()) {
        const QString text = before.text().trimmed();
        const bool introduces = text.endsWith(QLatin1Char(':')) || text.endsWith(QChar(0xff1a));
        if (before.blockFormat().headingLevel() != 2 && !(introduces && text.size() < 300))
            break;
        first = before;
    }
    if (first.isValid()) {
        QTextBlockFormat format = first.blockFormat();
        if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            return false;
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(first).setBlockFormat(format);
        return true;
    }
    QTextTableFormat format = table->format();
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        return false;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    table->setFormat(format);
    return true;
}

void ManualDocument::fillContents()
{
    auto *table = qobject_cast<QTextTable *>(rootFrame()->childFrames().value(0));
    if (m_contents.isEmpty() || !table)
        return;
    const QVector<int> pages = headingPages();
    for (int row = 0; row < table->rows() && row < pages.size(); ++row) {
        const QTextTableCell cell = table->cellAt(row, 1);
        QTextCursor cursor = cell.firstCursorPosition();
        cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
        // The title page comes first.
        cursor.insertText(QString::number(pages.at(row) + 2));
    }
}

// The chapter a page belongs to, for the running head.
QString ManualDocument::chapterOn(int page, const QVector<int> &headingPages) const
{
    QString chapter = m_contents;
    for (int i = 0; i < m_headings.size() && i < headingPages.size(); ++i) {
        if (m_headings.at(i).level == 1 && headingPages.at(i) <= page)
            chapter = m_headings.at(i).title;
    }
    return chapter;
}

void ManualDocument::paintTitlePage(QPainter &painter, const QRectF &page) const
{
    const QImage logo(QStringLiteral(":/image/Velorn_log.png"));
    const qreal side = mm(62);
    if (!logo.isNull())
        painter.drawImage(QRectF(page.center().x() - side / 2, mm(58), side, side), logo);

    QRectF line(page.left() + mm(MarginSide), mm(140), page.width() - 2 * mm(MarginSide), mm(16));
    painter.setPen(Navy);
    painter.setFont(font(m_chinese, 28, true));
    painter.drawText(line, Qt::AlignCenter, m_title);
    line.translate(0, mm(16));
    painter.setPen(Blue.darker(130));
    painter.setFont(font(m_chinese, 13));
    painter.drawText(line.adjusted(0, 0, 0, mm(10)), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     m_subtitle);
    line.translate(0, mm(24));
    painter.setPen(Navy);
    painter.setFont(font(m_chinese, 12, true));
    painter.drawText(line, Qt::AlignCenter, QStringLiteral("V" TF_VERSION_TEXT));
    painter.setPen(QPen(Blue, mm(0.6)));
    painter.drawLine(QPointF(page.center().x() - mm(30), mm(136)),
                     QPointF(page.center().x() + mm(30), mm(136)));
}

void ManualDocument::paintPage(QPainter &painter, int page, int pageCount, const QRectF &paper,
                               const QRectF &body, const QString &chapter)
{
    painter.save();
    // The layout draws every block that touches the page; lines that belong
    // to the next page must not show at this one's foot.
    painter.setClipRect(body);
    painter.translate(body.topLeft() - QPointF(0, page * body.height()));
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = QRectF(0, page * body.height(), body.width(), body.height());
    context.palette.setColor(QPalette::Text, Qt::black);
    documentLayout()->draw(&painter, context);
    painter.restore();

    // Running head: the manual's title and the chapter; foot: version and page.
    const qreal headY = mm(MarginTop) - mm(9), footY = paper.height() - mm(MarginBottom) + mm(6);
    painter.setPen(QPen(Rule, mm(0.25)));
    painter.drawLine(QPointF(body.left(), headY + mm(5.5)), QPointF(body.right(), headY + mm(5.5)));
    painter.drawLine(QPointF(body.left(), footY), QPointF(body.right(), footY));
    painter.setFont(font(m_chinese, 8));
    painter.setPen(QColor(96, 104, 116));
    const QRectF head(body.left(), headY, body.width(), mm(5));
    painter.drawText(head, Qt::AlignLeft | Qt::AlignVCenter, m_title);
    painter.drawText(head, Qt::AlignRight | Qt::AlignVCenter, chapter);
    const QRectF foot(body.left(), footY + mm(1.5), body.width(), mm(5));
    painter.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tickforge V" TF_VERSION_TEXT));
    painter.drawText(foot, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("%1 / %2").arg(page + 2).arg(pageCount));
}

bool ManualDocument::writePdf(const QString &fileName, QString *error)
{
    QPdfWriter writer(fileName);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(Dpi);
    writer.setTitle(m_title);
    writer.setCreator(QStringLiteral("Tickforge tf_manual"));

    const QRectF paper(QPointF(0, 0), writer.pageLayout().fullRectPixels(Dpi).size());
    const QRectF body(mm(MarginSide), mm(MarginTop), paper.width() - 2 * mm(MarginSide),
                      paper.height() - mm(MarginTop) - mm(MarginBottom));
    documentLayout()->setPaintDevice(&writer);
    setPageSize(body.size());
    relayout();
    keepHeadingsWithText();
    fillContents();
    relayout();

    QPainter painter;
    if (!painter.begin(&writer)) {
        *error = QStringLiteral("cannot write %1").arg(fileName);
        return false;
    }
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    paintTitlePage(painter, paper);
    // Trailing empty blocks would add a blank page.
    QTextBlock last = lastBlock();
    while (last.isValid() && last.text().trimmed().isEmpty() && last.previous().isValid())
        last = last.previous();
    const int pages = pageOf(last) + 1;
    const QVector<int> headings = headingPages();
    for (int page = 0; page < pages; ++page) {
        writer.newPage();
        paintPage(painter, page, pages + 1, paper, body, chapterOn(page, headings));
    }
    if (!painter.end()) {
        *error = QStringLiteral("cannot finish %1").arg(fileName);
        return false;
    }
    return true;
}
