#include "frmcal.h"

#include "alarmui.h"
#include "core/palette.h"
#include "core/regional.h"
#include "tray/app.h"
#include "tray/windowhelpers.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>

namespace {
constexpr int brightWhite = 15;
constexpr int lightRed = 12;
// Design positions in twips.
constexpr int cellWidth = 375;
constexpr int cellHeight = 195;
constexpr int columnLefts[7] = {90, 510, 930, 1350, 1770, 2190, 2610};
constexpr int headingLefts[7] = {90, 510, 930, 1320, 1785, 2160, 2610};
constexpr int rowTops[6] = {795, 1065, 1335, 1590, 1875, 2160};
constexpr int headingTop = 420;

const char* const englishMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
const char* const germanMonths[12] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                                      "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
const char* const englishDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const germanDays[7] = {"Son", "Mon", "Die", "Mit", "Don", "Fre", "Sam"};
} // namespace

FrmCal::FrmCal(App& app, QWidget* parent) : TopmostDialog(app, OnClose::LeaveNotes, parent), m_app(app) {
    using alarmui::twipsRect;
    setObjectName(QStringLiteral("frmcal"));
    setFont(alarmui::fittedFont(cellHeight));

    // The outlines come first so that everything else lies above them; they let the mouse through.
    Shape2 = new QFrame(this);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setGeometry(twipsRect(30, 345, 3030, 330));
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(twipsRect(0, 720, 3045, 1710));
    for (QFrame* shape : {Shape1, Shape2}) {
        shape->setFrameShape(QFrame::Box);
        shape->setFrameShadow(QFrame::Plain);
        shape->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    cbomonth = new QComboBox(this);
    cbomonth->setObjectName(QStringLiteral("cbomonth"));
    cbomonth->setEditable(false);
    cbomonth->setGeometry(twipsRect(120, 15, 1275, 315));
    connect(cbomonth, &QComboBox::currentIndexChanged, this, &FrmCal::onCbomonthChanged);

    lblyear = new QLabel(this);
    lblyear->setObjectName(QStringLiteral("lblyear"));
    lblyear->setAlignment(Qt::AlignCenter);
    lblyear->setGeometry(twipsRect(1590, 45, 675, 255));
    lblyear->installEventFilter(this); // a click on the year does not close the calendar

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(twipsRect(2280, 45, 600, 255));
    HScroll1->setRange(firstYear, lastYear);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(1);
    connect(HScroll1, &QScrollBar::valueChanged, this, &FrmCal::onHScroll1Changed);

    Label1.reserve(44);
    for (int k = 0; k < 44; ++k) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("Label1_%1").arg(k));
        l->setAlignment(Qt::AlignCenter);
        if (k < dayCells) {
            l->setGeometry(twipsRect(columnLefts[k % 7], rowTops[k / 7], cellWidth, cellHeight));
            l->setAutoFillBackground(true);
            alarmui::setBackColor(l, brightWhite);
        } else {
            l->setGeometry(twipsRect(headingLefts[k - dayCells], headingTop, cellWidth, cellHeight));
        }
        l->installEventFilter(this);
        Label1.push_back(l);
    }

    setFixedSize(twipsRect(0, 0, 3105, 2490).size());
    // The grid itself takes the keyboard; Tab reaches the month list and the year.
    setFocusPolicy(Qt::StrongFocus);
    setTabOrder(this, cbomonth);
    setTabOrder(cbomonth, HScroll1);
}

FrmCal::~FrmCal() = default;

void FrmCal::opening() {
    if (m_opened)
        return;
    m_opened = true;
    AppState& s = m_app.state;
    s.datepicked = false;

    const bool german = s.german();
    s.monthnames.clear();
    for (int m = 0; m < 12; ++m)
        s.monthnames << QString::fromUtf8(german ? germanMonths[m] : englishMonths[m]);
    for (int c = 0; c < 7; ++c)
        Label1[dayCells + c]->setText(QString::fromLatin1(german ? germanDays[c] : englishDays[c]));
    const QString prefix = s.text(70, 71);

    // The opener passes today or the note's alarm date; anything the calendar cannot show opens on today.
    bool ok = false;
    m_start = regional::parseDate(startdate, &ok);
    const bool usable = ok && m_start.isValid() && m_start.year() >= firstYear && m_start.year() <= lastYear;
    if (!usable) {
        m_start = m_app.clock().now().date();
        if (m_start.year() < firstYear || m_start.year() > lastYear)
            m_start = QDate(std::clamp(m_start.year(), firstYear, lastYear), m_start.month(), 1);
    }
    setWindowTitle(prefix + (usable ? startdate : regional::dateText(m_start)));

    m_cursorDay = m_start.day();
    lblyear->setText(QString::number(m_start.year()));
    fillcbomonth();
    HScroll1->setMinimum(firstYear);
    HScroll1->setValue(m_start.year());
}

void FrmCal::fillcbomonth() {
    cbomonth->clear();
    cbomonth->addItems(m_app.state.monthnames);
    cbomonth->setCurrentIndex(m_start.isValid() ? m_start.month() - 1 : 0);
}

