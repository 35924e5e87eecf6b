// The note window: its controls, layout, caption, activation, keys and deletion.
#include "paplet.h"

#include "notewidgets.h"

#include "core/twips.h"
#include "tray/app.h"
#include "tray/frmmain.h"
#include "tray/windowhelpers.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>
#include <cmath>

namespace {
constexpr double clientWidthTw = 2040;
constexpr double clientHeightTw = 1290;
constexpr double captionHeightTw = 270;
// The caption bar's pictures are 16 x 14 pixel tiles, two pixels in from the top.
constexpr QSize imageSize(16, 14);
constexpr int imageTop = 2;
// Outer positions beyond what a window system can place (X11 keeps 16-bit coordinates), and sizes beyond
// any screen, come only from a damaged store: keep them within reach.
constexpr double maxPositionPx = 30000;
constexpr double maxSizePx = 16000;

CaptionBar* bar(QWidget* w) {
    return static_cast<CaptionBar*>(w);
}

// Twips to pixels, for values that may come from a hand-edited store.
int toPixels(double tw, double perPixel, double lo, double hi) {
    if (!std::isfinite(tw))
        return 0;
    return int(std::lround(std::clamp(tw / perPixel, lo, hi)));
}

// A note caption as a menu entry shows it: "&" is no access key there, and a tab no shortcut column.
QString menuText(QString caption) {
    caption.replace(u'&', QStringLiteral("&&"));
    caption.replace(u'\t', u' ');
    return caption;
}

Qt::CursorShape cursorFor(Qt::Edges e) {
    const bool l = e & Qt::LeftEdge, r = e & Qt::RightEdge, t = e & Qt::TopEdge, b = e & Qt::BottomEdge;
    if ((t && l) || (b && r))
        return Qt::SizeFDiagCursor;
    if ((t && r) || (b && l))
        return Qt::SizeBDiagCursor;
    if (l || r)
        return Qt::SizeHorCursor;
    if (t || b)
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}
} // namespace

Paplet::Paplet(App& app) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_app(app) {
    setObjectName(QStringLiteral("paplet"));
    setMouseTracking(true); // the frame shows resize cursors
    setAutoFillBackground(true);

    twipsx = twips::perPixelX();
    twipsy = qint16(std::lround(twips::perPixelY()));

    auto* caption = new CaptionBar(this);
    caption->setObjectName(QStringLiteral("picCaption"));
    caption->setCursor(Qt::ArrowCursor);
    QFont captionFont = QApplication::font();
    captionFont.setPointSizeF(8.25);
    captionFont.setBold(true);
    caption->setFont(captionFont);
    caption->resize(caption->width(), twips::toPixelsY(captionHeightTw));
    caption->installEventFilter(this);
    picCaption = caption;

    auto image = [&](const char* name, const char* file, QPoint at) {
        auto* img =
            new SvgImage(QStringLiteral(":/icons/note/%1").arg(QLatin1String(file)), imageSize, caption);
        img->setObjectName(QLatin1String(name));
        img->move(at);
        img->installEventFilter(this);
        return img;
    };
    Image2 = image("Image2", "note.svg", {2, imageTop});
    imgRollup[0] = image("imgRollup0", "rollup.svg", {56, imageTop});
    imgRollup[1] = image("imgRollup1", "rolldown.svg", {56, imageTop});
    // The raised cross lies in front of the sunken one: hiding it shows the button held down. Both sit at
    // the same place so that the button does not jump when pressed.
    imgClose[0] = image("imgClose0", "close-pressed.svg", {74, imageTop});
    imgClose[1] = image("imgClose1", "close.svg", {74, imageTop});

    auto* edit = new NoteTextEdit(maxTextLength, this);
    edit->setObjectName(QStringLiteral("txtpaplet"));
    edit->setFrameShape(QFrame::NoFrame);
    edit->setCursor(Qt::ArrowCursor); // its scroll bars; the text area keeps its I-beam
    QFont textFont = QApplication::font();
    textFont.setPointSizeF(9.75);
    edit->setFont(textFont);
    edit->onBeep = [this] { beep(); };
    edit->installEventFilter(this);
    txtpaplet = edit;
    setTextBackColor(QColor(255, 255, 0));
    setTextForeColor(QColor(0, 0, 0));
    connect(edit, &QPlainTextEdit::textChanged, this, &Paplet::onTxtpapletChanged);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(20000);
    Timer1->setTimerType(Qt::CoarseTimer);
    connect(Timer1, &QTimer::timeout, this, &Paplet::onTimer1Tick);
    Timer1->start();

    // Load: the designed size, centred, not deleted, no window caption, the first layout.
    resize(toPixels(designWidthTw(), twips::perPixelX(), 0, maxSizePx),
           toPixels(designHeightTw(), twips::perPixelY(), 0, maxSizePx));
    setMinimumSize(minWidthPx(), minHeightPx());
    centreOnScreen(this);
    deletedflag = false;
    setWindowTitle(QString());
    // A note that has not been active yet looks like one that is no longer active.
    applyCaptionColors(false);
    layoutNote();
    keepOutOfTaskbar(this);
    txtpaplet->setFocus();
}

