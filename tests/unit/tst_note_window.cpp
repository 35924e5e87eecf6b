// The note window: caption rule, key filter and paste limit, layout and roll-up, the close button,
// dragging by the caption bar, activation, Alt+F4.
#include "testsupport.h"

#include "note/notewidgets.h"
#include "note/paplet.h"
#include "tray/frmmain.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QtTest/qtestspontaneevent.h>

namespace {
// A note made the way the note store and the "new" command make one: numbered, in the note table, with a
// checked entry in the note list.
Paplet* addNote(TestApp& t, const QString& text = QString()) {
    Paplet* p = t.addNote(true);
    AppState& s = t.state();
    p->setText(text);
    if (text.isEmpty())
        p->captstr = s.untitledtext;
    return p;
}

CaptionBar* captionBar(Paplet* p) {
    return static_cast<CaptionBar*>(p->picCaption);
}

void sendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons) {
    const QPointF local(5, 5);
    QMouseEvent e(type, local, w->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
} // namespace

class TestNoteWindow : public QObject {
    Q_OBJECT
private slots:
    void captionRule_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        const QString a30(30, u'a');
        QTest::newRow("empty") << QString() << "untitled";
        QTest::newRow("30 characters whole") << a30 << a30;
        QTest::newRow("31 characters cut") << a30 + u'b' << a30 + "...";
        QTest::newRow("CR LF one blank") << "ab\r\ncd"
                                         << "ab cd";
        QTest::newRow("lone LF takes the next one") << "a\nbc"
                                                    << "a c";
        QTest::newRow("lone CR takes the next one") << "a\rbc"
                                                    << "a c";
        QTest::newRow("break at the cut") << QString(29, u'a') + "\r\nz" << QString(29, u'a') + " ...";
        QTest::newRow("tab kept") << "a\tb"
                                  << "a\tb";
    }
    void captionRule() {
        QFETCH(QString, text);
        QFETCH(QString, caption);
        QCOMPARE(Paplet::captionFor(text, QStringLiteral("untitled")), caption);
    }

    void captionFollowsTheText() {
        TestApp t;
        Paplet* p = addNote(t);
        QCOMPARE(t.state().untitledtext, QStringLiteral("untitled"));
        QAction* entry = t.app->frmmain().listpaplets.value(1);
        QVERIFY(entry);

        // A line break typed into the box folds into one blank, without eating the next letter.
        QTest::keyClicks(p->txtpaplet, QStringLiteral("ab"));
        QTest::keyClick(p->txtpaplet, Qt::Key_Return);
        QTest::keyClicks(p->txtpaplet, QStringLiteral("cd"));
        QCOMPARE(p->text(), QStringLiteral("ab\ncd"));
        QCOMPARE(p->captstr, QStringLiteral("ab cd"));
        QCOMPARE(entry->text(), QStringLiteral("ab cd"));
        QCOMPARE(captionBar(p)->captionText(), QStringLiteral("ab cd"));

        // An ampersand is shown as itself in the note list.
        p->setText(QStringLiteral("salt & pepper"));
        QCOMPARE(p->captstr, QStringLiteral("salt & pepper"));
        QCOMPARE(entry->text(), QStringLiteral("salt && pepper"));

        p->setText(QString());
        QCOMPARE(p->captstr, QStringLiteral("untitled"));
        QCOMPARE(entry->text(), QStringLiteral("untitled"));
    }

    void keyFilter() {
        TestApp t;
        Paplet* p = addNote(t);
        QTest::keyClicks(p->txtpaplet, QStringLiteral("mail@home"));
        QCOMPARE(p->text(), QStringLiteral("mailhome"));
        QVERIFY(t.sound.calls.isEmpty());

        const QString full(Paplet::maxTextLength, u'x');
        p->setText(full);
        p->txtpaplet->moveCursor(QTextCursor::End);
        QTest::keyClick(p->txtpaplet, Qt::Key_Y);
        QTest::keyClick(p->txtpaplet, Qt::Key_Return);
        QCOMPARE(p->text(), full);
        QCOMPARE(t.sound.calls, QStringList({"beep", "beep"}));

        // Not even in place of a selection.
        p->txtpaplet->selectAll();
        QTest::keyClick(p->txtpaplet, Qt::Key_Z);
        QCOMPARE(p->text(), full);
        QCOMPARE(t.sound.calls.size(), 3);

        // Backspace still works, and then there is room again.
        p->txtpaplet->moveCursor(QTextCursor::End);
        QTest::keyClick(p->txtpaplet, Qt::Key_Backspace);
        QCOMPARE(p->text().size(), Paplet::maxTextLength - 1);
        QTest::keyClick(p->txtpaplet, Qt::Key_At, Qt::ShiftModifier); // never, and silently
        QCOMPARE(p->text().size(), Paplet::maxTextLength - 1);
        QTest::keyClick(p->txtpaplet, Qt::Key_Y);
        QCOMPARE(p->text(), full.left(Paplet::maxTextLength - 1) + u'y');
        QCOMPARE(t.sound.calls.size(), 3);
    }

    void pasteIsCutToFit() {
        TestApp t;
        Paplet* p = addNote(t);
        p->setText(QString(Paplet::maxTextLength - 10, u'x'));
        p->txtpaplet->moveCursor(QTextCursor::End);
        QApplication::clipboard()->setText(QStringLiteral("0123456789ABCDEF"));
        p->txtpaplet->paste();
        QCOMPARE(p->text().size(), Paplet::maxTextLength);
        QVERIFY(p->text().endsWith(QStringLiteral("x0123456789")));
        QCOMPARE(t.sound.calls, QStringList({"beep"}));

        // A selection makes room for what replaces it.
        QTextCursor c = p->txtpaplet->textCursor();
        c.setPosition(0);
        c.setPosition(5, QTextCursor::KeepAnchor);
        p->txtpaplet->setTextCursor(c);
        QApplication::clipboard()->setText(QStringLiteral("abcdefgh"));
        p->txtpaplet->paste();
        QCOMPARE(p->text().size(), Paplet::maxTextLength);
        QVERIFY(p->text().startsWith(QStringLiteral("abcdex")));

        // A pasted text that fits comes in whole, CR LF counted as the one line break it becomes.
        p->setText(QString(Paplet::maxTextLength - 3, u'x'));
        p->txtpaplet->moveCursor(QTextCursor::End);
        QApplication::clipboard()->setText(QStringLiteral("a\r\nb"));
        p->txtpaplet->paste();
        QCOMPARE(p->text().right(3), QStringLiteral("a\nb"));
        QCOMPARE(t.sound.calls.size(), 2);
    }

    void layoutMinimums() {
        TestApp t;
        Paplet* p = addNote(t, QStringLiteral("a note"));
        QCOMPARE(p->widthTw(), Paplet::designWidthTw());
        QCOMPARE(p->heightTw(), Paplet::designHeightTw());
        QCOMPARE(Paplet::designWidthTw(), 2040.0 + 2 * Paplet::framePx * 15);
        QCOMPARE(p->minHeightTw(), 390.0);
        QVERIFY(!p->rolledUp());
        QVERIFY(!p->imgRollup[0]->isHidden());
        QVERIFY(p->imgRollup[1]->isHidden());

        // Buttons right-aligned in the caption bar, the caption clear of the icon.
        QCOMPARE(p->picCaption->width(), p->width() - 2 * Paplet::framePx);
        QCOMPARE(p->imgClose[1]->x(), p->picCaption->width() - 18);
        QCOMPARE(p->imgRollup[0]->x(), p->picCaption->width() - 36);
        QVERIFY(captionBar(p)->textLeft() > p->Image2->geometry().right());

        p->setWidthTw(300);
        QCOMPARE(p->widthTw(), 960.0);
        p->setHeightTw(100);
        QCOMPARE(p->heightTw(), 390.0);
        QVERIFY(p->rolledUp());
        QVERIFY(p->imgRollup[0]->isHidden());
        QVERIFY(!p->imgRollup[1]->isHidden());
        QCOMPARE(p->imgClose[1]->x(), p->picCaption->width() - 18);
        QVERIFY(p->imgRollup[0]->x() > p->Image2->geometry().right());

        // One pixel taller: expanded again.
        p->setHeightTw(405);
        QVERIFY(!p->rolledUp());
        QVERIFY(!p->imgRollup[0]->isHidden());
        QVERIFY(p->imgRollup[1]->isHidden());

        // A shown note resized by the user (or the window manager) follows the same rules.
        p->show();
        p->resize(10, 10);
        QCOMPARE(p->size(), QSize(64, 26));
        QVERIFY(!p->imgRollup[1]->isHidden());
        p->resize(300, 200);
        QCOMPARE(p->txtpaplet->geometry(), QRect(4, 4 + 18, 292, 192 - 18));
    }

    void captionBarPicturesAreCrisp() {
        // Every picture is compiled in and drawn on the pixel grid: at 100 % and 200 % no pixel is a blend
        // of two colours, so the buttons stay sharp at any scale.
        TestApp t;
        Paplet p(*t.app);
        const QList<QLabel*> images{p.Image2, p.imgRollup[0], p.imgRollup[1], p.imgClose[0], p.imgClose[1]};
        const QSet<QRgb> allowed{qRgb(0, 0, 0),       qRgb(255, 255, 255), qRgb(128, 128, 128),
                                 qRgb(223, 223, 223), qRgb(192, 192, 192), qRgb(255, 255, 0),
                                 qRgb(107, 90, 0),    qRgb(255, 248, 176), qRgb(138, 122, 16)};
        for (QLabel* label : images) {
            auto* img = qobject_cast<SvgImage*>(label);
            QVERIFY(img);
            QVERIFY2(img->isValidImage(), qPrintable(img->file()));
            QCOMPARE(img->size(), QSize(16, 14));
            for (qreal dpr : {1.0, 2.0}) {
                const QImage pixels = img->render(dpr).toImage();
                QCOMPARE(pixels.size(), QSize(16, 14) * dpr);
                for (int y = 0; y < pixels.height(); ++y)
                    for (int x = 0; x < pixels.width(); ++x)
                        QVERIFY2(
                            allowed.contains(pixels.pixel(x, y)),
                            qPrintable(
                                QStringLiteral("%1 at %2 x %3, %4").arg(img->file()).arg(dpr).arg(x).arg(y)));
            }
        }
        // The pressed and released crosses differ, and so do the two roll-up pictures.
        auto pixels = [](QLabel* l) { return static_cast<SvgImage*>(l)->render(1).toImage(); };
        QVERIFY(pixels(p.imgClose[0]) != pixels(p.imgClose[1]));
        QVERIFY(pixels(p.imgRollup[0]) != pixels(p.imgRollup[1]));
    }

    void rollUpAndDown() {
        TestApp t;
        Paplet* p = addNote(t, QStringLiteral("a note"));
        p->show();
        p->setHeightTw(1500);
        QTest::mouseClick(p->imgRollup[0], Qt::LeftButton);
        QCOMPARE(p->ioldheight, qint16(1500));
        QCOMPARE(p->heightTw(), p->minHeightTw());
        QVERIFY(p->imgRollup[0]->isHidden());
        QVERIFY(!p->imgRollup[1]->isHidden());

        QTest::mouseClick(p->imgRollup[1], Qt::LeftButton);
        QCOMPARE(p->heightTw(), 1500.0);
        QVERIFY(!p->imgRollup[0]->isHidden());
        QVERIFY(p->imgRollup[1]->isHidden());
        QCOMPARE(p->ioldheight, qint16(1500));

        // The right button is no click, and neither is a press begun elsewhere.
        QTest::mouseClick(p->imgRollup[0], Qt::RightButton);
        QCOMPARE(p->heightTw(), 1500.0);
        QTest::mouseRelease(p->imgRollup[0], Qt::LeftButton);
        QCOMPARE(p->heightTw(), 1500.0);

        // Rolling down to a height below the minimum leaves the note rolled up, and it looks it.
        p->rollup(0);
        p->ioldheight = 0;
        p->rollup(1);
        QCOMPARE(p->heightTw(), p->minHeightTw());
        QVERIFY(p->imgRollup[0]->isHidden());
        QVERIFY(!p->imgRollup[1]->isHidden());

        // A height beyond the 16-bit field is kept at its largest value rather than wrapped.
        p->ioldheight = 1500;
        p->rollup(1);
        p->setHeightTw(40000);
        p->rollup(0);
        QCOMPARE(p->ioldheight, qint16(32767));
    }

    void closeButton() {
        TestApp t;
        t.state().confirmdelete = QStringLiteral("True");
        Paplet* p = addNote(t, QStringLiteral("groceries"));
        p->show();
        FrmMain& fm = t.app->frmmain();

        // Pressed, released outside: the button springs back, nothing else.
        QTest::mousePress(p->imgClose[1], Qt::LeftButton);
        QVERIFY(p->imgClose[1]->isHidden());
        QTest::mouseRelease(p->imgClose[0], Qt::LeftButton, {}, QPoint(17, 5));
        QVERIFY(!p->imgClose[1]->isHidden());
        QVERIFY(t.prompts.asked().isEmpty());

        // The press hid the element under the pointer: the window hands the release on, here outside.
        QTest::mousePress(p->imgClose[1], Qt::LeftButton);
        QTest::mouseRelease(p->windowHandle(), Qt::LeftButton, {}, QPoint(10, 60));
        QVERIFY(!p->imgClose[1]->isHidden());
        QVERIFY(t.prompts.asked().isEmpty());

        // Released on the button's very edge, answer No: asked, nothing changes.
        p->onImgClosePressed();
        p->onImgCloseReleased(QPoint(16, 14));
        QCOMPARE(t.prompts.asked(), QStringList({"Attention|Delete Paplet: groceries ?"}));
        QVERIFY(!p->imgClose[1]->isHidden());
        QVERIFY(!p->deletedflag);
        QVERIFY(p->isVisible());
        QCOMPARE(t.state().deletedcount, 0);
        QVERIFY(fm.listpaplets.value(1));

        // The right button does not work the close button at all.
        QTest::mousePress(p->imgClose[1], Qt::RightButton);
        QVERIFY(!p->imgClose[1]->isHidden());
        QTest::mouseRelease(p->imgClose[1], Qt::RightButton);
        QCOMPARE(t.prompts.asked().size(), 1);

        // Answer Yes: deleted, hidden, out of the list; the placeholder is back with no live note left.
        t.prompts.nextAnswer(Prompts::Answer::Yes);
        QTest::mousePress(p->imgClose[1], Qt::LeftButton);
        QTest::mouseRelease(p->imgClose[0], Qt::LeftButton, {}, QPoint(8, 7));
        QVERIFY(p->deletedflag);
        QVERIFY(!p->isVisible());
        QCOMPARE(t.state().deletedcount, 1);
        QVERIFY(!fm.listpaplets.contains(1));
        QVERIFY(fm.listpaplets.value(0) && fm.listpaplets.value(0)->isVisible());
        QCOMPARE(fm.tooltip(), QStringLiteral("0 Zovuzor"));
        QCOMPARE(p->text(), QStringLiteral("groceries")); // the window lives on with its number

        // Deleting twice counts once.
        p->unloadpaplet();
        QCOMPARE(t.state().deletedcount, 1);
    }

    void deleteConfirmationByLanguage() {
        TestApp t;
        t.state().language = 1;
        t.state().confirmdelete = QStringLiteral("True");
        Paplet* p = addNote(t, QStringLiteral("Einkauf"));
        addNote(t, QStringLiteral("other"));
        t.prompts.nextAnswer(Prompts::Answer::Yes);
        p->unloadpaplet();
        QCOMPARE(t.prompts.asked(), QStringList({QStringLiteral("Attention|Löschen Paplet: Einkauf ?")}));
        QVERIFY(p->deletedflag);
        // One live note left: the placeholder stays hidden.
        QVERIFY(!t.app->frmmain().listpaplets.value(0)->isVisible());

        // Without confirmdelete no question is asked.
        TestApp u;
        u.state().confirmdelete = QStringLiteral("False");
        Paplet* q = addNote(u, QStringLiteral("x"));
        q->unloadpaplet();
        QVERIFY(u.prompts.asked().isEmpty());
        QVERIFY(q->deletedflag);
    }

    void dragWithLeftButtonOnly() {
        TestApp t;
        Paplet* p = addNote(t, QStringLiteral("drag me"));
        p->move(200, 150);
        p->show();
        QVERIFY(QTest::qWaitForWindowExposed(p));
        QCursor::setPos(400, 300);
        if (QCursor::pos() != QPoint(400, 300))
            QSKIP("this platform does not place the pointer");

        sendMouse(p->picCaption, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
        QCursor::setPos(430, 290);
        sendMouse(p->picCaption, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(p->pos(), QPoint(230, 140));
        QCursor::setPos(431, 295);
        sendMouse(p->picCaption, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
        QCOMPARE(p->pos(), QPoint(231, 145));
        p->txtpaplet->clearFocus();
        sendMouse(p->picCaption, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(p->focusWidget(), p->txtpaplet);

        // The right button, or both buttons, do not drag.
        sendMouse(p->picCaption, QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton);
        QCursor::setPos(500, 350);
        sendMouse(p->picCaption, QEvent::MouseMove, Qt::NoButton, Qt::RightButton);
        QCOMPARE(p->pos(), QPoint(231, 145));
        sendMouse(p->picCaption, QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton);
        sendMouse(p->picCaption, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
        sendMouse(p->picCaption, QEvent::MouseButtonPress, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
        QCursor::setPos(520, 360);
        sendMouse(p->picCaption, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
        QCOMPARE(p->pos(), QPoint(231, 145));
    }

    void resizeByTheFrame() {
        TestApp t;
        Paplet* p = addNote(t, QStringLiteral("resize me"));
        p->move(100, 100);
        p->show();
        QVERIFY(QTest::qWaitForWindowExposed(p));
        const QSize before = p->size();
        // Bottom-right corner of the frame; where the window system cannot resize, the note does it.
        const QPoint corner(p->width() - 2, p->height() - 2);
        QTest::mousePress(p, Qt::LeftButton, {}, corner);
        QMouseEvent move(QEvent::MouseMove, QPointF(corner + QPoint(40, 30)),
                         QPointF(p->mapToGlobal(corner + QPoint(40, 30))), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(p, &move);
        QTest::mouseRelease(p, Qt::LeftButton, {}, corner + QPoint(40, 30));
        QCOMPARE(p->size(), before + QSize(40, 30));
        QCOMPARE(p->pos(), QPoint(100, 100));
        // Hovering the frame shows which way it resizes.
        QMouseEvent hover(QEvent::MouseMove, QPointF(2, 40), QPointF(p->mapToGlobal(QPoint(2, 40))),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(p, &hover);
        QCOMPARE(p->cursor().shape(), Qt::SizeHorCursor);
    }

    void activation() {
        TestApp t;
        FrmMain& fm = t.app->frmmain();
        Paplet* first = addNote(t, QStringLiteral("first"));
        Paplet* second = addNote(t);
        second->topme = true;

        first->onActivate();
        QCOMPARE(t.state().activenote, 1);
        QCOMPARE(fm.topit->text(), QStringLiteral("set on top"));
        const QColor activeBack = captionBar(first)->backColor();
        QCOMPARE(activeBack, QApplication::palette().color(QPalette::Active, QPalette::Highlight));
        first->onDeactivate();
        QVERIFY(captionBar(first)->backColor() != activeBack);

        second->captstr = QStringLiteral("stale");
        second->show();
        second->onActivate();
        QCOMPARE(t.state().activenote, 2);
        QCOMPARE(fm.topit->text(), QStringLiteral("not on top"));
        QCOMPARE(second->captstr, QStringLiteral("untitled"));
        QCOMPARE(captionBar(second)->captionText(), QStringLiteral("untitled"));

        // The window system's activation runs the same steps.
        first->show();
        first->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(first));
        QTRY_COMPARE(t.state().activenote, 1);
        QCOMPARE(fm.topit->text(), QStringLiteral("set on top"));
    }

    void altF4HidesButKeepsTheNote() {
        TestApp t;
        FrmMain& fm = t.app->frmmain();
        Paplet* p = addNote(t, QStringLiteral("keep me"));
        Paplet* other = addNote(t, QStringLiteral("other"));
        p->show();
        other->show();

        QTest::keyClick(p->txtpaplet, Qt::Key_F4, Qt::AltModifier);
        QVERIFY(!p->isVisible());
        QVERIFY(!p->deletedflag);
        QCOMPARE(p->text(), QStringLiteral("keep me"));
        QVERIFY(!fm.listpaplets.value(1)->isChecked());
        QVERIFY(!t.state().allhiddenflag);

        // The window manager's close does the same; with every note gone, the tray offers "show all".
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close);
        QApplication::instance()->notify(other, &close);
        QVERIFY(!other->isVisible());
        QVERIFY(t.state().allhiddenflag);
        QCOMPARE(fm.hideall->text(), fm.showalltext);

        // Shift+Alt+F4 is no close.
        p->show();
        QTest::keyClick(p->txtpaplet, Qt::Key_F4, Qt::AltModifier | Qt::ShiftModifier);
        QVERIFY(p->isVisible());

        // The note list brings a closed note back whole.
        fm.onListpapletsTriggered(2);
        QVERIFY(other->isVisible());
        QCOMPARE(other->text(), QStringLiteral("other"));
        QVERIFY(fm.listpaplets.value(2)->isChecked());
    }
};

ZOVUZOR_TEST_MAIN(TestNoteWindow)
#include "tst_note_window.moc"
