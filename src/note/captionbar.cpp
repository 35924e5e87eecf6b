// The caption bar's mouse handling: dragging, the note menu, roll-up and the close button.
#include "paplet.h"

#include "notewidgets.h"

#include "core/regional.h"
#include "tray/app.h"
#include "tray/frmmain.h"

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QWindow>

bool Paplet::captionBarEvent(QObject* watched, QEvent* e) {
    const QEvent::Type type = e->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove)
        return false;
    auto* m = static_cast<QMouseEvent*>(e);
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    const bool release = type == QEvent::MouseButtonRelease;

    if (watched == windowHandle()) {
        // The release of a close button held down (see onImgClosePressed).
        if (release && m->button() == Qt::LeftButton && m_closePressed) {
            onImgCloseReleased(imgClose[1]->mapFromGlobal(m->globalPosition()).toPoint());
            return true;
        }
        return false;
    }
    if (watched == picCaption) {
        if (press)
            onPicCaptionPressed();
        else if (release)
            onPicCaptionReleased();
        else
            onPicCaptionMoved(m->buttons());
        return true;
    }
    if (watched == Image2) {
        // The icon opens the menu and never starts a drag.
        if (release && m->button() == Qt::LeftButton)
            onImage2Released();
        return true;
    }
    if (watched == imgClose[0] || watched == imgClose[1]) {
        // Only the left button works the close button: a stray right click never deletes a note.
        if (press && m->button() == Qt::LeftButton)
            onImgClosePressed();
        else if (release && m->button() == Qt::LeftButton && m_closePressed)
            onImgCloseReleased(imgClose[1]->mapFromGlobal(m->globalPosition()).toPoint());
        return true;
    }
    for (int i = 0; i < 2; ++i) {
        if (watched != imgRollup[i])
            continue;
        // A click: pressed and released over the same element. A double click counts once.
        if (type == QEvent::MouseButtonPress && m->button() == Qt::LeftButton) {
            m_rollupPressed = i;
        } else if (release && m->button() == Qt::LeftButton) {
            const bool click = m_rollupPressed == i && imgRollup[i]->rect().contains(m->position().toPoint());
            m_rollupPressed = -1;
            if (click)
                rollup(i);
        }
        return true;
    }
    return false;
}

void Paplet::onPicCaptionPressed() {
    const QPoint c = QCursor::pos();
    cursorx = c.x();
    cursory = c.y();
}

void Paplet::onPicCaptionMoved(Qt::MouseButtons buttons) {
    if (buttons != Qt::LeftButton)
        return; // the right button, or both, do not drag
    // Screen cursor deltas, not event positions: the note follows the pointer pixel for pixel even
    // though the caption bar moves under it.
    const QPoint c = QCursor::pos();
    const QPoint delta(c.x() - cursorx, c.y() - cursory);
    cursorx = c.x();
    cursory = c.y();
    if (!delta.isNull())
        move(pos() + delta);
}

void Paplet::onPicCaptionReleased() {
    txtpaplet->setFocus();
}

void Paplet::onImage2Released() {
    FrmMain& fm = m_app.frmmain();
    if (fm.papletalarm) {
        const QString base = fm.papletalarm->text().left(8);
        if (!alarmdate.isNull())
            fm.papletalarm->setText(base + QStringLiteral(" (") + regional::dateText(alarmdate) +
                                    QStringLiteral(" / ") + regional::timeText(alarmtime) + u')');
        else
            fm.papletalarm->setText(base);
    }
    // The menu's commands act on the active note: this one, whatever the window system has made of the
    // click so far.
    m_app.state.activenote = notetag.toInt();
    updateTopitCaption(fm);
    if (fm.actpaplet)
        fm.actpaplet->exec(QCursor::pos());
}

void Paplet::onImgClosePressed() {
    m_closePressed = true;
    imgClose[1]->hide();
    // Hiding the element under the pressed button leaves its release to no widget: the window itself
    // hands it over, wherever the pointer is let go.
    if (QWindow* w = windowHandle())
        w->installEventFilter(this);
}

void Paplet::onImgCloseReleased(QPoint pixelPos) {
    m_closePressed = false;
    if (QWindow* w = windowHandle())
        w->removeEventFilter(this);
    const bool over = pixelPos.x() >= 0 && pixelPos.x() <= imgClose[1]->width() && pixelPos.y() >= 0 &&
                      pixelPos.y() <= imgClose[1]->height();
    imgClose[1]->show();
    if (over)
        unloadpaplet();
}

void Paplet::rollup(int element) {
    if (element == 0) {
        // The outer height as whole twips, within what the store's 16-bit field holds.
        ioldheight = qint16(std::clamp<long>(std::lround(heightTw()), 0, 32767));
        setHeightTw(minHeightTw());
        imgRollup[0]->hide();
        imgRollup[1]->show();
    } else {
        setHeightTw(ioldheight);
        imgRollup[0]->show();
        imgRollup[1]->hide();
    }
    // Where the height did not change (already at the minimum), no resize follows to set the images.
    updateRollupImages();
}
