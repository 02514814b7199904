// SPDX-License-Identifier: GPL-3.0-or-later
// The rich-text routines on real widgets: LoadRichText, CopyRichText,
// AppendRichText, zoom and links.
#include "ui/richtext/RichTextArea.h"
#include "ui/richtext/RichTextRoutines.h"
#include "ui/richtext/RichZoom.h"

#include <QAbstractTextDocumentLayout>
#include <QDesktopServices>
#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>
#include <QtTest>

namespace tevrix {
namespace {

RichText Fixture(const QString& name) {
    QFile file(QStringLiteral(TEVRIX_FIXTURES "/rtf/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return {file.readAll().toStdString()};
}

// The character format of the first fragment whose text is `text`.
QTextCharFormat FormatOfText(const QTextDocument& document, const QString& text) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text() == text)
                return it.fragment().charFormat();
        }
    }
    qWarning("no fragment \"%s\"", qPrintable(text));
    return {};
}

QList<QTextImageFormat> Images(const QTextDocument& document) {
    QList<QTextImageFormat> images;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                images.append(it.fragment().charFormat().toImageFormat());
        }
    }
    return images;
}

QImage ImageOf(const QTextDocument& document, const QTextImageFormat& format) {
    return document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
}

QTextTable* FirstTable(QTextDocument& document) {
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame))
            return table;
    }
    return nullptr;
}

} // namespace

class RichTextAreaTest : public QObject {
    Q_OBJECT

private slots:
    void LoadsFormattedText();
    void LoadsATable();
    void LoadsPicturesAsDocumentImages();
    void LoadsAMetafileFromARichEditDocument();
    void PlainTextAndEmptyText();
    void TabStopsCountFromTheLineStart();
    void ZoomScalesFontsPicturesAndIndentsFromTheirBase();
    void ZoomAppliesToLoadedContent();
    void DetectsLinksInText();
    void ClickOnALinkOpensIt();
    void CopyGivesTheSameContentAndSelection();
    void AppendInsertsAtTheCursorWithAParagraphBreak();
    void AppendOfPlainAndEmptyText();
};

