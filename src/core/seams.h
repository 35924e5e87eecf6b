#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <deque>

// What the program asks of the outside world, so that tests can stand in for it.

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock that stands still until told otherwise.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 24), QTime(14, 0))) : m_now(start) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& t) { m_now = t; }
    void advanceSecs(qint64 s) { m_now = m_now.addSecs(s); }

private:
    QDateTime m_now;
};

// Message boxes: OK only, or Yes/No with No as the default button.
class Prompts {
public:
    enum class Answer { Ok, Yes, No };
    virtual ~Prompts() = default;
    virtual void message(const QString& title, const QString& text) = 0;
    virtual Answer askYesNo(const QString& title, const QString& text) = 0;
};

// Answers prompts from a script and records what was asked ("title|text").
class ScriptedPrompts final : public Prompts {
public:
    void nextAnswer(Answer a) { m_answers.push_back(a); }
    void message(const QString& title, const QString& text) override { m_asked << title + u'|' + text; }
    Answer askYesNo(const QString& title, const QString& text) override {
        m_asked << title + u'|' + text;
        if (m_answers.empty())
            return Answer::No;
        Answer a = m_answers.front();
        m_answers.pop_front();
        return a;
    }
    const QStringList& asked() const { return m_asked; }
    void clear() { m_asked.clear(); }

private:
    std::deque<Answer> m_answers;
    QStringList m_asked;
};

// The alarm sound. play() never blocks the caller.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Plays the wave file once, or repeated until stop(); a file that cannot be played ("none", missing,
    // not a WAV, truncated) plays the bundled default alarm sound instead, once or repeated alike.
    virtual void play(const QString& waveFile, bool loop) = 0;
    virtual void stop() = 0;
    virtual void beep() = 0;
};

// Records what was asked of the sound output.
class RecordingSound final : public SoundOutput {
public:
    void play(const QString& waveFile, bool loop) override {
        calls << QStringLiteral("play %1 %2").arg(waveFile, loop ? u"loop" : u"once");
    }
    void stop() override { calls << QStringLiteral("stop"); }
    void beep() override { calls << QStringLiteral("beep"); }
    QStringList calls;
};

// The number of wave output devices (0 when no sound can be played).
qint32 wavedevices();