Paplet::~Paplet() = default;

// ---- caption ----

QString Paplet::captionFor(const QString& text, const QString& untitled) {
    if (text.isEmpty())
        return untitled;
    const bool cut = text.size() > 30;
    QString taken = cut ? text.left(30) : text;
    if (cut && taken.back().isHighSurrogate())
        taken.chop(1); // never half a character
    QString result;
    result.reserve(taken.size() + 3);
    for (qsizetype i = 0; i < taken.size(); ++i) {
        const QChar c = taken.at(i);
        if (c != u'\n' && c != u'\r') {
            result += c;
        } else {
            ++i; // the line feed of a CR LF pair
            result += u' ';
        }
    }
    if (cut)
        result += QStringLiteral("...");
    return result;
}

QString Paplet::getcaption() {
    // The text box keeps a line break as one LF; the caption rule counts and folds it as the CR LF pair it
    // stands for, so that a lone LF never swallows the first letter of the next line.
    QString t = txtpaplet->toPlainText();
    t.replace(u'\n', QStringLiteral("\r\n"));
    const QString result = captionFor(t, m_app.state.untitledtext);
    const int n = notetag.toInt();
    if (n >= 1 && m_app.frmmainLoaded()) {
        if (QAction* entry = m_app.frmmain().listpaplets.value(n))
            entry->setText(menuText(result));
    }
    return result;
}

void Paplet::setcaption() {
    bar(picCaption)->setCaptionText(captstr);
}

void Paplet::onTxtpapletChanged() {
    captstr = getcaption();
    setcaption();
}

QString Paplet::text() const {
    return txtpaplet->toPlainText();
}

void Paplet::setText(const QString& text) {
    // Text from the store is kept whole, even beyond what the keyboard may add.
    txtpaplet->setPlainText(text);
}

// ---- colours and font ----

void Paplet::setTextBackColor(const QColor& c) {
    QPalette tp = txtpaplet->palette();
    tp.setColor(QPalette::Base, c);
    txtpaplet->setPalette(tp);
    QPalette wp = palette();
    wp.setColor(QPalette::Window, c);
    setPalette(wp);
}

void Paplet::setTextForeColor(const QColor& c) {
    QPalette tp = txtpaplet->palette();
    tp.setColor(QPalette::Text, c);
    txtpaplet->setPalette(tp);
}

void Paplet::applyNoteFont(const AppState& s) {
    txtpaplet->setFont(s.noteFont(txtpaplet->font()));
}

void Paplet::applyCaptionColors(bool active) {
    // The title bar colours of the desktop: the palette's highlight pair stands for them.
    const QPalette pal = QApplication::palette();
    const auto group = active ? QPalette::Active : QPalette::Inactive;
    QColor back = pal.color(group, QPalette::Highlight);
    QColor fore = pal.color(group, QPalette::HighlightedText);
    if (!active && back == pal.color(QPalette::Active, QPalette::Highlight)) {
        // The style draws inactive selections like active ones: fall back to a quiet grey, so that the
        // active note still stands out.
        back = pal.color(QPalette::Inactive, QPalette::Dark);
        fore = pal.color(QPalette::Inactive, QPalette::Light);
    }
    bar(picCaption)->setColors(back, fore);
}

// ---- geometry ----

double Paplet::designWidthTw() {
    return clientWidthTw + twips::fromPixelsX(2 * framePx);
}

double Paplet::designHeightTw() {
    return clientHeightTw + twips::fromPixelsY(2 * framePx);
}

int Paplet::minHeightPx() const {
    return picCaption->height() + 8;
}

int Paplet::minWidthPx() const {
    return 4 * Image2->width();
}

double Paplet::minHeightTw() const {
    return twips::fromPixelsY(picCaption->height()) + 8 * twipsy;
}

bool Paplet::rolledUp() const {
    return height() <= minHeightPx();
}

double Paplet::leftTw() const {
    return twips::fromPixelsX(pos().x());
}

double Paplet::topTw() const {
    return twips::fromPixelsY(pos().y());
}

double Paplet::widthTw() const {
    return twips::fromPixelsX(width());
}

double Paplet::heightTw() const {
    return twips::fromPixelsY(height());
}

void Paplet::setLeftTw(double tw) {
    move(toPixels(tw, twips::perPixelX(), -maxPositionPx, maxPositionPx), pos().y());
}

void Paplet::setTopTw(double tw) {
    move(pos().x(), toPixels(tw, twips::perPixelY(), -maxPositionPx, maxPositionPx));
}

