// The calendar date picker: the day grid of a month, the marked start day, month and year changes, the
// pick, the ways of closing without a pick, the texts by language, and start dates it cannot show.
#include "testsupport.h"

#include "alarm/frmcal.h"
#include "core/palette.h"
#include "core/regional.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollBar>

namespace {
const QDate today(2026, 12, 24);

std::unique_ptr<FrmCal> openCalendar(TestApp& t, const QString& startdate) {
    auto cal = std::make_unique<FrmCal>(*t.app);
    cal->startdate = startdate;
    cal->opening();
    return cal;
}

QColor back(const QLabel* l) {
    return l->palette().color(QPalette::Window);
}
} // namespace

class TestAlarmCalendar : public QObject {
    Q_OBJECT
    std::unique_ptr<TestApp> t;

private slots:
    void init() {
        t = std::make_unique<TestApp>();
        t->clock.set(QDateTime(today, QTime(9, 0)));
    }
    void cleanup() { t.reset(); }

    void cellsLieInSevenColumnsSundayFirst() {
        auto cal = openCalendar(*t, regional::dateText(today));
        QCOMPARE(cal->Label1.size(), 44);
        for (int k = 0; k < 44; ++k)
            QCOMPARE(cal->Label1[k]->objectName(), QStringLiteral("Label1_%1").arg(k));
        for (int k = 0; k < FrmCal::dayCells; ++k) {
            const QRect cell = cal->Label1[k]->geometry();
            QCOMPARE(cell.x(), cal->Label1[k % 7]->x());
            QCOMPARE(cell.y(), cal->Label1[7 * (k / 7)]->y());
            if (k % 7)
                QVERIFY(cell.x() > cal->Label1[k - 1]->geometry().right());
            if (k >= 7)
                QVERIFY(cell.y() > cal->Label1[k - 7]->geometry().bottom());
            QVERIFY(cell.y() > cal->Label1[37]->geometry().bottom()); // below the headings
        }
        for (int c = 0; c < 7; ++c) // each heading above its column
            QVERIFY(std::abs(cal->Label1[37 + c]->geometry().center().x() -
                             cal->Label1[c]->geometry().center().x()) <= 3);
    }

    // The whole grid: day d in cell offset + d - 1, every other cell empty and white, the start day
    // light red.
    void dayGrid_data() {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<int>("firstCell");
        QTest::addColumn<int>("days");
        QTest::newRow("September 1996 begins on a Sunday") << QDate(1996, 9, 1) << 0 << 30;
        QTest::newRow("March 1996 begins on a Friday") << QDate(1996, 3, 31) << 5 << 31;
        QTest::newRow("March 1997 fills cells 6 to 36") << QDate(1997, 3, 15) << 6 << 31;
        QTest::newRow("February 2000 has 29 days") << QDate(2000, 2, 29) << 2 << 29;
        QTest::newRow("February 1997 has 28 days") << QDate(1997, 2, 10) << 6 << 28;
        QTest::newRow("first year") << QDate(1964, 1, 1) << 3 << 31;
        QTest::newRow("last month") << QDate(2099, 12, 31) << 2 << 31;
    }
    void dayGrid() {
        QFETCH(QDate, start);
        QFETCH(int, firstCell);
        QFETCH(int, days);
        auto cal = openCalendar(*t, regional::dateText(start));
        QCOMPARE(cal->lblyear->text(), QString::number(start.year()));
        QCOMPARE(cal->cbomonth->currentIndex(), start.month() - 1);
        QCOMPARE(cal->HScroll1->value(), start.year());
        for (int k = 0; k < FrmCal::dayCells; ++k) {
            const int d = k - firstCell + 1;
            const bool inMonth = d >= 1 && d <= days;
            QCOMPARE(cal->Label1[k]->text(), inMonth ? QString::number(d) : QString());
            QCOMPARE(back(cal->Label1[k]), palette::color(inMonth && d == start.day() ? 12 : 15));
        }
    }

