#pragma once

#include "core/appstate.h"

#include <QPoint>
#include <QRect>
#include <QWidget>

class App;
class FrmMain;
class QLabel;
class QPlainTextEdit;
class QTimer;

// One note on the desktop: a frameless, resizable window with a home-made caption bar (picCaption: the
// note icon Image2, the roll-up button imgRollup[0|1], the close button imgClose[0|1]) above the text box
// txtpaplet. Positions and sizes are handled in twips (outer window, frame included).
class Paplet : public QWidget, public NoteState {
    Q_OBJECT
public:
    explicit Paplet(App& app); // runs the Load steps (centred, not deleted, first layout)
    ~Paplet() override;

    // The resize frame around the client area, in pixels. Four pixels top and bottom make up the eight
    // pixels that the rolled-up height m adds to the caption bar, so a rolled-up note shows its caption
    // bar alone.
    static constexpr int framePx = 4;
    // The most characters a note takes from the keyboard or the clipboard.
    static constexpr int maxTextLength = 2000;

    QWidget* picCaption = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* imgRollup[2] = {nullptr, nullptr};
    QLabel* imgClose[2] = {nullptr, nullptr};
    QPlainTextEdit* txtpaplet = nullptr;
    QTimer* Timer1 = nullptr; // the alarm watch, every 20 s

    double twipsx = 15;
    qint16 twipsy = 15;
    int cursorx = 0;
    int cursory = 0;

    // Redraws the caption bar from captstr.
    void setcaption();
    // Derives the caption from the text, writes it into the note's list entry and returns it.
    QString getcaption();
    // Deletes the note (asks first when confirmdelete is set).
    void unloadpaplet();
    // The caption rule on its own: untitled for an empty text, else the first 30 characters with every
    // line break (CR or LF, which also takes the character after it) folded into one blank, and "..."
    // when the text is longer. The text is taken with CR LF line breaks.
    static QString captionFor(const QString& text, const QString& untitled);

    QString text() const;
    void setText(const QString& text); // runs the text-change handling, like typing

    // Colours and font of the text area, from the settings record.
    void setTextBackColor(const QColor& c); // text box and window background
    void setTextForeColor(const QColor& c);
    void applyNoteFont(const AppState& s); // face, size, bold, italic, in this order

    // Outer geometry in twips. Setting a size runs the layout, like a resize by the user.
    double leftTw() const;
    double topTw() const;
    double widthTw() const;
    double heightTw() const;
    void setLeftTw(double tw);
    void setTopTw(double tw);
    void setWidthTw(double tw);
    void setHeightTw(double tw);
    // The designed outer size: client area 2040 x 1290 twips plus the resize frame.
    static double designWidthTw();
    static double designHeightTw();
    // The rolled-up height m: caption bar height + 8 pixels, in twips (the frame lies within the 8 pixels).
    double minHeightTw() const;
    // The same limits in pixels; the note is rolled up while its outer height equals minHeightPx().
    int minHeightPx() const;
    int minWidthPx() const;
    bool rolledUp() const;

    // Caption bar actions, public so that tests drive them like the mouse does.
    void rollup(int element);                 // imgRollup(element) clicked: 0 rolls up, 1 rolls down
    void onImage2Released();                  // opens the active-note menu with the alarm caption
    void onImgClosePressed();                 // the pressed look
    void onImgCloseReleased(QPoint pixelPos); // release point relative to imgClose(1), in pixels
    void onPicCaptionPressed();               // start of a drag: remembers the cursor
    void onPicCaptionMoved(Qt::MouseButtons buttons);
    void onPicCaptionReleased(); // end of a drag: the keyboard goes back to the text
    void onTimer1Tick();         // the alarm watch
    // Whether the alarm would ring now (the due test, for the given moment).
    bool alarmDue(const QDateTime& now) const;

    // Window events, public so that tests run them without a window manager.
    void onActivate();
    void onDeactivate();
    void onTxtpapletChanged();
    // Alt+F4 (or the window manager's close): the window goes away, the note stays. Its text and state
    // are kept, its list entry is unchecked, and showing it from the note list brings it back.
    void onAltF4();

signals:
    void activatedNote(int notenumber);

protected:
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void layoutNote();
    QRect clientRect() const;
    void updateRollupImages();
    void updateTopitCaption(FrmMain& fm);
    void applyCaptionColors(bool active);
    Qt::Edges frameEdgesAt(QPoint pos) const;
    void beep();
    bool filterTextKey(QKeyEvent* k);
    bool captionBarEvent(QObject* watched, QEvent* e);

    App& m_app;
    // Resizing by the frame when the window system cannot do it for us.
    Qt::Edges m_resizeEdges;
    QPoint m_resizeStart;
    QRect m_resizeGeometry;
    // The close button was pressed and its release has not come yet.
    bool m_closePressed = false;
    // The roll-up element under a pressed mouse button (-1: none).
    int m_rollupPressed = -1;
    bool m_inLayout = false;
};