void Paplet::setWidthTw(double tw) {
    resize(toPixels(tw, twips::perPixelX(), 0, maxSizePx), height());
    if (!isVisible())
        layoutNote(); // a hidden window hears of its new size only when it is shown
}

void Paplet::setHeightTw(double tw) {
    resize(width(), toPixels(tw, twips::perPixelY(), 0, maxSizePx));
    if (!isVisible())
        layoutNote();
}

QRect Paplet::clientRect() const {
    return rect().adjusted(framePx, framePx, -framePx, -framePx);
}

void Paplet::layoutNote() {
    if (m_inLayout)
        return;
    m_inLayout = true;
    // The smallest note: four icons wide, the caption bar and eight pixels high.
    const int w = std::max(width(), minWidthPx());
    const int h = std::max(height(), minHeightPx());
    if (w != width() || h != height())
        resize(w, h);

    const QRect c = clientRect();
    const int captionHeight = picCaption->height();
    txtpaplet->setGeometry(c.left(), c.top() + captionHeight, std::max(0, c.width()),
                           std::max(0, c.height() - captionHeight));
    const int captionWidth = std::max(0, c.width());
    picCaption->setGeometry(c.left(), c.top(), captionWidth, captionHeight);
    // Close button right-aligned, the roll-up button two pixels to its left.
    const int x = captionWidth - 18;
    for (int i = 0; i < 2; ++i) {
        imgClose[i]->move(x, imgClose[i]->y());
        imgRollup[i]->move(x - 18, imgRollup[i]->y());
    }
    updateRollupImages();
    bar(picCaption)->setTextRange(Image2->geometry().right() + 4, imgRollup[0]->x() - 2);
    setcaption();
    m_inLayout = false;
}

void Paplet::updateRollupImages() {
    const bool up = rolledUp();
    imgRollup[0]->setVisible(!up);
    imgRollup[1]->setVisible(up);
}

void Paplet::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    layoutNote();
}

void Paplet::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor back = palette().color(QPalette::Window);
    p.fillRect(rect(), back);
    // A hairline round the sheet, so that two notes of one colour do not run into each other.
    p.setPen(back.lightness() < 80 ? back.lighter(250) : back.darker(160));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---- resizing by the frame ----

Qt::Edges Paplet::frameEdgesAt(QPoint p) const {
    constexpr int corner = 12;
    Qt::Edges e;
    if (p.x() < framePx)
        e |= Qt::LeftEdge;
    else if (p.x() >= width() - framePx)
        e |= Qt::RightEdge;
    if (p.y() < framePx)
        e |= Qt::TopEdge;
    else if (p.y() >= height() - framePx)
        e |= Qt::BottomEdge;
    if (e & (Qt::LeftEdge | Qt::RightEdge)) {
        if (p.y() < corner)
            e |= Qt::TopEdge;
        else if (p.y() >= height() - corner)
            e |= Qt::BottomEdge;
    }
    if (e & (Qt::TopEdge | Qt::BottomEdge)) {
        if (p.x() < corner)
            e |= Qt::LeftEdge;
        else if (p.x() >= width() - corner)
            e |= Qt::RightEdge;
    }
    return e;
}

void Paplet::mousePressEvent(QMouseEvent* e) {
    const Qt::Edges edges = frameEdgesAt(e->position().toPoint());
    if (e->button() != Qt::LeftButton || !edges) {
        QWidget::mousePressEvent(e);
        return;
    }
    e->accept();
    // The window manager resizes best (it knows the screen edges and other windows); where it cannot,
    // the note follows the pointer itself.
    if (windowHandle() && windowHandle()->startSystemResize(edges))
        return;
    m_resizeEdges = edges;
    m_resizeStart = e->globalPosition().toPoint();
    m_resizeGeometry = geometry();
}

void Paplet::mouseMoveEvent(QMouseEvent* e) {
    if (m_resizeEdges && (e->buttons() & Qt::LeftButton)) {
        const QPoint d = e->globalPosition().toPoint() - m_resizeStart;
        QRect r = m_resizeGeometry;
        if (m_resizeEdges & Qt::LeftEdge)
            r.setLeft(std::min(r.left() + d.x(), r.right() + 1 - minWidthPx()));
        if (m_resizeEdges & Qt::RightEdge)
            r.setRight(std::max(r.right() + d.x(), r.left() + minWidthPx() - 1));
        if (m_resizeEdges & Qt::TopEdge)
            r.setTop(std::min(r.top() + d.y(), r.bottom() + 1 - minHeightPx()));
        if (m_resizeEdges & Qt::BottomEdge)
            r.setBottom(std::max(r.bottom() + d.y(), r.top() + minHeightPx() - 1));
        setGeometry(r);
        e->accept();
        return;
    }
    if (e->buttons() == Qt::NoButton)
        setCursor(cursorFor(frameEdgesAt(e->position().toPoint())));
    QWidget::mouseMoveEvent(e);
}

