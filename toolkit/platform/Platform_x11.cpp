#include "Platform.h"

#include "Fonts.h"
#include "WindowFrame.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// The window manager answers within a few milliseconds; one that announces the request
// but never answers must not hold up the start.
constexpr int AnswerTimeoutMs = 250;

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection,
                              xcb_intern_atom(connection, false, uint16_t(std::strlen(name)), name),
                              nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

Reply<xcb_get_property_reply_t> property(xcb_connection_t *connection, xcb_window_t window,
                                         xcb_atom_t name, xcb_atom_t type, uint32_t length)
{
    return {xcb_get_property_reply(
                connection, xcb_get_property(connection, false, window, name, type, 0, length),
                nullptr),
            &std::free};
}

bool supports(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t feature)
{
    const auto reply =
        property(connection, root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
    if (!reply || reply->format != 32)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_atom_t));
    return std::find(atoms, atoms + count, feature) != atoms + count;
}

// The frame the window manager will put around a top-level window, asked for before the
// window is mapped; empty where the window manager cannot tell.
QMargins frameExtents(QWidget &window)
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return {};
    const auto client = xcb_window_t(window.winId());
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extentsAtom = atom(connection, "_NET_FRAME_EXTENTS");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    if (!supports(connection, root, request))
        return {};

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = client;
    message.type = request;
    xcb_send_event(connection, false, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);

    QElapsedTimer waited;
    waited.start();
    do {
        const auto reply = property(connection, client, extentsAtom, XCB_ATOM_CARDINAL, 4);
        if (reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) == 16) {
            const auto *e = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
            // Left, right, top, bottom, in device pixels.
            const qreal ratio = window.devicePixelRatioF();
            return QMargins(qRound(e[0] / ratio), qRound(e[2] / ratio), qRound(e[1] / ratio),
                            qRound(e[3] / ratio));
        }
        QThread::msleep(1);
    } while (waited.elapsed() < AnswerTimeoutMs);
    return {};
}

} // namespace

void Platform::chooseWindowSystem()
{
    // A Wayland client can neither centre itself nor drop the minimise button; through
    // XWayland the window keeps its look. Plain Wayland only where there is no X server.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

void Platform::registerFaces()
{
    // The same Liberation faces on every machine, whatever else is installed.
    Fonts::registerSubstitutions();
}

void Platform::placeCentred(QWidget &window)
{
    WindowFrame::centreOnScreen(window, frameExtents(window));
}
