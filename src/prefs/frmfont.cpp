#include "frmfont.h"

#include "busycursor.h"
#include "core/strings.h"
#include "core/values.h"
#include "frmset.h"
#include "note/paplet.h"
#include "tray/app.h"
#include "tray/windowhelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

// The largest point size the picker hands to the notes: beyond it a note would be unusable.
constexpr double maxPointSize = 1638;

bool fontNameLess(const QString& a, const QString& b) {
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

} // namespace

FrmFont::FrmFont(App& app, FrmSet* owner, QWidget* parent)
    : TopmostDialog(app, OnClose::LeaveNotes, parent ? parent : owner), m_app(app), m_owner(owner) {
    setObjectName(QStringLiteral("frmfont"));
    setWindowTitle(QStringLiteral("select font"));

    Label1 = new QLabel(QStringLiteral("Font:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    cbofonts = new QComboBox(this);
    cbofonts->setObjectName(QStringLiteral("cbofonts"));
    cbofonts->setEditable(false);
    Label2 = new QLabel(QStringLiteral("Size"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    cboftsize = new QComboBox(this);
    cboftsize->setObjectName(QStringLiteral("cboftsize"));
    cboftsize->setEditable(true);
    cboftsize->setInsertPolicy(QComboBox::NoInsert);
    cboftsize->addItems({QStringLiteral("6"), QStringLiteral("8"), QStringLiteral("10"), QStringLiteral("12"),
                         QStringLiteral("14")});
    chkbold = new QCheckBox(QStringLiteral("bold"), this);
    chkbold->setObjectName(QStringLiteral("chkbold"));
    chkitalic = new QCheckBox(QStringLiteral("italic"), this);
    chkitalic->setObjectName(QStringLiteral("chkitalic"));
    cmdok = new QPushButton(QStringLiteral("OK"), this);
    cmdok->setObjectName(QStringLiteral("cmdok"));
    cmdcancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdcancel->setObjectName(QStringLiteral("cmdcancel"));
    cmdok->setAutoDefault(false);
    cmdcancel->setAutoDefault(false);
    cmdok->setDefault(true);
    // Until the list is filled there is nothing to confirm.
    cmdok->setEnabled(false);
    Label1->setBuddy(cbofonts);
    Label2->setBuddy(cboftsize);

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(cbofonts, 0, 1, 1, 3);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(cboftsize, 1, 1);
    grid->addWidget(chkbold, 1, 2);
    grid->addWidget(chkitalic, 1, 3);
    grid->setColumnStretch(3, 1);
    cbofonts->setMinimumWidth(fontMetrics().averageCharWidth() * 32);
    cboftsize->setMinimumWidth(fontMetrics().averageCharWidth() * 8);
    auto* buttons = centredButtonRow({cmdok, cmdcancel});
    auto* top = new QVBoxLayout(this);
    top->addLayout(grid);
    top->addLayout(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);

    // The font list first, as designed.
    QWidget::setTabOrder(cbofonts, cmdcancel);
    QWidget::setTabOrder(cmdcancel, cmdok);
    QWidget::setTabOrder(cmdok, chkbold);
    QWidget::setTabOrder(chkbold, chkitalic);
    QWidget::setTabOrder(chkitalic, cboftsize);
    cbofonts->setFocus();

    connect(cmdok, &QPushButton::clicked, this, &FrmFont::onCmdokClicked);
    connect(cmdcancel, &QPushButton::clicked, this, &FrmFont::onCmdcancelClicked);

    opening();
}

FrmFont::~FrmFont() = default;

void FrmFont::opening() {
    m_busy = std::make_unique<BusyCursor>();
    if (m_app.state.german()) {
        setWindowTitle(getresstring(160));
        Label2->setText(getresstring(161));
        chkbold->setText(getresstring(162));
        chkitalic->setText(getresstring(163));
        cmdcancel->setText(getresstring(164));
    }
    adjustSize();
    centreOnScreen(this);
}

void FrmFont::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Let the dialog be drawn first; the list is filled from the event loop right after.
    if (!m_filled && !m_fillQueued) {
        m_fillQueued = true;
        QMetaObject::invokeMethod(this, &FrmFont::fillLists, Qt::QueuedConnection);
    }
}

void FrmFont::fillLists() {
    if (m_filled)
        return;
    m_filled = true;
    if (isVisible())
        QCoreApplication::processEvents();

    const AppState& s = m_app.state;
    QStringList families = QFontDatabase::families();
    // Faces the system keeps for its own use are not offered.
    families.removeIf([](const QString& f) { return QFontDatabase::isPrivateFamily(f); });
    std::sort(families.begin(), families.end(), fontNameLess);
    families.erase(std::unique(families.begin(), families.end()), families.end());
    cbofonts->addItems(families);

    int at = cbofonts->findText(s.font, Qt::MatchFixedString);
    if (at < 0 && !s.font.trimmed().isEmpty()) {
        // A face this screen does not have (a store brought from another machine, a removed font) stays
        // listed, so that OK without a change keeps it; the notes show the nearest face meanwhile.
        const auto pos = std::lower_bound(families.cbegin(), families.cend(), s.font, fontNameLess);
        at = int(pos - families.cbegin());
        cbofonts->insertItem(at, s.font);
    }
    if (at < 0)
        at = cbofonts->findText(QFontInfo(QApplication::font()).family(), Qt::MatchFixedString);
    cbofonts->setCurrentIndex(std::max(at, 0));
    cboftsize->setEditText(s.fontsize);

    chkitalic->setChecked(s.fontitalic != 0);
    chkbold->setChecked(s.fontboldOn());

    cmdok->setEnabled(true);
    m_busy.reset();
}

bool FrmFont::usableSize(const QString& size) {
    const auto n = values::number(size);
    return n && std::isfinite(*n) && *n > 0 && *n <= maxPointSize;
}

void FrmFont::onCmdokClicked() {
    fillLists();
    AppState& s = m_app.state;
    s.font = cbofonts->currentText();
    // A size the notes cannot take keeps the size they have, and is not stored.
    const QString size = cboftsize->currentText();
    if (usableSize(size))
        s.fontsize = size;
    s.fontbold = chkbold->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    s.fontitalic = chkitalic->isChecked() ? 1 : 0;

    if (m_owner) {
        QString description = s.font;
        if (s.fontboldOn())
            description += u' ' + chkbold->text();
        if (s.fontitalic != 0)
            description += u' ' + chkitalic->text();
        description += u' ' + s.fontsize + QStringLiteral(" pt");
        m_owner->lblfont->setText(description);
    }

    for (int n = 1; n <= s.notecount; ++n) {
        Paplet* p = s.note(n);
        if (p && !p->deletedflag)
            p->applyNoteFont(s);
    }
    accept();
}

void FrmFont::onCmdcancelClicked() {
    reject();
}
