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
// missing, not a WAV QSoundEffect can decode, truncated) gives way to the bundled default alarm sound,
// once or looped like the file. Loading that neither succeeds nor fails within loadTimeoutMs counts as
// a failure (a truncated file keeps QSoundEffect loading for ever).
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

    // For tests and diagnostics: what is playing or loading now.
    QUrl source() const;
    QSoundEffect::Status status() const;
    bool isPlaying() const;
    bool usingDefaultSound() const { return m_usingDefault; }
    bool looping() const { return m_loop; }
    void setLoadTimeout(int ms) { m_loadTimer.setInterval(ms); }

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
};