    void startDayStaysMarkedInEveryYear() {
        auto cal = openCalendar(*t, regional::dateText(QDate(2026, 12, 24)));
        cal->HScroll1->setValue(2030); // December 2030 begins on a Sunday
        QCOMPARE(cal->lblyear->text(), QStringLiteral("2030"));
        QCOMPARE(cal->Label1[23]->text(), QStringLiteral("24"));
        QCOMPARE(back(cal->Label1[23]), palette::color(12));
        cal->cbomonth->setCurrentIndex(10); // November: no mark
        for (int k = 0; k < FrmCal::dayCells; ++k)
            QCOMPARE(back(cal->Label1[k]), palette::color(15));
        QCOMPARE(cal->Label1[5]->text(), QStringLiteral("1")); // 1 November 2030 is a Friday
    }

    void yearsRunFrom1964To2099() {
        auto cal = openCalendar(*t, regional::dateText(QDate(2099, 2, 1)));
        QCOMPARE(cal->HScroll1->minimum(), 1964);
        QCOMPARE(cal->HScroll1->maximum(), 2099);
        QCOMPARE(cal->HScroll1->orientation(), Qt::Horizontal);
        cal->HScroll1->setValue(2100); // February 2100 cannot be shown
        QCOMPARE(cal->lblyear->text(), QStringLiteral("2099"));
        cal->HScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(cal->lblyear->text(), QStringLiteral("2098"));
    }

    void textsFollowTheLanguage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QStringList>("months");
        QTest::addColumn<QStringList>("headings");
        QTest::newRow("English") << 0 << "current: " << QStringList{"January", "February", "March",
                                                                    "April",   "May",      "June",
                                                                    "July",    "August",   "September",
                                                                    "October", "November", "December"}
                                 << QStringList{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
        QTest::newRow("German") << 1
                                << "momentan: " << QStringList{"Januar",    "Februar", "März",     "April",
                                                               "Mai",       "Juni",    "Juli",     "August",
                                                               "September", "Oktober", "November", "Dezember"}
                                << QStringList{"Son", "Mon", "Die", "Mit", "Don", "Fre", "Sam"};
    }
    void textsFollowTheLanguage() {
        QFETCH(int, language);
        QFETCH(QString, prefix);
        QFETCH(QStringList, months);
        QFETCH(QStringList, headings);
        t->state().language = qint16(language);
        const QString start = regional::dateText(QDate(1996, 9, 1));
        auto cal = openCalendar(*t, start);
        QCOMPARE(cal->objectName(), QStringLiteral("frmcal"));
        QCOMPARE(cal->windowTitle(), prefix + start);
        QCOMPARE(t->state().monthnames, months);
        QStringList items, shown;
        for (int i = 0; i < cal->cbomonth->count(); ++i)
            items << cal->cbomonth->itemText(i);
        QCOMPARE(items, months);
        for (int c = 0; c < 7; ++c)
            shown << cal->Label1[37 + c]->text();
        QCOMPARE(shown, headings);
        QVERIFY(!cal->cbomonth->isEditable());
    }

    // A start date the calendar cannot read or show opens it on today.
    void unusableStartDateOpensOnToday_data() {
        QTest::addColumn<QString>("startdate");
        QTest::newRow("empty") << "";
        QTest::newRow("not a date") << "next week";
        QTest::newRow("before 1964") << regional::dateText(QDate(1963, 12, 31));
        QTest::newRow("after 2099") << regional::dateText(QDate(2100, 2, 1));
        QTest::newRow("zero date") << "00:00:00";
    }
    void unusableStartDateOpensOnToday() {
        QFETCH(QString, startdate);
        auto cal = openCalendar(*t, startdate);
        QCOMPARE(cal->startDay(), today);
        QCOMPARE(cal->lblyear->text(), QStringLiteral("2026"));
        QCOMPARE(cal->cbomonth->currentIndex(), 11);
        QCOMPARE(cal->windowTitle(), QStringLiteral("current: ") + regional::dateText(today));
        QCOMPARE(cal->Label1[25]->text(), QStringLiteral("24")); // December 2026 begins on a Tuesday
        QCOMPARE(back(cal->Label1[25]), palette::color(12));
    }

