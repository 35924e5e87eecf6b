#include "testsupport.h"

#include "alarm/soundoutput.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QtEndian>

namespace {

// A RIFF/WAVE file; `declaredFrames` lets a test announce more data than the file holds (a truncated file).
QByteArray waveFile(int frames, int declaredFrames = -1, quint16 bits = 16, quint16 format = 1) {
    if (declaredFrames < 0)
        declaredFrames = frames;
    const quint32 rate = 22050;
    const quint16 channels = 1;
    const quint16 blockAlign = channels * bits / 8;
    QByteArray data;
    for (int i = 0; i < frames; ++i) {
        const qint16 v = qint16(8000 * std::sin(2 * M_PI * 440.0 * i / rate));
        data.append(reinterpret_cast<const char*>(&v), blockAlign);
    }
    auto u32 = [](quint32 v) {
        QByteArray b(4, 0);
        qToLittleEndian(v, b.data());
        return b;
    };
    auto u16 = [](quint16 v) {
        QByteArray b(2, 0);
        qToLittleEndian(v, b.data());
        return b;
    };
    const quint32 declaredBytes = quint32(declaredFrames) * blockAlign;
    return "RIFF" + u32(36 + declaredBytes) + "WAVEfmt " + u32(16) + u16(format) + u16(channels) + u32(rate) +
           u32(rate * blockAlign) + u16(blockAlign) + u16(bits) + "data" + u32(declaredBytes) + data;
}

bool hasAudioOutput() {
    return !QMediaDevices::audioOutputs().isEmpty();
}

} // namespace

class TestAlarmSound : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString write(const QString& name, const QByteArray& bytes) {
        QFile f(m_dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly))
            return {};
        f.write(bytes);
        return f.fileName();
    }

