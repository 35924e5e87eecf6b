#include "soundoutput.h"

#include <QApplication>
#include <QFileInfo>

std::unique_ptr<SoundOutput> makeSystemSound() {
    return std::make_unique<SystemSound>();
}

SystemSound::SystemSound(QObject* parent) : QObject(parent) {
    m_loadTimer.setSingleShot(true);
    m_loadTimer.setInterval(defaultLoadTimeoutMs);
    connect(&m_loadTimer, &QTimer::timeout, this, &SystemSound::onLoadTimeout);
}

SystemSound::~SystemSound() {
    discardEffect();
}

void SystemSound::play(const QString& waveFile, bool loop) {
    stop();
    m_loop = loop;
    m_usingDefault = false;
    // Only an existing file is worth handing to QSoundEffect; anything else ("none", an empty setting, a
    // file deleted since it was chosen) goes straight to the default sound.
    const QFileInfo file(waveFile);
    if (waveFile.isEmpty() || waveFile.compare(u"none", Qt::CaseInsensitive) == 0 || !file.isFile() ||
        !file.isReadable()) {
        fallBack();
        return;
    }
    start(QUrl::fromLocalFile(file.absoluteFilePath()));
}

void SystemSound::stop() {
    m_loadTimer.stop();
    discardEffect();
}

void SystemSound::beep() {
    QApplication::beep();
}

QUrl SystemSound::source() const {
    return m_effect ? m_effect->source() : QUrl();
}

QSoundEffect::Status SystemSound::status() const {
    return m_effect ? m_effect->status() : QSoundEffect::Null;
}

bool SystemSound::isPlaying() const {
    return m_effect && m_effect->isPlaying();
}

void SystemSound::start(const QUrl& url) {
    discardEffect();
    m_effect = new QSoundEffect(this);
    m_effect->setLoopCount(m_loop ? int(QSoundEffect::Infinite) : 1);
    connect(m_effect, &QSoundEffect::statusChanged, this, &SystemSound::onStatusChanged);
    m_effect->setSource(url);
    // play() before the sample is loaded is queued by QSoundEffect and starts as soon as it is ready.
    m_effect->play();
    if (m_effect && m_effect->status() == QSoundEffect::Error)
        onStatusChanged();
    else if (m_effect && m_effect->status() != QSoundEffect::Ready)
        m_loadTimer.start();
}

void SystemSound::onStatusChanged() {
    if (!m_effect)
        return;
    switch (m_effect->status()) {
    case QSoundEffect::Ready:
        m_loadTimer.stop();
        if (!m_effect->isPlaying())
            m_effect->play();
        break;
    case QSoundEffect::Error:
        m_loadTimer.stop();
        fallBack();
        break;
    default:
        break;
    }
}

void SystemSound::onLoadTimeout() {
    if (m_effect && m_effect->status() == QSoundEffect::Loading)
        fallBack();
}

void SystemSound::fallBack() {
    if (m_usingDefault) {
        // Even the bundled sound cannot be played (no usable output): a beep is better than silence.
        discardEffect();
        QApplication::beep();
        return;
    }
    m_usingDefault = true;
    emit fellBackToDefault();
    start(QUrl(defaultSound));
}

void SystemSound::discardEffect() {
    if (!m_effect)
        return;
    QSoundEffect* effect = m_effect;
    m_effect = nullptr;
    effect->disconnect(this);
    effect->stop();
    // May be called from inside the effect's own signal: let it finish first.
    effect->deleteLater();
}
