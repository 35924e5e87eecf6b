#pragma once

#include <QColor>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSvgRenderer>
#include <functional>

// The note's caption bar: a plain coloured strip that prints the note's caption after five blanks, in a
// small bold font. The text is kept, so every repaint shows it again.
class CaptionBar : public QWidget {
    Q_OBJECT
public:
    explicit CaptionBar(QWidget* parent = nullptr);

    void setColors(const QColor& back, const QColor& fore);
    QColor backColor() const { return m_back; }
    QColor foreColor() const { return m_fore; }
    void setCaptionText(const QString& text);
    QString captionText() const { return m_text; }
    // The text starts no further left than `left` (clear of the note icon) and is cut at `right` (before
    // the buttons), both in caption-bar pixels.
    void setTextRange(int left, int right);
    // Where the first letter of the caption is drawn, in caption-bar pixels.
    int textLeft() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QColor m_back{0, 0, 128};
    QColor m_fore{Qt::white};
    QString m_text;
    int m_minLeft = 0;
    int m_right = -1;
};

// A small picture drawn from an SVG file at the screen's own resolution, so it stays crisp at any scale.
class SvgImage : public QLabel {
    Q_OBJECT
public:
    SvgImage(const QString& file, QSize size, QWidget* parent = nullptr);
    bool isValidImage() const { return m_svg.isValid(); }
    QString file() const { return m_file; }
    // The picture as a pixmap at the given device pixel ratio (for a look at it, and for tests).
    QPixmap render(qreal dpr) const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString m_file;
    QSvgRenderer m_svg;
};

// The note's text box. Text that arrives other than by single key strokes (pasted, dropped or composed by
// an input method) is held to the note's length limit too: what does not fit is cut off with a beep.
class NoteTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit NoteTextEdit(int maxLength, QWidget* parent = nullptr);
    std::function<void()> onBeep;
    // Room left for text that replaces the current selection.
    int room() const;

protected:
    void insertFromMimeData(const QMimeData* source) override;
    void inputMethodEvent(QInputMethodEvent* e) override;

private:
    QString fitted(QString text);
    int m_maxLength;
};
