#pragma once

#include "core/seams.h"

#include <QObject>
#include <QPointer>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <memory>

// The real alarm sound output.
std::unique_ptr<SoundOutput> makeSystemSound();

// Plays wave files with QSoundEffect, never blocking the caller. A file that cannot be played ("none",
// missing, not a complete RIFF/WAVE file, a format QSoundEffect cannot decode) gives way to the bundled
// default alarm sound, once or looped like the file. Loading that neither succeeds nor fails within the
// load timeout also counts as a failure.
class SystemSound final : public QObject, public SoundOutput {
    Q_OBJECT
public:
    static inline const QString defaultSound = QStringLiteral("qrc:/sounds/alarm.wav");
    static constexpr int defaultLoadTimeoutMs = 2000;

    explicit SystemSound(QObject* parent = nullptr);
    ~SystemSound() override;

    void play(const QString& waveFile, bool loop) override;
    void stop() override;
    void beep() override;

    // Whether the file is a RIFF/WAVE file whose format and data chunks are all there.
    static bool isCompleteWave(const QString& path);

    // What is playing or loading now, for tests and diagnostics.
    QUrl source() const;
    QSoundEffect::Status status() const;
    bool isPlaying() const;
    int loopCount() const;
    bool usingDefaultSound() const { return m_usingDefault; }
    void setLoadTimeout(int ms) { m_loadTimer.setInterval(ms); }
    // Hands files to QSoundEffect without looking at them first (as if a file changed after the check),
    // so that the load timeout can be exercised.
    void setCheckFiles(bool on) { m_checkFiles = on; }

signals:
    // Emitted when the chosen file has been given up for the default sound.
    void fellBackToDefault();

private:
    void start(const QUrl& url);
    void onStatusChanged();
    void onLoadTimeout();
    void fallBack();
    void discardEffect();

    QPointer<QSoundEffect> m_effect;
    QTimer m_loadTimer;
    bool m_loop = false;
    bool m_usingDefault = false;
    bool m_checkFiles = true;
};
