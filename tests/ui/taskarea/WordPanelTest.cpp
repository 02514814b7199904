// SPDX-License-Identifier: GPL-3.0-or-later
// The word-composition panel: cell layout, swapping by clicks, painting and
// the shuffle a composing task starts with.
#include "rules/RandomSource.h"
#include "support/ScriptedRandom.h"
#include "ui/taskarea/WordPanel.h"

#include <QSignalSpy>
#include <QtTest>

#include <algorithm>

namespace tevrix {

class WordPanelTest : public QObject {
    Q_OBJECT

private slots:
    void Defaults();
    void Layout_data();
    void Layout();
    void SizesTakeEffectAtTheNextWord();
    void Clicks_data();
    void Clicks();
    void OnlyTheLeftButtonNotifies();
    void KeyboardSwaps();
    void PaintsLettersInTheirCells();
    void FontFitsTheLetterShcha_data();
    void FontFitsTheLetterShcha();
    void ShuffleMakesTheScriptedExchanges();
    void ShuffleNeverKeepsALongWord_data();
    void ShuffleNeverKeepsALongWord();
    void ShuffleOfShortAndEmptyWords();

private:
    static QPoint Centre(const TWordPanel& panel, int cell) {
        const TWordPanel::CellRect& r = panel.Cells()[size_t(cell)];
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
};

void WordPanelTest::Defaults() {
    TWordPanel panel;
    QCOMPARE(panel.Word(), QString("СЛОВО"));
    QCOMPARE(panel.CellWidth(), 60);
    QCOMPARE(panel.CellHeight(), 70);
    QCOMPARE(panel.SpaceWidth(), 2);
    QCOMPARE(panel.ColorDef(), QColor(255, 255, 255));
    QCOMPARE(panel.ColorActiv(), QColor(55, 255, 255));
    QCOMPARE(panel.Selected(), -1);
    QCOMPARE(panel.font().pointSize(), 30);
    QCOMPARE(panel.Cells().size(), size_t(5));
}

void WordPanelTest::Layout_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("left"); // of the first cell
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("width"); // of every cell
    QTest::addColumn<int>("height");
    // n gaps are counted: (679 - 300 - 10) / 2.
    QTest::newRow("five letters fit") << "СЛОВО" << QSize(679, 100) << 184 << 15 << 60 << 70;
    QTest::newRow("twelve letters shrink")
        << "АБВГДЕЖЗИКЛМ" << QSize(679, 100) << 0 << 18 << 54 << 63;
    QTest::newRow("taller than the panel") << "ДА" << QSize(200, 50) << 38 << -10 << 60 << 70;
}

void WordPanelTest::Layout() {
    QFETCH(QString, word);
    QFETCH(QSize, size);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, width);
    QFETCH(int, height);
    TWordPanel panel;
    panel.resize(size);
    panel.SetWord(word);
    QCOMPARE(panel.Cells().size(), size_t(word.size()));
    for (size_t i = 0; i < panel.Cells().size(); ++i) {
        const TWordPanel::CellRect& cell = panel.Cells()[i];
        QCOMPARE(cell.Left, left + int(i) * (width + 2));
        QCOMPARE(cell.Top, top);
        QCOMPARE(cell.Right - cell.Left, width);
        QCOMPARE(cell.Bottom - cell.Top, height);
    }
}

void WordPanelTest::SizesTakeEffectAtTheNextWord() {
    TWordPanel panel;
    panel.resize(679, 100);
    panel.SetWord("ДОМ");
    const auto before = panel.Cells();
    panel.SetCellWidth(40);
    panel.SetSpaceWidth(5);
    QVERIFY(panel.Cells() == before);
    panel.SetWord("ДОМ");
    QCOMPARE(panel.Cells()[1].Left - panel.Cells()[0].Left, 45);
    panel.SetCellHeight(20);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    panel.resize(600, 100); // a resize lays out again as well
    QTRY_COMPARE(panel.width(), 600);
    QCOMPARE(panel.Cells()[0].Bottom - panel.Cells()[0].Top, 20);
}