void RichTextAreaTest::LoadsFormattedText() {
    RichTextArea area;
    LoadRichText(Fixture("formatting.rtf"), area);
    const QTextDocument& document = *area.document();
    QVERIFY(document.toPlainText().startsWith(
        "Вопрос по физике\nКакая из величин является векторной?"));

    const QTextCharFormat title = FormatOfText(document, "Вопрос по физике");
    QCOMPARE(title.fontWeight(), QFont::Bold);
    QCOMPARE(title.fontPointSize(), 12.0);
    QCOMPARE(title.fontFamilies().toStringList(), QStringList{"Liberation Serif"});
    QVERIFY(FormatOfText(document, "векторной").fontItalic());
    QVERIFY(FormatOfText(document, "подчёркнутый").fontUnderline());
    QVERIFY(FormatOfText(document, "зачёркнутый").fontStrikeOut());
    QCOMPARE(FormatOfText(document, "Красный").foreground().color(), QColor(255, 0, 0));
    QCOMPARE(FormatOfText(document, "выделенный").background().color(), QColor(255, 255, 0));
    QCOMPARE(FormatOfText(document, "2").verticalAlignment(), QTextCharFormat::AlignSuperScript);
    QCOMPARE(FormatOfText(document, "Крупный Arial").fontPointSize(), 16.0);

    const QTextCharFormat link = FormatOfText(document, "пример");
    QVERIFY(link.isAnchor());
    QCOMPARE(link.anchorHref(), QString("https://example.org/test"));

    QCOMPARE(document.findBlockByNumber(0).blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(document.findBlockByNumber(2).blockFormat().alignment(), Qt::AlignRight);
    const QTextBlockFormat indented = document.findBlockByNumber(3).blockFormat();
    QCOMPARE(indented.alignment(), Qt::AlignJustify);
    QCOMPARE(indented.leftMargin(), 96.0); // one inch
    QCOMPARE(area.textCursor().position(), 0);
}

void RichTextAreaTest::LoadsATable() {
    RichTextArea area;
    LoadRichText(Fixture("table.rtf"), area);
    QTextTable* table = FirstTable(*area.document());
    QVERIFY(table);
    QCOMPARE(table->rows(), 3);
    QCOMPARE(table->columns(), 2);
    const auto cellText = [&](int row, int column) {
        QTextCursor cursor = table->cellAt(row, column).firstCursorPosition();
        cursor.setPosition(table->cellAt(row, column).lastCursorPosition().position(),
                           QTextCursor::KeepAnchor);
        return cursor.selectedText();
    };
    QCOMPARE(cellText(0, 0), QString("Величина"));
    QCOMPARE(cellText(2, 1), QString("Джоуль"));
    QCOMPARE(table->format().border(), 1.0);
    QCOMPARE(table->format().columnWidthConstraints().at(0).type(), QTextLength::FixedLength);
    QVERIFY(FormatOfText(*area.document(), "Джоуль").fontItalic());
    QVERIFY(area.document()->toPlainText().startsWith("Сопоставьте величины и единицы:\n"));
    QVERIFY(area.document()->toPlainText().endsWith("\nКонец вопроса."));
}

void RichTextAreaTest::LoadsPicturesAsDocumentImages() {
    RichTextArea area;
    LoadRichText(Fixture("picture.rtf"), area);
    const QList<QTextImageFormat> images = Images(*area.document());
    QCOMPARE(images.size(), 3);
    const QSizeF sizes[] = {
        {64, 32}, {32, 16}, {48, 24}}; // PNG, JPEG, WMF as the document sizes them
    for (int i = 0; i < images.size(); ++i) {
        QCOMPARE(QSizeF(images[i].width(), images[i].height()), sizes[i]);
        const QImage image = ImageOf(*area.document(), images[i]);
        QVERIFY2(!image.isNull(), qPrintable(QString("picture %1").arg(i)));
        // Every picture is red on the left and blue on the right.
        const QColor left = image.pixelColor(image.width() / 4, image.height() / 2);
        const QColor right = image.pixelColor(image.width() * 3 / 4, image.height() / 2);
        QVERIFY2(left.red() > 200 && left.blue() < 60, qPrintable(left.name()));
        QVERIFY2(right.blue() > 200 && right.red() < 60, qPrintable(right.name()));
    }
}

void RichTextAreaTest::LoadsAMetafileFromARichEditDocument() {
    RichTextArea area;
    LoadRichText(Fixture("richedit.rtf"), area);
    QVERIFY(area.document()->toPlainText().contains("α = 3°, x ≥ 0, café"));
    const QList<QTextImageFormat> images = Images(*area.document());
    QCOMPARE(images.size(), 1);
    QCOMPARE(images[0].width(), 16.0); // \picwgoal240 twips
    const QImage image = ImageOf(*area.document(), images[0]);
    QCOMPARE(image.size(), QSize(16, 8)); // the metafile is drawn at its display size
    QCOMPARE(image.pixelColor(3, 4), QColor(255, 0, 0));
    QCOMPARE(image.pixelColor(12, 4), QColor(0, 0, 255));
}

void RichTextAreaTest::PlainTextAndEmptyText() {
    RichTextArea area;
    area.setFont(QFont("Times New Roman", 12));
    LoadRichText({"\xc4\xe0 http://a.org\r\n\xcd\xe5\xf2"}, area);
    QCOMPARE(area.document()->toPlainText(), QString("Да http://a.org\nНет"));
    const QTextCharFormat plain = FormatOfText(*area.document(), "Да ");
    QVERIFY(!plain.hasProperty(QTextFormat::FontPointSize)); // the area's own font
    QVERIFY(!plain.hasProperty(QTextFormat::FontFamilies));

    LoadRichText({}, area);
    QVERIFY(area.document()->isEmpty());
}

void RichTextAreaTest::TabStopsCountFromTheLineStart() {
    RichTextArea area;
    // A bullet hangs 300 twips left of the text at 900; a right tab at 3900.
    LoadRichText({R"({\rtf1\li900\fi-300\tqr\tx3900 \bullet\tab item\tab 1\par})"}, area);
    const QList<QTextOption::Tab> tabs = area.document()->begin().blockFormat().tabPositions();
    QCOMPARE(tabs.size(), 2);
    QCOMPARE(tabs[0].position, 20.0); // the hanging indent: 300 twips after the line start
    QCOMPARE(tabs[0].type, QTextOption::LeftTab);
    QCOMPARE(tabs[1].position, 220.0); // 3900 - 600 twips
    QCOMPARE(tabs[1].type, QTextOption::RightTab);
    area.SetZoom(200);
    QCOMPARE(area.document()->begin().blockFormat().tabPositions().at(1).position, 440.0);
    QCOMPARE(area.tabStopDistance(), 96.0); // half an inch, zoomed
}

void RichTextAreaTest::ZoomScalesFontsPicturesAndIndentsFromTheirBase() {
    RichTextArea area;
    area.setFont(QFont("Times New Roman", 12));
    LoadRichText(Fixture("picture.rtf"), area);
    LoadRichText(Fixture("formatting.rtf"), area);
    for (int i = 0; i < 4; ++i)
        area.SetZoom(area.Zoom() + 5); // "+" four times in the viewer
    QCOMPARE(area.Zoom(), 120);
    QCOMPARE(FormatOfText(*area.document(), "Крупный Arial").fontPointSize(), 16.0 * 1.2);
    QCOMPARE(area.document()->defaultFont().pointSizeF(), 12.0 * 1.2);
    QCOMPARE(area.document()->findBlockByNumber(3).blockFormat().leftMargin(), 96.0 * 1.2);

    area.SetZoom(50);
    area.SetZoom(137);
    area.SetZoom(100); // no drift however often it changes
    QCOMPARE(FormatOfText(*area.document(), "Крупный Arial").fontPointSize(), 16.0);
    QCOMPARE(area.document()->findBlockByNumber(3).blockFormat().leftMargin(), 96.0);

    LoadRichText(Fixture("picture.rtf"), area);
    area.SetZoom(200);
    const QList<QTextImageFormat> images = Images(*area.document());
    QCOMPARE(images.size(), 3);
    QCOMPARE(images[0].width(), 128.0);
    QCOMPARE(images[0].height(), 64.0);

    area.SetZoom(1000000); // no bound in the menu; the fonts stay drawable
    QCOMPARE(area.Zoom(), RichZoom::kMaxPercent);
    QVERIFY(FormatOfText(*area.document(), "Что изображено на рисунке?").fontPointSize() <=
            RichZoom::kMaxPointSize);
}

void RichTextAreaTest::ZoomAppliesToLoadedContent() {
    RichTextArea area;
    area.SetZoom(150);
    LoadRichText(Fixture("formatting.rtf"), area);
    QCOMPARE(FormatOfText(*area.document(), "Крупный Arial").fontPointSize(), 24.0);

    // Text added by other means is taken to be at the current zoom.
    QTextCursor cursor(area.document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setFontPointSize(15);
    cursor.insertText("extra", format);
    area.SetZoom(100);
    QCOMPARE(FormatOfText(*area.document(), "extra").fontPointSize(), 10.0);
}

void RichTextAreaTest::DetectsLinksInText() {
    RichTextArea area;
    LoadRichText({"See www.example.org, mailto:a@b.ru or https://x.org/p?q=1."}, area);
    const QTextDocument& document = *area.document();
    QCOMPARE(FormatOfText(document, "www.example.org").anchorHref(),
             QString("http://www.example.org"));
    QCOMPARE(FormatOfText(document, "mailto:a@b.ru").anchorHref(), QString("mailto:a@b.ru"));
    QCOMPARE(FormatOfText(document, "https://x.org/p?q=1").anchorHref(),
             QString("https://x.org/p?q=1"));
    QVERIFY(FormatOfText(document, "https://x.org/p?q=1").fontUnderline());
    QVERIFY(!FormatOfText(document, "See ").isAnchor());
}

// Stands in for the desktop's handler of web links.
class LinkCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> Opened;

public slots:
    void Open(const QUrl& url) { Opened.append(url); }
};

void RichTextAreaTest::ClickOnALinkOpensIt() {
    LinkCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "Open");
    RichTextArea area;
    area.resize(600, 300);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    LoadRichText(Fixture("formatting.rtf"), area);

    const QString text = area.document()->toPlainText();
    QTextCursor cursor(area.document());
    cursor.setPosition(static_cast<int>(text.indexOf("пример")) + 2);
    const QPoint point = area.cursorRect(cursor).center();
    QTest::mouseClick(area.viewport(), Qt::LeftButton, {}, point);
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(catcher.Opened, QList<QUrl>{QUrl("https://example.org/test")});
}

