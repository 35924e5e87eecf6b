#include "windowhelpers.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#ifdef ZOVUZOR_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <xcb/xcb.h>
#endif

namespace {

// The native window of a top-level widget, created when it does not exist yet. Setting the flag on the
// QWindow (not through QWidget::setWindowFlag) keeps the native window: re-creating it would re-map and
// activate it.
QWindow* nativeWindow(QWidget* w) {
    if (!w)
        return nullptr;
    QWidget* top = w->window();
    if (!top->windowHandle())
        top->winId();
    return top->windowHandle();
}

void setTopmost(QWidget* w, bool on) {
    QWindow* win = nativeWindow(w);
    if (!win)
        return;
    QWidget* top = w->window();
    win->setFlag(Qt::WindowStaysOnTopHint, on);
    if (top->isHidden()) {
        // The window is shown, but it takes no focus from the window the user works in.
        const bool noActivate = top->testAttribute(Qt::WA_ShowWithoutActivating);
        top->setAttribute(Qt::WA_ShowWithoutActivating, true);
        top->show();
        top->setAttribute(Qt::WA_ShowWithoutActivating, noActivate);
    }
    // raise() restacks without activating.
    top->raise();
}

#ifdef ZOVUZOR_HAVE_XCB
xcb_connection_t* xcbConnection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t internAtom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_cookie_t cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    if (!reply)
        return XCB_ATOM_NONE;
    xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

// An unmapped window announces its initial states in its own _NET_WM_STATE property; the window manager
// reads it at map time and removes it at withdrawal, so it is written again before every map. Qt merges
// its own states (on top, maximised...) into what it finds there.
void addSkipStatesBeforeMap(xcb_connection_t* c, xcb_window_t window) {
    const xcb_atom_t state = internAtom(c, "_NET_WM_STATE");
    const xcb_atom_t skip[2] = {internAtom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                internAtom(c, "_NET_WM_STATE_SKIP_PAGER")};
    if (state == XCB_ATOM_NONE || skip[0] == XCB_ATOM_NONE || skip[1] == XCB_ATOM_NONE)
        return;
    std::vector<xcb_atom_t> atoms;
    xcb_get_property_cookie_t cookie = xcb_get_property(c, 0, window, state, XCB_ATOM_ATOM, 0, 1024);
    if (xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr)) {
        if (reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
            const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
            atoms.assign(data, data + xcb_get_property_value_length(reply) / int(sizeof(xcb_atom_t)));
        }
        std::free(reply);
    }
    for (xcb_atom_t a : skip)
        if (std::find(atoms.begin(), atoms.end(), a) == atoms.end())
            atoms.push_back(a);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, state, XCB_ATOM_ATOM, 32, uint32_t(atoms.size()),
                        atoms.data());
    xcb_flush(c);
}

// A mapped window asks the window manager with a client message to the root window (EWMH).
void addSkipStatesMapped(xcb_connection_t* c, xcb_window_t window) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
    if (!it.rem)
        return;
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = window;
    ev.type = internAtom(c, "_NET_WM_STATE");
    ev.data.data32[0] = 1; // _NET_WM_STATE_ADD
    ev.data.data32[1] = internAtom(c, "_NET_WM_STATE_SKIP_TASKBAR");
    ev.data.data32[2] = internAtom(c, "_NET_WM_STATE_SKIP_PAGER");
    ev.data.data32[3] = 1; // source: an application
    xcb_send_event(c, 0, it.data->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&ev));
    xcb_flush(c);
}
#endif

// The native window as it is now: the X11 platform replaces a window whose on-top flag changed at its next
// show, and QWidget::winId() still names the old one then.
WId currentWindow(QWidget* w) {
    QWindow* win = w->windowHandle();
    return win ? win->winId() : w->winId();
}

const char* const skipWindowProperty = "zovuzorSkipTaskbarWindow";

void applySkipTaskbar(QWidget* w, bool mapped) {
#ifdef ZOVUZOR_HAVE_XCB
    xcb_connection_t* c = xcbConnection();
    if (!c)
        return;
    const WId id = currentWindow(w);
    const auto window = static_cast<xcb_window_t>(id);
    addSkipStatesBeforeMap(c, window);
    if (mapped)
        addSkipStatesMapped(c, window);
    w->setProperty(skipWindowProperty, QVariant::fromValue<qulonglong>(id));
#else
    Q_UNUSED(w);
    Q_UNUSED(mapped);
#endif
}

// Writes the skip states into the window before each time it is mapped: the Show event reaches the widget
// before its native window is mapped. When the platform replaced the native window during the show (after
// an on-top change), the new window gets them right after its map request, in the same batch of requests,
// and through the window manager as well.
class SkipTaskbarFilter final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::Show && e->type() != QEvent::ShowToParent)
            return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || !w->isWindow())
            return false;
        if (e->type() == QEvent::Show)
            applySkipTaskbar(w, false);
        else if (w->property(skipWindowProperty).toULongLong() != qulonglong(currentWindow(w)))
            applySkipTaskbar(w, true);
        return false;
    }
};

} // namespace

void settopmost(QWidget* w) {
    setTopmost(w, true);
}

void setnottopmost(QWidget* w) {
    setTopmost(w, false);
}

bool isTopmost(const QWidget* w) {
    if (!w)
        return false;
    const QWindow* win = w->window()->windowHandle();
    return win && win->flags().testFlag(Qt::WindowStaysOnTopHint);
}

void keepOutOfTaskbar(QWidget* w) {
    if (!w)
        return;
    QWidget* top = w->window();
#ifdef Q_OS_WIN
    // On Windows a tool window stays out of the taskbar and keeps reporting its position.
    if (!(top->windowFlags() & Qt::Tool))
        top->setWindowFlag(Qt::Tool, true);
#else
    if (top->property("zovuzorSkipTaskbar").toBool())
        return;
    top->setProperty("zovuzorSkipTaskbar", true);
    top->installEventFilter(new SkipTaskbarFilter(top));
    if (top->isVisible())
        applySkipTaskbar(top, true);
#endif
}

void centreOnScreen(QWidget* w) {
    if (!w)
        return;
    QWidget* top = w->window();
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect avail = screen->availableGeometry();
    // Before the window manager framed the window, the frame is the window itself.
    QSize outer = top->frameGeometry().size();
    if (outer.isEmpty())
        outer = top->size();
    top->move(avail.x() + (avail.width() - outer.width()) / 2,
              avail.y() + (avail.height() - outer.height()) / 2);
}
