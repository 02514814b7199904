// SPDX-License-Identifier: GPL-3.0-or-later
// LoadQuestionPicture: every picture format of a task, and its three outcomes.
#include "ui/richtext/PictureDecoder.h"
#include "ui/richtext/QuestionPicture.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace tevrix {

class QuestionPictureTest : public QObject {
    Q_OBJECT

private slots:
    void LoadsEveryFormat_data();
    void LoadsEveryFormat();
    void EmptyNameHidesThePicture();
    void MissingFileKeepsThePictureShownBefore();
    void NameLeavingTheFolderCountsAsMissing();
    void UndecodableFileEmptiesThePicture_data();
    void UndecodableFileEmptiesThePicture();
    void ClickIsReported();

private:
    bool Load(const std::string& fileName, const std::string& folder) {
        return LoadQuestionPicture(fileName, folder, m_picture,
                                   [this](const QString& text) { m_messages.append(text); });
    }
    void WriteFile(const QString& name, const QByteArray& bytes) {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray FixtureBytes(const QString& name) {
        QFile file(QStringLiteral(TEVRIX_FIXTURES "/pictures/") + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QuestionPicture m_picture;
    QStringList m_messages;
    QTemporaryDir m_dir;
    const std::string m_fixtures = TEVRIX_FIXTURES "/pictures";
};

void QuestionPictureTest::LoadsEveryFormat_data() {
    QTest::addColumn<QString>("file");
    for (const char* name :
         {"picture.bmp", "picture.rle", "picture.dib", "picture.ico", "picture.jpg", "picture.jpeg",
          "picture.gif", "picture.png", "picture.wmf", "picture.emf"})
        QTest::newRow(name) << QString(name);
}

void QuestionPictureTest::LoadsEveryFormat() {
    QFETCH(QString, file);
    m_messages.clear();
    QVERIFY(Load(file.toStdString(), m_fixtures));
    QVERIFY(m_messages.isEmpty());
    const QImage& image = m_picture.Picture();
    QCOMPARE(image.size(), QSize(16, 8)); // every fixture is 16 x 8, red left, blue right
    const QColor left = image.pixelColor(3, 4);
    const QColor right = image.pixelColor(12, 4);
    QVERIFY2(left.red() > 240 && left.green() < 16 && left.blue() < 16, qPrintable(left.name()));
    QVERIFY2(right.blue() > 240 && right.red() < 16 && right.green() < 16,
             qPrintable(right.name()));
}

void QuestionPictureTest::EmptyNameHidesThePicture() {
    QVERIFY(Load("picture.png", m_fixtures));
    m_picture.show();
    m_messages.clear();
    QVERIFY(!Load("", m_fixtures));
    QVERIFY(!m_picture.HasPicture());
    QVERIFY(!m_picture.isEnabled());
    QVERIFY(m_picture.isHidden());
    QVERIFY(m_messages.isEmpty());
}

void QuestionPictureTest::MissingFileKeepsThePictureShownBefore() {
    QVERIFY(Load("picture.png", m_fixtures));
    m_messages.clear();
    QVERIFY(!Load("absent.png", m_fixtures));
    QCOMPARE(m_messages, QStringList{"Файл: \"" + QString::fromStdString(m_fixtures) +
                                     "/absent.png\" с изображением отсутствует!"});
    QVERIFY(m_picture.HasPicture());
}

void QuestionPictureTest::NameLeavingTheFolderCountsAsMissing() {
    m_messages.clear();
    QVERIFY(!Load("../pictures/picture.png", m_fixtures));
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].contains("с изображением отсутствует!"));
}

void QuestionPictureTest::UndecodableFileEmptiesThePicture_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("not a PNG") << "bad.png" << QByteArray("not a picture at all");
    QTest::newRow("PNG named BMP") << "png.bmp" << FixtureBytes("picture.png");
    QTest::newRow("unknown extension") << "picture.tif" << FixtureBytes("picture.png");
    QTest::newRow("empty file") << "empty.gif" << QByteArray();
    QTest::newRow("cut JPEG") << "cut.jpg" << FixtureBytes("picture.jpg").left(20);
    QTest::newRow("cut WMF") << "cut.wmf" << FixtureBytes("picture.wmf").left(30);
    QTest::newRow("cut EMF") << "cut.emf" << FixtureBytes("picture.emf").left(40);
    QTest::newRow("text as WMF") << "text.wmf" << QByteArray(500, 'x');
}

void QuestionPictureTest::UndecodableFileEmptiesThePicture() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QVERIFY(m_dir.isValid());
    WriteFile(name, bytes);
    QVERIFY(Load("picture.png", m_fixtures));
    m_messages.clear();
    QVERIFY(!Load(name.toStdString(), m_dir.path().toStdString()));
    QCOMPARE(m_messages, QStringList{"Ошибка загрузки изображения!"});
    QVERIFY(!m_picture.HasPicture());
}

void QuestionPictureTest::ClickIsReported() {
    QuestionPicture picture;
    picture.resize(160, 160);
    picture.SetPicture(
        PictureDecoder::LoadFile(QStringLiteral(TEVRIX_FIXTURES "/pictures/picture.png")));
    QSignalSpy clicked(&picture, &QuestionPicture::Clicked);
    QTest::mouseClick(&picture, Qt::LeftButton, {}, QPoint(80, 80));
    QTest::mouseClick(&picture, Qt::RightButton, {}, QPoint(80, 80));
    QCOMPARE(clicked.count(), 1);
    // Scaled to fit with its proportions: 160 x 80, centred.
    const QImage shown = picture.grab().toImage();
    QCOMPARE(shown.pixelColor(20, 80), QColor(255, 0, 0));
    QCOMPARE(shown.pixelColor(140, 80), QColor(0, 0, 255));
}

} // namespace tevrix

QTEST_MAIN(tevrix::QuestionPictureTest)
#include "QuestionPictureTest.moc"