void WordPanelTest::Clicks_data() {
    QTest::addColumn<QList<int>>("cells"); // -1: the gap after the first cell, -2: a frame line
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("selected");
    QTest::newRow("second then fourth swap") << QList<int>{1, 3} << "СВОЛО" << -1;
    QTest::newRow("one click selects") << QList<int>{2} << "СЛОВО" << 2;
    QTest::newRow("the same cell twice") << QList<int>{1, 1} << "СЛОВО" << -1;
    QTest::newRow("a gap does nothing") << QList<int>{0, -1} << "СЛОВО" << 0;
    QTest::newRow("a frame line does nothing") << QList<int>{-2} << "СЛОВО" << -1;
    QTest::newRow("three clicks") << QList<int>{0, 4, 2} << "ОЛОВС" << 2;
}

void WordPanelTest::Clicks() {
    QFETCH(QList<int>, cells);
    QFETCH(QString, word);
    QFETCH(int, selected);
    TWordPanel panel;
    panel.resize(679, 100);
    panel.SetWord("СЛОВО");
    for (const int cell : cells) {
        QPoint at;
        if (cell == -1)
            at = QPoint(panel.Cells()[0].Right + 1, 50);
        else if (cell == -2)
            at = QPoint(panel.Cells()[1].Left, 50);
        else
            at = Centre(panel, cell);
        QTest::mouseClick(&panel, Qt::LeftButton, {}, at);
    }
    QCOMPARE(panel.Word(), word);
    QCOMPARE(panel.Selected(), selected);
}

void WordPanelTest::OnlyTheLeftButtonNotifies() {
    TWordPanel panel;
    panel.resize(679, 100);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QSignalSpy clicked(&panel, &TWordPanel::Clicked);
    // Any button swaps, as any button selects.
    QTest::mouseClick(&panel, Qt::RightButton, {}, Centre(panel, 1));
    QTest::mouseClick(&panel, Qt::RightButton, {}, Centre(panel, 3));
    QCOMPARE(panel.Word(), QString("СВОЛО"));
    QCOMPARE(clicked.count(), 0);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, Centre(panel, 0));
    QCOMPARE(clicked.count(), 1);
}

void WordPanelTest::KeyboardSwaps() {
    TWordPanel panel;
    panel.resize(679, 100);
    QSignalSpy clicked(&panel, &TWordPanel::Clicked);
    QTest::keyClick(&panel, Qt::Key_Right);
    QTest::keyClick(&panel, Qt::Key_Space);
    QCOMPARE(panel.Selected(), 1);
    QTest::keyClick(&panel, Qt::Key_Right);
    QTest::keyClick(&panel, Qt::Key_Right);
    QTest::keyClick(&panel, Qt::Key_Return);
    QCOMPARE(panel.Word(), QString("СВОЛО"));
    QCOMPARE(clicked.count(), 2);
    QTest::keyClick(&panel, Qt::Key_Left);
    QTest::keyClick(&panel, Qt::Key_Left);
    QTest::keyClick(&panel, Qt::Key_Left);
    QTest::keyClick(&panel, Qt::Key_Left); // wraps round to the last cell
    QTest::keyClick(&panel, Qt::Key_Space);
    QCOMPARE(panel.Selected(), 4);
    QVERIFY(panel.accessibleDescription().contains("С В О Л О"));
    QVERIFY(panel.accessibleDescription().contains("5"));
}

void WordPanelTest::PaintsLettersInTheirCells() {
    TWordPanel panel;
    panel.resize(400, 100);
    panel.SetWord("ШО");
    QTest::mouseClick(&panel, Qt::LeftButton, {}, Centre(panel, 1));
    const QImage image = panel.grab().toImage();
    const TWordPanel::CellRect first = panel.Cells()[0];
    const TWordPanel::CellRect second = panel.Cells()[1];
    QCOMPARE(image.pixelColor(first.Left, first.Top), QColor(Qt::black));     // the frame
    QCOMPARE(image.pixelColor(first.Right, first.Bottom), QColor(Qt::black)); // on Right, Bottom
    QCOMPARE(image.pixelColor(first.Left + 2, first.Top + 2), QColor(255, 255, 255));
    QCOMPARE(image.pixelColor(second.Left + 2, second.Top + 2), QColor(55, 255, 255));
    // Some of the letter's pixels lie around the cell's centre.
    int dark = 0;
    for (int x = first.Left + 10; x < first.Right - 10; ++x)
        for (int y = first.Top + 10; y < first.Bottom - 10; ++y)
            dark += image.pixelColor(x, y).lightness() < 100;
    QVERIFY(dark > 20);
}