void FrmCal::calcdays(const QString& currentmonth, const QString& currentyear) {
    const int m = currentmonth.toInt();
    const int y = currentyear.toInt();
    for (int k = 0; k < dayCells; ++k) {
        Label1[k]->setText(QString());
        alarmui::setBackColor(Label1[k], brightWhite);
    }
    const QDate first(y, m, 1);
    if (!first.isValid())
        return;
    const int offset = first.dayOfWeek() % 7; // Qt counts Monday 1 .. Sunday 7; the grid starts on Sunday
    const int days = first.daysInMonth();
    for (int d = 1; d <= days; ++d) {
        QLabel* cell = Label1[offset + d - 1];
        cell->setText(QString::number(d));
        // The start day is marked in every year shown.
        if (m_start.isValid() && d == m_start.day() && m == m_start.month())
            alarmui::setBackColor(cell, lightRed);
    }
    m_cursorDay = std::clamp(m_cursorDay, 1, days);
    updateCursor();
}

QDate FrmCal::shownFirst() const {
    return QDate(lblyear->text().toInt(), cbomonth->currentIndex() + 1, 1);
}

int FrmCal::cursorCell() const {
    const QDate first = shownFirst();
    return first.isValid() ? first.dayOfWeek() % 7 + m_cursorDay - 1 : -1;
}

void FrmCal::showDay(const QDate& d) {
    if (!d.isValid() || d.year() < firstYear || d.year() > lastYear)
        return;
    m_cursorDay = d.day();
    {
        // Month and year change together: draw the grid once, for both.
        const QSignalBlocker quietYear(HScroll1);
        const QSignalBlocker quietMonth(cbomonth);
        HScroll1->setValue(d.year());
        cbomonth->setCurrentIndex(d.month() - 1);
    }
    lblyear->setText(QString::number(d.year()));
    calcdays(QString::number(d.month()), lblyear->text());
}

void FrmCal::updateCursor() {
    const int cursor = hasFocus() ? cursorCell() : -1;
    for (int k = 0; k < dayCells; ++k)
        Label1[k]->setFrameShape(k == cursor ? QFrame::Box : QFrame::NoFrame);
}

void FrmCal::keyPressEvent(QKeyEvent* e) {
    const QDate first = shownFirst();
    if (!first.isValid()) {
        QDialog::keyPressEvent(e);
        return;
    }
    const QDate cursor(first.year(), first.month(), std::min(m_cursorDay, first.daysInMonth()));
    const bool ctrl = e->modifiers().testFlag(Qt::ControlModifier);
    switch (e->key()) {
    case Qt::Key_Left:
        showDay(cursor.addDays(-1));
        break;
    case Qt::Key_Right:
        showDay(cursor.addDays(1));
        break;
    case Qt::Key_Up:
        showDay(cursor.addDays(-7));
        break;
    case Qt::Key_Down:
        showDay(cursor.addDays(7));
        break;
    case Qt::Key_Home:
        showDay(first);
        break;
    case Qt::Key_End:
        showDay(first.addDays(first.daysInMonth() - 1));
        break;
    case Qt::Key_PageUp:
        showDay(ctrl ? cursor.addYears(-1) : cursor.addMonths(-1));
        break;
    case Qt::Key_PageDown:
        showDay(ctrl ? cursor.addYears(1) : cursor.addMonths(1));
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        onLabel1Clicked(cursorCell());
        break;
    default:
        QDialog::keyPressEvent(e);
        return;
    }
    e->accept();
}

void FrmCal::focusInEvent(QFocusEvent* e) {
    QDialog::focusInEvent(e);
    updateCursor();
}

void FrmCal::focusOutEvent(QFocusEvent* e) {
    QDialog::focusOutEvent(e);
    updateCursor();
}

void FrmCal::onCbomonthChanged(int index) {
    if (index < 0)
        return;
    calcdays(QString::number(index + 1), lblyear->text());
}

void FrmCal::onHScroll1Changed(int value) {
    lblyear->setText(QString::number(value));
    calcdays(QString::number(cbomonth->currentIndex() + 1), lblyear->text());
}

void FrmCal::onLabel1Clicked(int k) {
    if (k >= 0 && k < dayCells && !Label1[k]->text().isEmpty()) {
        const QDate picked(lblyear->text().toInt(), cbomonth->currentIndex() + 1, Label1[k]->text().toInt());
        if (picked.isValid()) {
            m_app.state.pickeddate = picked;
            m_app.state.datepicked = true;
        }
    }
    accept();
}

bool FrmCal::eventFilter(QObject* watched, QEvent* e) {
    const auto type = e->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick)
        return QDialog::eventFilter(watched, e);
    // The labels keep their mouse events to themselves, so that they never reach the background.
    if (type == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(e);
        auto* label = qobject_cast<QLabel*>(watched);
        const int k = label ? int(Label1.indexOf(label)) : -1;
        if (k >= 0 && me->button() == Qt::LeftButton && label->rect().contains(me->position().toPoint()))
            onLabel1Clicked(k);
    }
    return true;
}

void FrmCal::mousePressEvent(QMouseEvent* e) {
    m_backgroundPressed = true;
    QDialog::mousePressEvent(e);
}

void FrmCal::mouseReleaseEvent(QMouseEvent* e) {
    // The background: every place not covered by the list, the scroll bar or a label. Only a press that
    // began there counts (not, say, the click that closed the month list).
    QDialog::mouseReleaseEvent(e);
    if (m_backgroundPressed)
        reject();
    m_backgroundPressed = false;
}

void FrmCal::showEvent(QShowEvent* e) {
    opening();
    QDialog::showEvent(e);
    setFocus();
}
