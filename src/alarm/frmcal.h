#pragma once

#include "tray/topmostdialog.h"
#include <QDate>
#include <QVector>

class App;
class QComboBox;
class QFrame;
class QLabel;
class QScrollBar;

// The month calendar the alarm dialog takes its date from. Opens on the month of `startdate`, marks the
// start day light red in every year shown; a click on a day picks it (app.state.pickeddate,
// app.state.datepicked) and closes, any other label or the background closes without a pick.
class FrmCal : public TopmostDialog {
    Q_OBJECT
public:
    static constexpr int firstYear = 1964;
    static constexpr int lastYear = 2099;
    static constexpr int dayCells = 37;

    explicit FrmCal(App& app, QWidget* parent = nullptr);
    ~FrmCal() override;

    // Set by the opener before the calendar is shown: a date in the user's regional form.
    QString startdate;

    QComboBox* cbomonth = nullptr;
    QLabel* lblyear = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QFrame* Shape1 = nullptr;
    QFrame* Shape2 = nullptr;
    // 0..36 the day cells (cell k: row k / 7, column k % 7, Sunday first), 37..43 the weekday headings.
    QVector<QLabel*> Label1;

    // The opening steps; showing the calendar runs them once (tests call them without showing it).
    void opening();
    void fillcbomonth();
    void calcdays(const QString& currentmonth, const QString& currentyear);
    // The date the calendar opened on: startdate, or today when startdate was unusable.
    QDate startDay() const { return m_start; }

    void onCbomonthChanged(int index);
    void onHScroll1Changed(int value);
    void onLabel1Clicked(int k);

    // Keyboard use: a day cursor in the grid (arrows, Home/End, PageUp/PageDown for months, Ctrl+PageUp/
    // PageDown for years), Return or Space picks the day under it, Escape closes without a pick.
    int cursorCell() const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    QDate shownFirst() const;
    void showDay(const QDate& d);
    void updateCursor();

    App& m_app;
    int m_cursorDay = 1;
    QDate m_start;
    bool m_opened = false;
    bool m_backgroundPressed = false;
};
