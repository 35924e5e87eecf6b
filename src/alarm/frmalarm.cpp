#include "frmalarm.h"

#include "alarmui.h"
#include "core/regional.h"
#include "core/values.h"
#include "frmcal.h"
#include "note/paplet.h"
#include "tray/app.h"
#include "tray/windowhelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int brightWhite = 15;
constexpr int lightRed = 12;
constexpr int timeTypingLimit = 5;

bool onlyDigits(const QString& text, bool colonToo) {
    for (const QChar c : text) {
        const bool digit = c >= u'0' && c <= u'9';
        if (!digit && !(colonToo && c == u':'))
            return false;
    }
    return true;
}

// The longest date text this locale writes: the date box must show it whole, and its length limit must
// not cut it short (most locales need 10 characters).
QString longestDateText() {
    QString longest;
    for (int m = 1; m <= 12; ++m) {
        const QString t = regional::dateText(QDate(2000, m, 28));
        if (t.size() > longest.size())
            longest = t;
    }
    return longest;
}

QString longestTimeText() {
    const QString pm = regional::timeText(QTime(22, 58, 58));
    const QString am = regional::timeText(QTime(10, 58, 58));
    return pm.size() >= am.size() ? pm : am;
}
} // namespace

FrmAlarm::FrmAlarm(App& app, QWidget* parent)
    : TopmostDialog(app, OnClose::RestoreOnTopNotes, parent), m_app(app) {
    using alarmui::twipsRect;
    setObjectName(QStringLiteral("frmalarm"));
    setWindowTitle(QStringLiteral("Alarm"));
    const AppState& s = m_app.state;

    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    // A box at least as wide as designed, and wide enough for the longest text it is given.
    auto box = [this](const char* name, int widthTw, const QString& longest) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        const QMargins m = e->textMargins() + e->contentsMargins();
        const int needed = e->fontMetrics().horizontalAdvance(longest) + m.left() + m.right() + 12;
        e->setFixedWidth(std::max(twipsRect(0, 0, widthTw, 0).width(), needed));
        return e;
    };
    auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(twipsRect(0, 0, 915, 0).width());
        return b;
    };

    txtpaplet = new QPlainTextEdit(this);
    txtpaplet->setObjectName(QStringLiteral("txtpaplet"));
    txtpaplet->setMinimumSize(twipsRect(0, 0, 2415, 855).size());
    txtpaplet->setReadOnly(true);
    txtpaplet->setFocusPolicy(Qt::ClickFocus); // for reading only: not a tab stop

    txtdate = box("txtdate", 975, longestDateText());
    txtdate->setReadOnly(true); // filled by the opener and the calendar only
    txtdate->setMaxLength(std::max(10, int(longestDateText().size())));
    txtdate->setCursor(Qt::PointingHandCursor);
    txttime = box("txttime", 810, longestTimeText());
    txtring = box("txtring", 375, QStringLiteral("00"));
    txtring->setMaxLength(2);
    for (QLineEdit* e : {txtdate, txttime, txtring}) {
        e->setAttribute(Qt::WA_InputMethodEnabled, false);
        e->installEventFilter(this);
    }

    Label3 = label("Label3", QStringLiteral("Paplet:"));
    Label1 = label("Label1", QString());
    Label2 = label("Label2", QString());
    Label4 = label("Label4", QStringLiteral("Alarm:"));
    Label5 = label("Label5", QString());

    cmdok = button("cmdok", QStringLiteral("OK"));
    cmdok->setDefault(true);
    cmdclear = button("cmdclear", QString());
    cmdclear->setEnabled(false); // the opener enables it for a note with an alarm
    cmdcancel = button("cmdcancel", QString());

    // As designed: the note on top, date and time side by side, the minutes below, the buttons last.
    auto* grid = new QGridLayout;
    grid->addWidget(Label3, 0, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(txtpaplet, 0, 1, 1, 4);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(txtdate, 1, 1);
    grid->addWidget(Label2, 1, 2, Qt::AlignRight);
    grid->addWidget(txttime, 1, 3);
    grid->addWidget(Label4, 2, 0);
    auto* ringRow = new QHBoxLayout;
    ringRow->addWidget(txtring);
    ringRow->addWidget(Label5);
    ringRow->addStretch(1);
    grid->addLayout(ringRow, 2, 1, 1, 4);
    grid->setColumnStretch(4, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdok, cmdclear, cmdcancel})
        buttons->addWidget(b, 1);
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addSpacing(twipsRect(0, 0, 0, 90).height());
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(txtdate, txttime);
    setTabOrder(txttime, txtring);
    setTabOrder(txtring, cmdok);
    setTabOrder(cmdok, cmdclear);
    setTabOrder(cmdclear, cmdcancel);
    txtdate->setFocus();

    connect(cmdok, &QPushButton::clicked, this, &FrmAlarm::onCmdokClicked);
    connect(cmdclear, &QPushButton::clicked, this, &FrmAlarm::onCmdclearClicked);
    connect(cmdcancel, &QPushButton::clicked, this, &FrmAlarm::onCmdcancelClicked);
    connect(txtdate, &QLineEdit::textChanged, this, &FrmAlarm::onTxtdateChanged);
    connect(txttime, &QLineEdit::textChanged, this, &FrmAlarm::onTxttimeChanged);
    connect(txtring, &QLineEdit::textChanged, this, &FrmAlarm::onTxtringChanged);

    // Load
    Label1->setText(s.text(60, 140));
    Label2->setText(s.text(61, 141));
    Label5->setText(s.text(62, 142));
    cmdclear->setText(s.text(63, 143));
    cmdcancel->setText(s.text(64, 144));
    mes = s.mes.isEmpty() ? s.text(65, 66) : s.mes;

    QPalette p = txtpaplet->palette();
    p.setColor(QPalette::Base, s.backColor());
    p.setColor(QPalette::Text, s.foreColor());
    txtpaplet->setPalette(p);
    QFont f = txtpaplet->font();
    if (!s.font.trimmed().isEmpty())
        f.setFamily(s.font);
    if (const auto size = values::number(s.fontsize); size && *size > 0)
        f.setPointSizeF(*size);
    txtpaplet->setFont(f); // bold and italic are the note's own; here only face and size
    // Room for three lines of the note, however large its font.
    const int threeLines = QFontMetrics(f).lineSpacing() * 3 + 2 * txtpaplet->frameWidth() +
                           2 * int(txtpaplet->document()->documentMargin());
    txtpaplet->setFixedHeight(std::max(twipsRect(0, 0, 0, 855).height(), threeLines));

    adjustSize();
    centreOnScreen(this);
    clearChangeMarks();
}

