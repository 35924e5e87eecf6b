#include "frmabout.h"

#include "tray/app.h"
#include "tray/windowhelpers.h"

#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

FrmAbout::FrmAbout(App& app, QWidget* parent)
    : TopmostDialog(app, OnClose::RestoreOnTopNotes, parent), m_app(app) {
    setObjectName(QStringLiteral("frmabout"));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command1->setFocus();

    auto* top = new QVBoxLayout(this);
    top->addWidget(Label1);
    top->addWidget(Command1, 0, Qt::AlignHCenter);
    top->setSizeConstraint(QLayout::SetFixedSize);
    Label1->setMinimumWidth(fontMetrics().averageCharWidth() * 34);

    connect(Command1, &QPushButton::clicked, this, &FrmAbout::onCommand1Clicked);

    const auto& s = m_app.state;
    setWindowTitle(s.text(10, 12));
    Label1->setText(labelText(s.text(11, 13)));
    adjustSize();
    centreOnScreen(this);
}

FrmAbout::~FrmAbout() = default;

std::array<int, 3> FrmAbout::versionNumbers() {
    QFile record(QStringLiteral(":/version.txt"));
    if (record.open(QIODevice::ReadOnly)) {
        static const QRegularExpression form(QStringLiteral("^\\s*(\\d+)\\.(\\d+)\\.(\\d+)\\s*$"));
        const QString line = QString::fromUtf8(record.readLine());
        const QRegularExpressionMatch m = form.match(line);
        if (m.hasMatch())
            return {m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()};
    }
    // The numbers the program was built with.
    return {ZOVUZOR_VERSION_MAJOR, ZOVUZOR_VERSION_MINOR, ZOVUZOR_VERSION_PATCH};
}

QString FrmAbout::labelText(const QString& authorWord) {
    const QString crlf = QStringLiteral("\r\n");
    const auto v = versionNumbers();
    return crlf + authorWord + u' ' + authorName + crlf + contactAddress + crlf + crlf +
           QStringLiteral("Version %1.%2.%3 / September '96").arg(v[0]).arg(v[1]).arg(v[2]);
}

void FrmAbout::onCommand1Clicked() {
    accept();
}
