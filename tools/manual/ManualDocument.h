#pragma once

#include <QDir>
#include <QHash>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QVector>

class QPainter;
class QPdfWriter;

// A user manual: Markdown with a short front matter
//     ---
//     title: Tickforge User Manual
//     subtitle: ...
//     contents: Contents        (heading of the table of contents)
//     language: en | zh         (zh: Chinese fonts)
//     ---
// laid out on A4 pages with a title page, a table of contents, numbered
// chapters and sections, running heads and page numbers, and written as PDF.
// Pictures with the address scheme "tickforge:" are taken from the program
// itself (Pictures.h).
class ManualDocument final : public QTextDocument {
public:
    explicit ManualDocument(const QDir &sourceDir, QObject *parent = nullptr);

    // False (with a reason) when the source has no front matter or no title.
    bool setSource(const QString &text, QString *error);
    bool writePdf(const QString &fileName, QString *error);

protected:
    QVariant loadResource(int type, const QUrl &name) override;

private:
    struct Heading {
        int level = 0;
        QString title; // with its number
    };

    void takePictures(const QString &markdown);
    QString numberHeadings(const QString &markdown);
    QString contentsTable() const;
    void style();
    void styleBlock(QTextBlock block);
    void styleTables();
    void keepHeadingsWithText();
    bool moveSplitTable(const QTextBlock &block);
    void fillContents();
    void relayout();
    int pageOf(const QTextBlock &block) const;
    bool straddles(const QTextBlock &block) const;
    QVector<int> headingPages() const;
    QString chapterOn(int page, const QVector<int> &headingPages) const;
    void paintTitlePage(QPainter &painter, const QRectF &page) const;
    void paintPage(QPainter &painter, int page, int pageCount, const QRectF &paper, const QRectF &body,
                   const QString &chapter);

    QDir m_sourceDir;
    QHash<QString, QImage> m_pictures; // by address
    QString m_title;
    QString m_subtitle;
    QString m_contents;
    bool m_chinese = false;
    QVector<Heading> m_headings; // chapters and sections, in order
};