FrmAlarm::~FrmAlarm() = default;

void FrmAlarm::clearChangeMarks() {
    m_dateChanged = false;
    m_timeChanged = false;
}

void FrmAlarm::onActivate() {
    settopmost(this);
    activated();
}

void FrmAlarm::activated() {
    // Forget what the opener filled in. Only the first activation does this: coming back from the
    // calendar, or from an alarm that went off meanwhile, must not forget the user's own changes.
    if (!m_activatedOnce) {
        m_activatedOnce = true;
        clearChangeMarks();
    }
}

void FrmAlarm::onTxtdateChanged() {
    m_dateChanged = true;
}

void FrmAlarm::onTxttimeChanged() {
    m_timeChanged = true;
    alarmui::setBackColor(txttime, brightWhite);
}

void FrmAlarm::onTxtringChanged() {
    alarmui::setBackColor(txtring, brightWhite);
    bool numeric = false;
    const double value = QLocale::c().toDouble(txtring->text().trimmed(), &numeric);
    if (numeric && value > 59) {
        const QString text = mes.isEmpty() ? m_app.state.text(65, 66) : mes;
        m_app.prompts().message(QStringLiteral("Zovuzor"), text);
        txtring->setText(QStringLiteral("59"));
    }
}

void FrmAlarm::markError(QLineEdit* box) {
    box->setFocus();
    alarmui::setBackColor(box, lightRed);
}

void FrmAlarm::onCmdokClicked() {
    bool timeOk = false;
    const QTime time = regional::parseTime(txttime->text(), &timeOk);
    if (!timeOk || !time.isValid()) {
        markError(txttime);
        return;
    }
    bool ringOk = false;
    const int ring = txtring->text().trimmed().toInt(&ringOk);
    if (!ringOk || ring < 0) {
        markError(txtring);
        return;
    }
    // The date comes from the opener or the calendar; should it still be unreadable, say so rather than
    // store no date, which would silently remove the alarm.
    bool dateOk = false;
    const QDate date = regional::parseDate(txtdate->text(), &dateOk);
    if (!dateOk) {
        markError(txtdate);
        return;
    }
    if (Paplet* note = m_app.state.note(m_app.state.activenote)) {
        note->alarmdate = date;
        note->alarmtime = time;
        note->ringearly = qint16(std::min(ring, 59));
        if (m_dateChanged || m_timeChanged)
            note->hasrung = false;
    }
    accept();
}

