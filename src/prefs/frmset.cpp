#include "frmset.h"

#include "busycursor.h"
#include "core/palette.h"
#include "core/values.h"
#include "frmfont.h"
#include "frmwave.h"
#include "note/paplet.h"
#include "tray/app.h"
#include "tray/frmmain.h"
#include "tray/windowhelpers.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A small colour sample for each list entry, drawn for plain and high-density screens alike.
QIcon swatch(const QColor& c) {
    QIcon icon;
    for (int side : {16, 32, 48}) {
        QPixmap pm(side, side);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        const int margin = side / 8;
        const QRect r(margin, margin, side - 2 * margin - 1, side - 2 * margin - 1);
        p.fillRect(r, c);
        p.setPen(QColor(96, 96, 96));
        p.drawRect(r);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

// The index text the dialog itself would write for this entry; any other stored text is left alone until
// the user picks an entry, so an unusual stored value is never silently replaced.
bool storedAsIndex(const QString& stored, int index) {
    return stored.trimmed() == QString::number(index);
}

} // namespace

FrmSet::FrmSet(App& app, QWidget* parent)
    : TopmostDialog(app, OnClose::RestoreOnTopNotes, parent), m_app(app) {
    setObjectName(QStringLiteral("frmset"));
    buildControls();
    opening();
}

FrmSet::~FrmSet() = default;

QStringList FrmSet::colorNames(bool german) {
    if (german)
        return {QStringLiteral("schwarz"),  QStringLiteral("blau"),        QStringLiteral("grün"),
                QStringLiteral("cyan"),     QStringLiteral("rot"),         QStringLiteral("magenta"),
                QStringLiteral("gelb"),     QStringLiteral("weiss"),       QStringLiteral("grau"),
                QStringLiteral("hellblau"), QStringLiteral("hellgrün"),    QStringLiteral("hellcyan"),
                QStringLiteral("hellrot"),  QStringLiteral("hellmagenta"), QStringLiteral("hellgelb"),
                QStringLiteral("hellweiss")};
    return {QStringLiteral("black"),       QStringLiteral("blue"),          QStringLiteral("green"),
            QStringLiteral("cyan"),        QStringLiteral("red"),           QStringLiteral("magenta"),
            QStringLiteral("yellow"),      QStringLiteral("white"),         QStringLiteral("gray"),
            QStringLiteral("light blue"),  QStringLiteral("light green"),   QStringLiteral("light cyan"),
            QStringLiteral("light red"),   QStringLiteral("light magenta"), QStringLiteral("light yellow"),
            QStringLiteral("bright white")};
}

void FrmSet::fillColorList(QComboBox* list, bool german) {
    list->clear();
    const QStringList names = colorNames(german);
    for (int i = 0; i < names.size(); ++i)
        list->addItem(swatch(palette::color(i)), names.at(i));
}

void FrmSet::buildControls() {
    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };

    Frame1 = new QGroupBox(this);
    named(Frame1, "Frame1");
    Label1 = new QLabel(Frame1);
    named(Label1, "Label1");
    cbobackcolor = new QComboBox(Frame1);
    named(cbobackcolor, "cbobackcolor");
    Label2 = new QLabel(Frame1);
    named(Label2, "Label2");
    cboforecolor = new QComboBox(Frame1);
    named(cboforecolor, "cboforecolor");
    Label3 = new QLabel(QStringLiteral("Font"), Frame1);
    named(Label3, "Label3");
    lblfont = new QLineEdit(Frame1);
    named(lblfont, "lblfont");
    cmdfont = new QPushButton(QStringLiteral("Font..."), Frame1);
    named(cmdfont, "cmdfont");

    Frame2 = new QGroupBox(this);
    named(Frame2, "Frame2");
    Label5 = new QLabel(Frame2);
    named(Label5, "Label5");
    cbolang = new QComboBox(Frame2);
    named(cbolang, "cbolang");
    Label4 = new QLabel(QStringLiteral("Sound"), Frame2);
    named(Label4, "Label4");
    lblwave = new QLineEdit(Frame2);
    named(lblwave, "lblwave");
    cmdwave = new QPushButton(QStringLiteral("Wave..."), Frame2);
    named(cmdwave, "cmdwave");
    chkrwave = new QCheckBox(Frame2);
    named(chkrwave, "chkrwave");
    chkconfirm = new QCheckBox(Frame2);
    named(chkconfirm, "chkconfirm");

    cmdok = new QPushButton(QStringLiteral("OK"), this);
    named(cmdok, "cmdok");
    cmdcancel = new QPushButton(this);
    named(cmdcancel, "cmdcancel");

    fillColorList(cbobackcolor, false);
    fillColorList(cboforecolor, false);
    cbolang->addItem(QStringLiteral("English"));
    cbolang->addItem(QStringLiteral("Deutsch"));
    for (QLineEdit* field : {lblfont, lblwave}) {
        field->setReadOnly(true);
        // A long path or face name is cut in the field; the tip shows it whole.
        connect(field, &QLineEdit::textChanged, field, [field](const QString& t) {
            field->setToolTip(t);
            field->setCursorPosition(0);
        });
    }
    for (QPushButton* b : {cmdfont, cmdwave, cmdok, cmdcancel})
        b->setAutoDefault(false);
    cmdok->setDefault(true);

    // Arranged as designed: colours and font above, language and sound below, the two buttons at the foot.
    auto* g1 = new QGridLayout(Frame1);
    g1->addWidget(Label1, 0, 0);
    g1->addWidget(Label2, 0, 1);
    g1->addWidget(cbobackcolor, 1, 0);
    g1->addWidget(cboforecolor, 1, 1);
    g1->addWidget(Label3, 2, 0, 1, 2);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(lblfont, 1);
    fontRow->addWidget(cmdfont);
    g1->addLayout(fontRow, 3, 0, 1, 2);

    auto* g2 = new QGridLayout(Frame2);
    g2->addWidget(Label5, 0, 0);
    g2->addWidget(cbolang, 1, 0);
    g2->addWidget(Label4, 2, 0, 1, 2);
    auto* waveRow = new QHBoxLayout;
    waveRow->addWidget(lblwave, 1);
    waveRow->addWidget(cmdwave);
    g2->addLayout(waveRow, 3, 0, 1, 2);
    g2->addWidget(chkrwave, 4, 0, 1, 2);
    g2->addWidget(chkconfirm, 5, 0, 1, 2);
    g2->setColumnStretch(1, 1);

    auto* buttons = centredButtonRow({cmdok, cmdcancel});

    auto* top = new QVBoxLayout(this);
    top->addWidget(Frame1);
    top->addWidget(Frame2);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);
    lblfont->setMinimumWidth(fontMetrics().averageCharWidth() * 28);
    lblwave->setMinimumWidth(fontMetrics().averageCharWidth() * 28);
    cbolang->setMinimumWidth(cbobackcolor->sizeHint().width());

    // OK first, so that it has the focus when the dialog opens.
    QWidget::setTabOrder(cmdok, cmdcancel);
    QWidget::setTabOrder(cmdcancel, cbobackcolor);
    QWidget::setTabOrder(cbobackcolor, cboforecolor);
    QWidget::setTabOrder(cboforecolor, cmdfont);
    QWidget::setTabOrder(cmdfont, cbolang);
    QWidget::setTabOrder(cbolang, cmdwave);
    QWidget::setTabOrder(cmdwave, chkconfirm);
    QWidget::setTabOrder(chkconfirm, chkrwave);
    QWidget::setTabOrder(chkrwave, lblfont);
    QWidget::setTabOrder(lblfont, lblwave);
    cmdok->setFocus();

    connect(cbobackcolor, &QComboBox::activated, this, &FrmSet::onCbobackcolorActivated);
    connect(cboforecolor, &QComboBox::activated, this, &FrmSet::onCboforecolorActivated);
    connect(cbolang, &QComboBox::activated, this, &FrmSet::onCbolangActivated);
    connect(chkconfirm, &QCheckBox::clicked, this, &FrmSet::onChkconfirmClicked);
    connect(chkrwave, &QCheckBox::clicked, this, &FrmSet::onChkrwaveClicked);
    connect(cmdok, &QPushButton::clicked, this, &FrmSet::onCmdokClicked);
    connect(cmdcancel, &QPushButton::clicked, this, &FrmSet::onCmdcancelClicked);
    connect(cmdfont, &QPushButton::clicked, this, &FrmSet::onCmdfontClicked);
    connect(cmdwave, &QPushButton::clicked, this, &FrmSet::onCmdwaveClicked);
}