void Paplet::mouseReleaseEvent(QMouseEvent* e) {
    if (m_resizeEdges && e->button() == Qt::LeftButton) {
        m_resizeEdges = {};
        e->accept();
        return;
    }
    QWidget::mouseReleaseEvent(e);
}

// ---- activation ----

bool Paplet::event(QEvent* e) {
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate)
        onActivate();
    else if (e->type() == QEvent::WindowDeactivate)
        onDeactivate();
    return handled;
}

void Paplet::updateTopitCaption(FrmMain& fm) {
    if (fm.topit)
        fm.topit->setText(topme ? m_app.state.notontoptext : m_app.state.ontoptext);
}

void Paplet::onActivate() {
    FrmMain& fm = m_app.frmmain();
    updateTopitCaption(fm);
    if (topme)
        settopmost(this);
    applyCaptionColors(true);
    setTextBackColor(txtpaplet->palette().color(QPalette::Base));
    if (txtpaplet->toPlainText().isEmpty())
        captstr = m_app.state.untitledtext;
    setcaption();
    m_app.state.activenote = notetag.toInt();
    emit activatedNote(m_app.state.activenote);
}

void Paplet::onDeactivate() {
    if (m_closePressed) {
        // The release will not come here any more: let the close button spring back.
        m_closePressed = false;
        if (QWindow* w = windowHandle())
            w->removeEventFilter(this);
        imgClose[1]->show();
    }
    applyCaptionColors(false);
    setcaption();
}

// ---- keys ----

void Paplet::beep() {
    m_app.sound().beep();
}

bool Paplet::filterTextKey(QKeyEvent* k) {
    if (k->key() == Qt::Key_F4 && k->modifiers() == Qt::AltModifier) {
        onAltF4();
        return true;
    }
    const QString typed = k->text();
    const bool lineBreak = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
    const bool inserts = lineBreak || (!typed.isEmpty() && (typed.at(0).isPrint() || typed.at(0) == u'\t'));
    if (!inserts)
        return false; // backspace, delete, moving and shortcuts always work
    // A full note takes no more characters, not even in place of a selection.
    const qsizetype adds = std::max<qsizetype>(1, typed.size());
    if (txtpaplet->toPlainText().size() + adds > maxTextLength) {
        beep();
        return true;
    }
    if (typed.contains(u'@'))
        return true;
    return false;
}

void Paplet::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F4 && e->modifiers() == Qt::AltModifier) {
        onAltF4();
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

bool Paplet::eventFilter(QObject* watched, QEvent* e) {
    if (watched == txtpaplet && e->type() == QEvent::KeyPress)
        return filterTextKey(static_cast<QKeyEvent*>(e));
    if (captionBarEvent(watched, e))
        return true;
    return QWidget::eventFilter(watched, e);
}

void Paplet::onAltF4() {
    if (deletedflag)
        return;
    hide();
    FrmMain& fm = m_app.frmmain();
    const int n = notetag.toInt();
    if (n >= 1) {
        if (QAction* entry = fm.listpaplets.value(n))
            entry->setChecked(false);
    }
    // As when the note is hidden from the note list: when no note is shown any more, the tray offers
    // "show all".
    m_app.state.allhiddenflag = fm.allhidden();
    if (fm.hideall && m_app.state.notecount > 0)
        fm.hideall->setText(m_app.state.allhiddenflag ? fm.showalltext : fm.hidealltext);
}

void Paplet::closeEvent(QCloseEvent* e) {
    // The window manager's own close (its Alt+F4, a taskbar's close) must not lose the note either.
    if (e->spontaneous() && !deletedflag) {
        onAltF4();
        e->ignore();
        return;
    }
    QWidget::closeEvent(e);
}

// ---- deleting ----

void Paplet::unloadpaplet() {
    if (deletedflag)
        return; // deleted once is enough: counting it twice would hide a live note from the tip
    AppState& s = m_app.state;
    if (s.confirmdeleteOn()) {
        const QString prompt = s.text(200, 201) + QStringLiteral("Paplet: ") + captstr + QStringLiteral(" ?");
        if (m_app.prompts().askYesNo(QStringLiteral("Attention"), prompt) != Prompts::Answer::Yes)
            return;
    }
    FrmMain& fm = m_app.frmmain();
    deletedflag = true;
    hide();
    s.deletedcount += 1;
    fm.modifytooltip(qint16(s.livecount()));
    if (s.livecount() == 0) {
        if (QAction* placeholder = fm.listpaplets.value(0))
            placeholder->setVisible(true);
    }
    const int n = notetag.toInt();
    if (n >= 1)
        fm.removeListEntry(n);
}