void RichTextAreaTest::CopyGivesTheSameContentAndSelection() {
    RichTextArea source;
    source.SetZoom(150);
    LoadRichText(Fixture("picture.rtf"), source);
    QTextCursor selection(source.document());
    selection.setPosition(4);
    selection.setPosition(10, QTextCursor::KeepAnchor);
    source.setTextCursor(selection);

    RichTextArea target;
    CopyRichText(source, target);
    CopyRichText(source, target); // a second copy replaces the first
    QCOMPARE(target.document()->toPlainText(), source.document()->toPlainText());
    QCOMPARE(target.textCursor().anchor(), 4);
    QCOMPARE(target.textCursor().position(), 10);
    const QList<QTextImageFormat> images = Images(*target.document());
    QCOMPARE(images.size(), 3);
    QCOMPARE(images[0].width(), 64.0); // the target shows it at its own zoom, 100
    QVERIFY(!ImageOf(*target.document(), images[0]).isNull());
}

void RichTextAreaTest::AppendInsertsAtTheCursorWithAParagraphBreak() {
    QTextDocument report;
    QTextCursor cursor(&report);
    cursor.insertText("1) ");
    AppendRichText(
        {R"({\rtf1\ansi\ansicpg1251{\colortbl;\red0\green128\blue0;}\qc \'c0\'e1 {\cf1\b green}})"},
        cursor);
    cursor.insertText("2) ");
    AppendRichText(Fixture("table.rtf"), cursor);
    cursor.insertText("end");

    const QString text = report.toPlainText();
    QVERIFY2(text.startsWith("1) Аб green\n2) Сопоставьте величины и единицы:\n"),
             qPrintable(text));
    QVERIFY2(text.endsWith("Конец вопроса.\nend"), qPrintable(text));
    QCOMPARE(report.findBlockByNumber(0).blockFormat().alignment(), Qt::AlignHCenter);
    QVERIFY(FirstTable(report));
    // The cursor went on with the format of the end of the inserted material.
    const QTextCharFormat end = FormatOfText(report, "end");
    QCOMPARE(end.fontWeight(), QFont::Normal);
    QCOMPARE(end.fontPointSize(), 12.0);
}

void RichTextAreaTest::AppendOfPlainAndEmptyText() {
    QTextDocument report;
    report.setDefaultFont(QFont("Times New Roman", 14));
    QTextCursor cursor(&report);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText("Header ", bold);
    AppendRichText({"plain"}, cursor);
    AppendRichText({}, cursor);
    QCOMPARE(report.toPlainText(), QString("Header plain\n"));
    const QTextCharFormat plain = FormatOfText(report, "plain");
    QCOMPARE(plain.fontWeight(), QFont::Normal); // the document's default, not the cursor's
    QVERIFY(!plain.hasProperty(QTextFormat::FontPointSize));
}

} // namespace tevrix

QTEST_MAIN(tevrix::RichTextAreaTest)
#include "RichTextAreaTest.moc"
