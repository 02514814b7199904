// SPDX-License-Identifier: GPL-3.0-or-later
// The end-of-test sound: the built-in chime loads and plays from the
// program's resources; a chosen file plays when it is a sound, and a
// missing or broken one stays silent without a word to the pupil.

#include "ui/sound/EndSound.h"

#include <QApplication>
#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QtTest>

using namespace tevrix;

namespace {
const QString kResource = QStringLiteral(":/sound/EndTest.wav");
}

class EndSoundTest : public QObject {
    Q_OBJECT

private slots:
    void builtInSoundIsAShortWave() {
        QFile wave(kResource);
        QVERIFY(wave.open(QIODevice::ReadOnly));
        const QByteArray bytes = wave.readAll();
        QCOMPARE(bytes.left(4), QByteArray("RIFF"));
        QCOMPARE(bytes.mid(8, 4), QByteArray("WAVE"));
        // 16-bit mono at 22050 Hz: 44 100 bytes a second, under a second.
        QVERIFY(bytes.size() > 44 + 22050 && bytes.size() < 44 + 44100);
    }

    void builtInSoundPlays() {
        QCOMPARE(EndSound::kBuiltInSound, QUrl("qrc" + kResource));
        EndSound sound;
        sound.PlayBuiltIn();
        QVERIFY(sound.Current() != nullptr);
        QCOMPARE(sound.Current()->source(), EndSound::kBuiltInSound);
        // Asynchronous: the call returns before the sound has even loaded.
        QTRY_VERIFY(sound.Current()->status() == QSoundEffect::Ready);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void chosenFile_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<bool>("create");
        QTest::addColumn<int>("status");
        QTest::newRow("a wave file plays") << "wave" << true << int(QSoundEffect::Ready);
        QTest::newRow("a missing file: silence") << "" << false << -1;
        QTest::newRow("not a sound: silence") << "this is text" << true << int(QSoundEffect::Error);
    }
    void chosenFile() {
        QFETCH(QString, content);
        QFETCH(bool, create);
        QFETCH(int, status);
        QTemporaryDir folder;
        const QString path = folder.filePath("Звонок.wav");
        if (create) {
            if (content == "wave")
                QVERIFY(QFile::copy(kResource, path));
            else {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(content.toUtf8());
            }
        }
        EndSound sound;
        sound.PlayBuiltIn();
        sound.PlayFile(path);
        if (status < 0) {
            QVERIFY(sound.Current() == nullptr);
        } else {
            QCOMPARE(sound.Current()->source(), QUrl::fromLocalFile(path));
            QTRY_COMPARE(int(sound.Current()->status()), status);
        }
        QTest::qWait(50);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }
};

QTEST_MAIN(EndSoundTest)
#include "EndSoundTest.moc"