void FrmSet::opening() {
    BusyCursor busy;
    AppState& s = m_app.state;

    setOpeningTexts();
    if (s.german()) {
        fillColorList(cbobackcolor, true);
        fillColorList(cboforecolor, true);
    }

    // Selecting the stored entries runs the handlers as the user's selection would. A stored value the
    // lists cannot show (a colour outside the palette, an unknown language) shows the entry in force and
    // stays stored as it is until the user picks an entry.
    const int back = s.backcolorIndex();
    cbobackcolor->setCurrentIndex(back);
    if (storedAsIndex(s.backcolor, back))
        onCbobackcolorActivated(back);
    else
        applyBackcolor(back);

    const int fore = s.forecolorIndex();
    cboforecolor->setCurrentIndex(fore);
    if (storedAsIndex(s.forecolor, fore))
        onCboforecolorActivated(fore);
    else
        applyForecolor(fore);

    const int lang = s.german() ? 1 : 0;
    cbolang->setCurrentIndex(lang);
    if (s.language == lang) {
        onCbolangActivated(lang);
    } else {
        setLanguageTexts();
    }

    showFontDescription();

    if (s.confirmdeleteOn()) {
        chkconfirm->setChecked(true);
        onChkconfirmClicked();
    }
    if (s.repeatwave) {
        chkrwave->setChecked(true);
        onChkrwaveClicked();
    }

    busy.restore();

    if (s.wavedevs == 0) {
        cmdwave->setEnabled(false);
        chkrwave->setEnabled(false);
        lblwave->setText(QStringLiteral("none"));
    } else {
        lblwave->setText(s.wave);
    }

    adjustSize();
    centreOnScreen(this);
}

