#include "soundoutput.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <vector>

namespace {

// QSoundEffect loads samples on one shared loader thread, and releasing any sample waits until that
// thread is idle. A sample that never finishes loading therefore makes every later release hang. Once
// that has happened, sound effects are parked here instead of being deleted, and live until the end.
bool loaderStuck = false;
std::vector<QSoundEffect*>& parkedEffects() {
    static std::vector<QSoundEffect*> parked;
    return parked;
}

} // namespace

std::unique_ptr<SoundOutput> makeSystemSound() {
    return std::make_unique<SystemSound>();
}

SystemSound::SystemSound(QObject* parent) : QObject(parent) {
    m_loadTimer.setSingleShot(true);
    m_loadTimer.setInterval(defaultLoadTimeoutMs);
    connect(&m_loadTimer, &QTimer::timeout, this, &SystemSound::onLoadTimeout);
}

SystemSound::~SystemSound() {
    m_loadTimer.stop();
    discardEffect();
}

bool SystemSound::isCompleteWave(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = f.size();
    const QByteArray head = f.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return false;
    // Walk the chunks up to "data": "fmt " must come first, and no chunk may announce more bytes than the
    // file holds (QSoundEffect would wait for them for ever).
    bool haveFormat = false;
    qint64 pos = 12;
    while (pos + 8 <= size) {
        if (!f.seek(pos))
            return false;
        const QByteArray chunk = f.read(8);
        if (chunk.size() < 8)
            return false;
        const quint32 length = qFromLittleEndian<quint32>(chunk.constData() + 4);
        const qint64 end = pos + 8 + qint64(length);
        if (end > size)
            return false;
        const QByteArray id = chunk.left(4);
        if (id == "fmt ") {
            if (length < 16)
                return false;
            haveFormat = true;
        } else if (id == "data") {
            return haveFormat;
        }
        pos = end + (length & 1); // chunks are padded to an even length
    }
    return false;
}

void SystemSound::play(const QString& waveFile, bool loop) {
    stop();
    m_loop = loop;
    m_usingDefault = false;
    // Only a complete wave file is handed to QSoundEffect; anything else ("none", an empty setting, a file
    // deleted or cut short since it was chosen) goes straight to the default sound.
    const QFileInfo file(waveFile);
    const bool usable = !waveFile.isEmpty() && waveFile.compare(u"none", Qt::CaseInsensitive) != 0 &&
                        file.isFile() && (!m_checkFiles || isCompleteWave(waveFile));
    if (!usable) {
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

int SystemSound::loopCount() const {
    return m_effect ? m_effect->loopCount() : 0;
}

void SystemSound::start(const QUrl& url) {
    discardEffect();
    m_effect = new QSoundEffect(this);
    m_effect->setLoopCount(m_loop ? int(QSoundEffect::Infinite) : 1);
    connect(m_effect, &QSoundEffect::statusChanged, this, &SystemSound::onStatusChanged);
    m_effect->setSource(url);
    // A play() before the sample has loaded is kept by QSoundEffect and starts as soon as it is ready.
    m_effect->play();
    if (m_effect->status() == QSoundEffect::Error)
        fallBack();
    else if (m_effect->status() != QSoundEffect::Ready)
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
    if (!m_effect || m_effect->status() != QSoundEffect::Loading)
        return;
    loaderStuck = true;
    fallBack();
}

void SystemSound::fallBack() {
    if (m_usingDefault) {
        // Not even the bundled sound plays (no usable output): a beep is better than silence.
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
    if (loaderStuck) {
        effect->setParent(nullptr);
        parkedEffects().push_back(effect);
        return;
    }
    // May be called from inside the effect's own signal: let it return first.
    effect->deleteLater();
}
