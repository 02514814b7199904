// SPDX-License-Identifier: GPL-3.0-or-later
// The report in the text viewer: shown under its caption, printable and
// saved as a PDF file at its own size whatever the zoom on screen.

#include "ui/dialogs/DocumentPrinting.h"
#include "ui/dialogs/TextViewForm.h"
#include "ui/richtext/RichTextArea.h"
#include "ui/richtext/RichZoom.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

using namespace tevrix;

namespace {

std::unique_ptr<QTextDocument> SampleReport() {
    auto document = std::make_unique<QTextDocument>();
    QTextCursor cursor(document.get());
    QTextCharFormat format;
    RichZoom::SetPointSize(format, 14);
    cursor.insertText("Задание # 1 - верно!", format);
    cursor.insertBlock();
    cursor.insertText("Конец", format);
    return document;
}

} // namespace

class ReportViewerTest : public QObject {
    Q_OBJECT

private slots:
    void shownUnderItsCaption() {
        QString caption;
        QString text;
        QStringList buttons;
        QTimer::singleShot(0, [&] {
            auto* viewer = qobject_cast<TTextViewForm*>(QApplication::activeModalWidget());
            QVERIFY(viewer != nullptr);
            caption = viewer->windowTitle();
            text = viewer->Viewer().toPlainText();
            for (const char* name : {"bbPrint", "bbSavePdf", "bbOK"}) {
                auto* button = viewer->findChild<QPushButton*>(name);
                QVERIFY(button != nullptr && button->isVisible());
                QVERIFY(!button->accessibleName().isEmpty());
                buttons << button->text();
            }
            QTest::mouseClick(viewer->findChild<QPushButton*>("bbOK"), Qt::LeftButton);
        });
        QVERIFY(TTextViewForm::ShowDocument(nullptr, SampleReport(), "Отчет по прохождению теста"));
        QCOMPARE(caption, QString("Отчет по прохождению теста"));
        QCOMPARE(text, QString("Задание # 1 - верно!\nКонец"));
        QCOMPARE(buttons, (QStringList{"Печать...", "Сохранить в PDF...", "OK"}));
    }

    // Zoomed on screen, printed at its own size.
    void printableCopyIsUnzoomed() {
        TTextViewForm viewer;
        viewer.SetDocument(SampleReport());
        viewer.Viewer().SetZoom(150);
        QCOMPARE(
            viewer.Viewer().document()->begin().begin().fragment().charFormat().fontPointSize(),
            21.0);
        const std::unique_ptr<QTextDocument> copy = viewer.PrintableCopy();
        QCOMPARE(copy->toPlainText(), QString("Задание # 1 - верно!\nКонец"));
        QCOMPARE(copy->begin().begin().fragment().charFormat().fontPointSize(), 14.0);
    }

    void savedAsPdf() {
        QTemporaryDir folder;
        const QString path = folder.filePath("Отчет.pdf");
        const std::unique_ptr<QTextDocument> report = SampleReport();
        QVERIFY(SaveDocumentAsPdf(*report, path));
        QFile pdf(path);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.contains("/Type /Page"));
        QVERIFY(bytes.trimmed().endsWith("%%EOF"));
    }

    // A folder that cannot be written: false, and nothing left behind.
    void pdfThatCannotBeWritten() {
        QTemporaryDir folder;
        const QString path = folder.filePath("нет/Отчет.pdf");
        QVERIFY(!SaveDocumentAsPdf(*SampleReport(), path));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }
};

QTEST_MAIN(ReportViewerTest)
#include "ReportViewerTest.moc"