void FrmSet::setOpeningTexts() {
    const AppState& s = m_app.state;
    setWindowTitle(s.text(80, 90));
    Frame1->setTitle(s.text(81, 91));
    Frame2->setTitle(s.text(82, 92));
    Label1->setText(s.text(83, 93));
    Label2->setText(s.text(84, 94));
    Label5->setText(s.text(85, 95));
    chkconfirm->setText(s.text(86, 96));
    cmdcancel->setText(s.text(87, 97));
    chkrwave->setText(s.text(102, 103));
    italicstr = s.text(88, 100);
    boldstr = s.text(89, 101);
}

void FrmSet::setLanguageTexts() {
    setOpeningTexts();
    AppState& s = m_app.state;
    showallstr = s.text(210, 220);
    hideallstr = s.text(32, 42);
    s.ontoptext = s.text(36, 46);
    s.notontoptext = s.text(37, 47);
}

QString FrmSet::fontDescription(const AppState& s, const QString& boldWord, const QString& italicWord) {
    QString d = s.font;
    if (s.fontboldOn())
        d += boldWord;
    if (s.fontitalic != 0)
        d += italicWord;
    return d + u' ' + s.fontsize + QStringLiteral(" pt");
}

void FrmSet::showFontDescription() {
    lblfont->setText(fontDescription(m_app.state, boldstr, italicstr));
}

void FrmSet::applyBackcolor(int index) {
    const AppState& s = m_app.state;
    const QColor c = palette::color(index);
    for (int n = 1; n <= s.notecount; ++n) {
        Paplet* p = s.note(n);
        if (p && !p->deletedflag)
            p->setTextBackColor(c);
    }
}

void FrmSet::applyForecolor(int index) {
    const AppState& s = m_app.state;
    const QColor c = palette::color(index);
    for (int n = 1; n <= s.notecount; ++n) {
        Paplet* p = s.note(n);
        if (p && !p->deletedflag)
            p->setTextForeColor(c);
    }
}

void FrmSet::onCbobackcolorActivated(int index) {
    if (index < 0)
        return;
    applyBackcolor(index);
    m_app.state.backcolor = QString::number(index);
}

void FrmSet::onCboforecolorActivated(int index) {
    if (index < 0)
        return;
    applyForecolor(index);
    m_app.state.forecolor = QString::number(index);
}

void FrmSet::onCbolangActivated(int index) {
    if (index < 0)
        return;
    m_app.state.language = qint16(index);
    setLanguageTexts();
    showFontDescription();
}

void FrmSet::onChkconfirmClicked() {
    m_app.state.confirmdelete = values::flagText(chkconfirm->isChecked());
}

void FrmSet::onChkrwaveClicked() {
    m_app.state.repeatwave = chkrwave->isChecked();
}

void FrmSet::onCmdokClicked() {
    AppState& s = m_app.state;
    FrmMain& fm = m_app.frmmain();
    fm.loadlanguagedetails();

    const QColor back = palette::color(cbobackcolor->currentIndex());
    for (int n = 1; n <= s.notecount; ++n) {
        Paplet* p = s.note(n);
        if (!p || p->deletedflag)
            continue;
        if (p->text().isEmpty()) {
            // The caption bar is repainted from captstr, so an empty note takes the new word there too;
            // otherwise the next repaint would bring back the old language.
            p->captstr = s.untitledtext;
            p->setcaption();
            if (QAction* entry = fm.listpaplets.value(n))
                entry->setText(s.untitledtext);
        }
        p->setTextBackColor(back);
    }

    if (fm.hideall)
        fm.hideall->setText(s.allhiddenflag ? showallstr : hideallstr);
    accept();
}

void FrmSet::onCmdcancelClicked() {
    reject();
}

void FrmSet::onCmdfontClicked() {
    FrmFont picker(m_app, this);
    picker.exec();
}

void FrmSet::onCmdwaveClicked() {
    FrmWave picker(m_app, this);
    picker.exec();
}
