#pragma once

#include "core/appstate.h"

#include <QPoint>
#include <QWidget>

class App;
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
    // The rolled-up height m: caption bar height + 8 pixels (in twips), plus the frame.
    double minHeightTw() const;

    // Caption bar actions, public so that tests drive them like the mouse does.
    void rollup(int element);                 // imgRollup(element) clicked: 0 rolls up, 1 rolls down
    void onImage2Released();                  // opens the active-note menu with the alarm caption
    void onImgCloseReleased(QPoint pixelPos); // release point relative to imgClose(1), in pixels
    void onTimer1Tick();                      // the alarm watch
    // Whether the alarm would ring now (the due test, for the given moment).
    bool alarmDue(const QDateTime& now) const;

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

private:
    App& m_app;
};