void FrmAlarm::onCmdclearClicked() {
    AppState& s = m_app.state;
    if (s.confirmdeleteOn()) {
        const bool german = s.german();
        const auto answer = m_app.prompts().askYesNo(
            german ? QStringLiteral("Aufgepaßt") : QStringLiteral("Attention"),
            german ? QStringLiteral("Alarm löschen?") : QStringLiteral("Delete alarm ?"));
        if (answer != Prompts::Answer::Yes)
            return;
    }
    if (Paplet* note = s.note(s.activenote))
        note->alarmdate = QDate();
    accept();
}

void FrmAlarm::onCmdcancelClicked() {
    reject();
}

void FrmAlarm::onTxtdateClicked() {
    FrmCal cal(m_app, this);
    cal.startdate = txtdate->text();
    // Below the dialog's text boxes: at its left edge, as far down as the top of its OK button, but
    // always wholly on the screen.
    QPoint at(frameGeometry().left(), frameGeometry().top() + cmdok->y());
    if (const QScreen* scr = screen()) {
        const QRect avail = scr->availableGeometry();
        const QSize outer = cal.frameGeometry().size();
        at.setX(std::clamp(at.x(), avail.left(), std::max(avail.left(), avail.right() + 1 - outer.width())));
        at.setY(std::clamp(at.y(), avail.top(), std::max(avail.top(), avail.bottom() + 1 - outer.height())));
    }
    cal.move(at);
    cal.exec();
    if (m_app.state.datepicked && m_app.state.pickeddate.isValid())
        txtdate->setText(regional::dateText(m_app.state.pickeddate));
}

bool FrmAlarm::acceptsTyping(QLineEdit* box, const QString& text, int typingLimit) const {
    if (!onlyDigits(text, box == txttime))
        return false;
    if (typingLimit > 0) {
        // What is selected is replaced by what is typed.
        const qsizetype after = box->text().size() - box->selectedText().size() + text.size();
        if (after > typingLimit)
            return false;
    }
    return true;
}

bool FrmAlarm::eventFilter(QObject* watched, QEvent* e) {
    if (watched == txtdate) {
        if (e->type() == QEvent::MouseButtonRelease) {
            auto* me = static_cast<QMouseEvent*>(e);
            if (me->button() == Qt::LeftButton && txtdate->rect().contains(me->position().toPoint()))
                onTxtdateClicked();
        } else if (e->type() == QEvent::KeyPress) {
            // The keyboard way into the calendar.
            const auto* ke = static_cast<QKeyEvent*>(e);
            const bool alt = ke->modifiers().testFlag(Qt::AltModifier);
            switch (ke->key()) {
            case Qt::Key_Space:
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_F4:
                onTxtdateClicked();
                return true;
            case Qt::Key_Down:
                if (alt) {
                    onTxtdateClicked();
                    return true;
                }
                break;
            default:
                break;
            }
        }
        return QDialog::eventFilter(watched, e);
    }
    if ((watched == txttime || watched == txtring) && e->type() == QEvent::KeyPress) {
        auto* box = static_cast<QLineEdit*>(watched);
        const int limit = box == txttime ? timeTypingLimit : 0; // txtring has its maximum length
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->matches(QKeySequence::Paste)) {
            const QString pasted = QApplication::clipboard()->text();
            return !acceptsTyping(box, pasted, limit);
        }
        if (ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false; // shortcuts: copy, select all, the dialog's own keys
        const QString text = ke->text();
        if (text.isEmpty() || ke->key() == Qt::Key_Backspace)
            return false; // navigation, Delete, Backspace
        if (text.size() == 1 && (text.at(0).unicode() < 32 || text.at(0).unicode() == 127))
            return false; // Return, Escape, Tab
        return !acceptsTyping(box, text, limit);
    }
    return QDialog::eventFilter(watched, e);
}

void FrmAlarm::showEvent(QShowEvent* e) {
    // The opener has filled the boxes by now: that is not a change by the user.
    clearChangeMarks();
    QDialog::showEvent(e);
}