    void clickOnADayPicksItAndCloses() {
        t->state().datepicked = true; // from an earlier opening
        auto cal = std::make_unique<FrmCal>(*t->app);
        cal->startdate = regional::dateText(QDate(1996, 9, 1));
        cal->show(); // runs the opening steps
        QVERIFY(!t->state().datepicked);
        cal->cbomonth->setCurrentIndex(2);
        cal->HScroll1->setValue(1998); // March 1998 begins on a Sunday
        QTest::mouseClick(cal->Label1[6], Qt::LeftButton);
        QVERIFY(t->state().datepicked);
        QCOMPARE(t->state().pickeddate, QDate(1998, 3, 7));
        QVERIFY(!cal->isVisible());
    }

    // Keyboard users: arrows move a day cursor across months and years, Return picks, Escape does not.
    void keyboardPicks_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QDate>("picked"); // null: closed without a pick
        using K = QList<int>;
        QTest::newRow("start day") << K{Qt::Key_Return} << QDate(2026, 12, 24);
        QTest::newRow("next day") << K{Qt::Key_Right, Qt::Key_Space} << QDate(2026, 12, 25);
        QTest::newRow("a week on") << K{Qt::Key_Down, Qt::Key_Return} << QDate(2026, 12, 31);
        QTest::newRow("into the next year")
            << K{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return} << QDate(2027, 1, 7);
        QTest::newRow("month back, end")
            << K{Qt::Key_PageUp, Qt::Key_End, Qt::Key_Enter} << QDate(2026, 11, 30);
        QTest::newRow("year on, home")
            << K{int(Qt::ControlModifier) | Qt::Key_PageDown, Qt::Key_Home, Qt::Key_Return}
            << QDate(2027, 12, 1);
        QTest::newRow("escape") << K{Qt::Key_Left, Qt::Key_Escape} << QDate();
    }
    void keyboardPicks() {
        QFETCH(QList<int>, keys);
        QFETCH(QDate, picked);
        auto cal = std::make_unique<FrmCal>(*t->app);
        cal->startdate = regional::dateText(QDate(2026, 12, 24));
        cal->show();
        for (int key : keys)
            QTest::keyClick(cal.get(), Qt::Key(key & ~int(Qt::KeyboardModifierMask)),
                            Qt::KeyboardModifiers(key & int(Qt::KeyboardModifierMask)));
        QVERIFY(!cal->isVisible());
        QCOMPARE(t->state().datepicked, picked.isValid());
        if (picked.isValid())
            QCOMPARE(t->state().pickeddate, picked);
    }

    // Every other label, and a release of a mouse button over the background, closes without a pick;
    // the year label, the list and the scroll bar do not close it.
    void closingWithoutAPick_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("closes");
        QTest::newRow("heading") << "Label1_40" << true;
        QTest::newRow("empty cell") << "Label1_36" << true;
        QTest::newRow("background") << "frmcal" << true;
        QTest::newRow("right button on a day") << "right Label1_10" << false;
        QTest::newRow("year label") << "lblyear" << false;
        QTest::newRow("scroll bar") << "HScroll1" << false;
    }
    void closingWithoutAPick() {
        QFETCH(QString, target);
        QFETCH(bool, closes);
        auto cal = std::make_unique<FrmCal>(*t->app);
        cal->startdate = regional::dateText(QDate(1996, 9, 1));
        cal->show();
        const bool right = target.startsWith(u"right ");
        const QString name = right ? target.mid(6) : target;
        QWidget* w = name == cal->objectName() ? cal.get() : cal->findChild<QWidget*>(name);
        QVERIFY(w);
        // A spot of the background that no control covers: between the list and the year.
        const QPoint at = w == cal.get()
                              ? QPoint(cal->cbomonth->geometry().right() + 2, cal->lblyear->y() + 2)
                              : w->rect().center();
        QVERIFY(w != cal.get() || cal->childAt(at) == nullptr ||
                cal->childAt(at)->objectName().startsWith(u"Shape"));
        QTest::mouseClick(w, right ? Qt::RightButton : Qt::LeftButton, {}, at);
        QCOMPARE(!cal->isVisible(), closes);
        QVERIFY(!t->state().datepicked);
    }
};

ZOVUZOR_TEST_MAIN(TestAlarmCalendar)
#include "tst_alarm_calendar.moc"
