// Temporary stand-ins so that every folder links while the real code is written.
#include "paplet.h"

#include <QDateTime>

Paplet::Paplet(App& app) : m_app(app) {}
Paplet::~Paplet() = default;
void Paplet::setcaption() {}
QString Paplet::getcaption() {
    return {};
}
void Paplet::unloadpaplet() {}
QString Paplet::text() const {
    return {};
}
void Paplet::setText(const QString&) {}
void Paplet::setTextBackColor(const QColor&) {}
void Paplet::setTextForeColor(const QColor&) {}
void Paplet::applyNoteFont(const AppState&) {}
double Paplet::leftTw() const {
    return 0;
}
double Paplet::topTw() const {
    return 0;
}
double Paplet::widthTw() const {
    return 0;
}
double Paplet::heightTw() const {
    return 0;
}
void Paplet::setLeftTw(double) {}
void Paplet::setTopTw(double) {}
void Paplet::setWidthTw(double) {}
void Paplet::setHeightTw(double) {}
double Paplet::designWidthTw() {
    return 2040;
}
double Paplet::designHeightTw() {
    return 1290;
}
double Paplet::minHeightTw() const {
    return 390;
}
void Paplet::rollup(int) {}
void Paplet::onImage2Released() {}
void Paplet::onImgCloseReleased(QPoint) {}
void Paplet::onTimer1Tick() {}
bool Paplet::alarmDue(const QDateTime&) const {
    return false;
}
bool Paplet::event(QEvent* e) {
    return QWidget::event(e);
}
void Paplet::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
}
void Paplet::keyPressEvent(QKeyEvent* e) {
    QWidget::keyPressEvent(e);
}
bool Paplet::eventFilter(QObject* w, QEvent* e) {
    return QWidget::eventFilter(w, e);
}
void Paplet::paintEvent(QPaintEvent* e) {
    QWidget::paintEvent(e);
}
void Paplet::mousePressEvent(QMouseEvent* e) {
    QWidget::mousePressEvent(e);
}
void Paplet::mouseMoveEvent(QMouseEvent* e) {
    QWidget::mouseMoveEvent(e);
}
void Paplet::mouseReleaseEvent(QMouseEvent* e) {
    QWidget::mouseReleaseEvent(e);
}