private slots:
    void bundledChimeIsASmallMonoPcmWaveEndingInSilence() {
        QFile f(QStringLiteral(":/sounds/alarm.wav"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray b = f.readAll();
        QVERIFY(b.size() < 100 * 1024);
        QCOMPARE(b.left(4), QByteArray("RIFF"));
        QCOMPARE(b.mid(8, 8), QByteArray("WAVEfmt "));
        QCOMPARE(qFromLittleEndian<quint16>(b.constData() + 20), quint16(1));  // PCM
        QCOMPARE(qFromLittleEndian<quint16>(b.constData() + 22), quint16(1));  // mono
        QCOMPARE(qFromLittleEndian<quint16>(b.constData() + 34), quint16(16)); // 16 bit
        const quint32 rate = qFromLittleEndian<quint32>(b.constData() + 24);
        QCOMPARE(b.mid(36, 4), QByteArray("data"));
        const quint32 bytes = qFromLittleEndian<quint32>(b.constData() + 40);
        QCOMPARE(qsizetype(44 + bytes), b.size());
        const double seconds = bytes / 2.0 / rate;
        QVERIFY2(seconds > 0.6 && seconds < 1.6, qPrintable(QString::number(seconds)));
        // QSoundEffect cuts off roughly the last 75 ms of a sound played once: that part must be silent.
        const int tail = int(rate * 0.1);
        const auto* samples = reinterpret_cast<const qint16*>(b.constData() + 44);
        const int n = int(bytes / 2);
        int loudest = 0;
        for (int i = n - tail; i < n; ++i)
            loudest = std::max(loudest, std::abs(int(qFromLittleEndian(samples[i]))));
        QCOMPARE(loudest, 0);
        // ... and the rest is not.
        int peak = 0;
        for (int i = 0; i < n - tail; ++i)
            peak = std::max(peak, std::abs(int(qFromLittleEndian(samples[i]))));
        QVERIFY(peak > 8000);
    }

    void playableFileIsPlayedOnceOrLooped_data() {
        QTest::addColumn<bool>("loop");
        QTest::newRow("once") << false;
        QTest::newRow("loop") << true;
    }
    void playableFileIsPlayedOnceOrLooped() {
        QFETCH(bool, loop);
        const QString path = write(QStringLiteral("good.wav"), waveFile(11025));
        SystemSound sound;
        QSignalSpy fellBack(&sound, &SystemSound::fellBackToDefault);
        sound.play(path, loop);
        QCOMPARE(sound.source(), QUrl::fromLocalFile(path));
        QCOMPARE(sound.loopCount(), loop ? int(QSoundEffect::Infinite) : 1);
        QTRY_COMPARE(sound.status(), QSoundEffect::Ready);
        QVERIFY(!sound.usingDefaultSound());
        QCOMPARE(fellBack.count(), 0);
        if (hasAudioOutput())
            QVERIFY(sound.isPlaying());
        sound.stop();
        QVERIFY(!sound.isPlaying());
        QCOMPARE(sound.source(), QUrl());
    }

    // Whatever is wrong with the chosen file, the default chime rings instead, looped like the file would
    // have been, and play() itself returns at once.
    void unplayableFileFallsBackToTheDefaultSound_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("loop");
        QTest::newRow("none") << QStringLiteral("none") << true;
        QTest::newRow("empty setting") << QString() << false;
        QTest::newRow("missing") << QStringLiteral("missing.wav") << true;
        QTest::newRow("not a wave") << QStringLiteral("text.wav") << false;
        QTest::newRow("truncated") << QStringLiteral("truncated.wav") << true;
        QTest::newRow("truncated once") << QStringLiteral("truncated.wav") << false;
        QTest::newRow("folder") << QStringLiteral(".") << false;
    }
    void unplayableFileFallsBackToTheDefaultSound() {
        QFETCH(QString, file);
        QFETCH(bool, loop);
        write(QStringLiteral("text.wav"), "just some text, not a wave file\n");
        write(QStringLiteral("truncated.wav"), waveFile(200, 44100));
        QString path = file;
        if (file.endsWith(u".wav") || file == u".")
            path = m_dir.filePath(file);

        SystemSound sound;
        QSignalSpy fellBack(&sound, &SystemSound::fellBackToDefault);
        QElapsedTimer clock;
        clock.start();
        sound.play(path, loop);
        QVERIFY2(clock.elapsed() < 500, "play() must not wait for the sound");
        QTRY_VERIFY_WITH_TIMEOUT(sound.usingDefaultSound(), 5000);
        QCOMPARE(fellBack.count(), 1);
        QCOMPARE(sound.source(), QUrl(SystemSound::defaultSound));
        QCOMPARE(sound.loopCount(), loop ? int(QSoundEffect::Infinite) : 1);
        QTRY_COMPARE(sound.status(), QSoundEffect::Ready);
        if (hasAudioOutput())
            QVERIFY(sound.isPlaying());
        sound.stop();
        QVERIFY(!sound.isPlaying());
    }

    // Stopping before the file has loaded must not let it (or the default sound) start later on.
    void stopWhileLoadingStaysSilent() {
        const QString path = write(QStringLiteral("long.wav"), waveFile(22050 * 5));
        SystemSound sound;
        QSignalSpy fellBack(&sound, &SystemSound::fellBackToDefault);
        sound.play(path, true);
        QCOMPARE(sound.status(), QSoundEffect::Loading);
        sound.stop();
        QTest::qWait(300);
        QCOMPARE(fellBack.count(), 0);
        QCOMPARE(sound.source(), QUrl());
        QVERIFY(!sound.isPlaying());
    }

    // The alarm window starts the sound again each time it is activated: the new start replaces the old.
    void playingAgainReplacesTheRunningSound() {
        const QString good = write(QStringLiteral("good.wav"), waveFile(4410));
        SystemSound sound;
        sound.play(QStringLiteral("none"), true);
        QVERIFY(sound.usingDefaultSound());
        sound.play(good, false);
        QVERIFY(!sound.usingDefaultSound());
        QCOMPARE(sound.source(), QUrl::fromLocalFile(good));
        QCOMPARE(sound.loopCount(), 1);
        QTRY_COMPARE(sound.status(), QSoundEffect::Ready);
    }

    void factoryGivesTheRealOutput() {
        auto out = makeSystemSound();
        QVERIFY(dynamic_cast<SystemSound*>(out.get()));
    }

    void completeWaveCheck_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("complete");
        const QByteArray good = waveFile(100);
        QTest::newRow("good") << good << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("header only") << good.left(12) << false;
        QTest::newRow("data cut short") << good.left(good.size() - 1) << false;
        QTest::newRow("format chunk cut short") << good.left(30) << false;
        QTest::newRow("no data chunk") << good.left(36) << false;
        QTest::newRow("not RIFF") << QByteArray("RIFX") + good.mid(4) << false;
        QByteArray listFirst = good;
        listFirst.insert(12, QByteArray("LIST\x03\0\0\0abc\0", 12)); // odd length, padded
        QTest::newRow("extra chunk before fmt") << listFirst << true;
        QByteArray dataFirst = good;
        dataFirst.replace(12, 4, "junk");
        QTest::newRow("data before fmt") << dataFirst << false;
    }
    void completeWaveCheck() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, complete);
        QCOMPARE(SystemSound::isCompleteWave(write(QStringLiteral("check.wav"), bytes)), complete);
    }

    // Last, since it leaves QSoundEffect's shared loader busy for the rest of the run: a file that never
    // finishes loading gives way to the default sound after the timeout, and nothing hangs afterwards.
    void fileThatNeverLoadsFallsBackAndNothingHangs() {
        const QString path = write(QStringLiteral("truncated.wav"), waveFile(200, 44100));
        {
            SystemSound sound;
            sound.setCheckFiles(false);
            sound.setLoadTimeout(300);
            sound.play(path, true);
            QCOMPARE(sound.source(), QUrl::fromLocalFile(path));
            QTRY_VERIFY(sound.usingDefaultSound());
            QCOMPARE(sound.source(), QUrl(SystemSound::defaultSound));
            QCOMPARE(sound.loopCount(), int(QSoundEffect::Infinite));
            QTRY_COMPARE(sound.status(), QSoundEffect::Ready);
            QElapsedTimer clock;
            clock.start();
            sound.stop();
            sound.play(QStringLiteral("none"), false);
            QTRY_COMPARE(sound.status(), QSoundEffect::Ready);
            sound.stop();
            QVERIFY(clock.elapsed() < 2000);
        } // and destroying it returns too
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

ZOVUZOR_TEST_MAIN(TestAlarmSound)
#include "tst_alarm_sound.moc"