void WordPanelTest::FontFitsTheLetterShcha_data() {
    QTest::addColumn<int>("panelWidth");
    QTest::addColumn<bool>("shrinks");
    QTest::newRow("room enough") << 679 << false;
    QTest::newRow("narrow cells") << 150 << true;
    QTest::newRow("never below 9 points") << 20 << true;
}

void WordPanelTest::FontFitsTheLetterShcha() {
    QFETCH(int, panelWidth);
    QFETCH(bool, shrinks);
    TWordPanel panel;
    panel.resize(panelWidth, 100);
    panel.SetWord("ЩЩЩЩЩ");
    const int size = panel.FittedPointSize();
    QCOMPARE(size < 30, shrinks);
    QVERIFY(size >= 9);
    const TWordPanel::CellRect& cell = panel.Cells()[0];
    QFont font = panel.font();
    font.setPointSize(size);
    const QFontMetrics metrics(font);
    if (size > 9) {
        QVERIFY(metrics.horizontalAdvance(QStringLiteral("Щ")) <= cell.Right - cell.Left);
        QVERIFY(metrics.height() <= cell.Bottom - cell.Top);
    }
    if (size < 30) { // one point more would not have fitted
        font.setPointSize(size + 1);
        const QFontMetrics larger(font);
        QVERIFY(larger.horizontalAdvance(QStringLiteral("Щ")) > cell.Right - cell.Left ||
                larger.height() > cell.Bottom - cell.Top);
    }
}

void WordPanelTest::ShuffleMakesTheScriptedExchanges() {
    // 2n + 1 = 7 exchanges of positions drawn in pairs: (0 1) (2 2) (0 2) then
    // the script repeats; the word changed, so no second round.
    testing::ScriptedRandom random({0, 1, 2, 2, 0, 2});
    const QString shuffled = TWordPanel::ShuffleWord("АБВ", random);
    QCOMPARE(random.Draws, 14);
    QCOMPARE(random.Reseeds, 0); // the generator is used as it stands
    QString expected = "АБВ";
    const int draws[] = {0, 1, 2, 2, 0, 2};
    for (int k = 0; k < 7; ++k)
        std::swap(expected[draws[(2 * k) % 6]], expected[draws[(2 * k + 1) % 6]]);
    QCOMPARE(shuffled, expected);
}

void WordPanelTest::ShuffleNeverKeepsALongWord_data() {
    QTest::addColumn<QString>("word");
    QTest::newRow("four letters") << "ЗЕМЛ";
    QTest::newRow("five letters") << "ЗЕМЛЯ";
    QTest::newRow("repeated letters") << "ААБА";
}

void WordPanelTest::ShuffleNeverKeepsALongWord() {
    QFETCH(QString, word);
    SeededRandomSource random(7);
    QString sortedWord = word;
    std::sort(sortedWord.begin(), sortedWord.end());
    for (int run = 0; run < 300; ++run) {
        const QString shuffled = TWordPanel::ShuffleWord(word, random);
        QVERIFY(shuffled != word);
        QString sorted = shuffled;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, sortedWord); // the same letters
    }
    // A script that swaps nothing in the first round forces a second one.
    const int roundDraws = 2 * (2 * int(word.size()) + 1);
    std::vector<int> script(size_t(roundDraws), 0);
    script.insert(script.end(), {1, 2});
    testing::ScriptedRandom still(script);
    QVERIFY(TWordPanel::ShuffleWord(word, still) != word);
    QCOMPARE(still.Draws, 2 * roundDraws);
}

void WordPanelTest::ShuffleOfShortAndEmptyWords() {
    testing::ScriptedRandom nothingMoves;
    QCOMPARE(TWordPanel::ShuffleWord("ДА", nothingMoves), QString("ДА"));
    QCOMPARE(nothingMoves.Draws, 10); // one round only
    QCOMPARE(TWordPanel::ShuffleWord("", nothingMoves), QString());
    // One letter repeated has no other order; the shuffle still ends.
    QCOMPARE(TWordPanel::ShuffleWord("АААА", nothingMoves), QString("АААА"));
}

} // namespace tevrix

QTEST_MAIN(tevrix::WordPanelTest)
#include "WordPanelTest.moc"
