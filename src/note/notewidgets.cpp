#include "notewidgets.h"

#include <QInputMethodEvent>
#include <QMimeData>
#include <QPainter>

CaptionBar::CaptionBar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void CaptionBar::setColors(const QColor& back, const QColor& fore) {
    if (back == m_back && fore == m_fore)
        return;
    m_back = back;
    m_fore = fore;
    update();
}

void CaptionBar::setCaptionText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    update();
}

void CaptionBar::setTextRange(int left, int right) {
    if (left == m_minLeft && right == m_right)
        return;
    m_minLeft = left;
    m_right = right;
    update();
}

int CaptionBar::textLeft() const {
    // Printed at (2, 2) after five blanks; never under the icon, whatever the font's blank width.
    return std::max(2 + fontMetrics().horizontalAdvance(QStringLiteral("     ")), m_minLeft);
}

void CaptionBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), m_back);
    if (m_text.isEmpty())
        return;
    const int left = textLeft();
    const int right = m_right < 0 ? width() : std::min(m_right, width());
    if (right <= left)
        return;
    p.setClipRect(QRect(left, 0, right - left, height()));
    p.setPen(m_fore);
    p.setFont(font());
    p.drawText(QPoint(left, 2 + fontMetrics().ascent()), m_text);
}

SvgImage::SvgImage(const QString& file, QSize size, QWidget* parent)
    : QLabel(parent), m_file(file), m_svg(file) {
    setFixedSize(size);
    setFocusPolicy(Qt::NoFocus);
}

QPixmap SvgImage::render(qreal dpr) const {
    QPixmap pm(QSize(qRound(width() * dpr), qRound(height() * dpr)));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const_cast<QSvgRenderer&>(m_svg).render(&p, QRectF(0, 0, width(), height()));
    return pm;
}

void SvgImage::paintEvent(QPaintEvent*) {
    // Drawn as vectors straight onto the widget: the painter already works in device pixels.
    QPainter p(this);
    m_svg.render(&p, QRectF(rect()));
}

NoteTextEdit::NoteTextEdit(int maxLength, QWidget* parent) : QPlainTextEdit(parent), m_maxLength(maxLength) {}

int NoteTextEdit::room() const {
    const int length = int(toPlainText().size());
    const int selected = int(textCursor().selectedText().size());
    return std::max(0, m_maxLength - (length - selected));
}

QString NoteTextEdit::fitted(QString text) {
    // A CR LF pair becomes one line break in the box, so count it as one.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const int free = room();
    if (text.size() > free) {
        int keep = free;
        if (keep > 0 && text.at(keep - 1).isHighSurrogate())
            --keep;
        text.truncate(keep);
        if (onBeep)
            onBeep();
    }
    return text;
}

void NoteTextEdit::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    const QString text = fitted(source->text());
    if (text.isEmpty())
        return;
    QMimeData cut;
    cut.setText(text);
    QPlainTextEdit::insertFromMimeData(&cut);
}

void NoteTextEdit::inputMethodEvent(QInputMethodEvent* e) {
    if (e->commitString().isEmpty()) {
        QPlainTextEdit::inputMethodEvent(e);
        return;
    }
    // Composed text is typed text: no at sign, and no more than fits.
    QString commit = e->commitString();
    commit.remove(u'@');
    commit = fitted(commit);
    if (commit == e->commitString()) {
        QPlainTextEdit::inputMethodEvent(e);
        return;
    }
    QInputMethodEvent changed(e->preeditString(), e->attributes());
    changed.setCommitString(commit, e->replacementStart(), e->replacementLength());
    QPlainTextEdit::inputMethodEvent(&changed);
}
