#include "Platform.h"

#include "Fonts.h"
#include "WindowFrame.h"

#include <QAbstractNativeEventFilter>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QWidget>

#include <poll.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

// Last: Xlib's macros would clash with the names above.
#include <X11/Xlib.h>

namespace {

// A window manager that answers does so within milliseconds. One that is slower, as under
// load, is corrected for after mapping rather than allowed to hold up the start.
constexpr int AnswerTimeoutMs = 250;

// _MOTIF_WM_HINTS: flags, functions, decorations, input mode, status.
constexpr uint32_t MotifHintsFunctions = 1;
constexpr uint32_t MotifHintsDecorations = 2;
// The functions or decorations not listed, where this bit is set.
constexpr uint32_t MotifAll = 1;
constexpr uint32_t MotifFunctionResize = 2;
constexpr uint32_t MotifDecorationResizeHandles = 4;
constexpr int MotifHintsLength = 5;

// The frame the window manager last reported. Until it reports the next window's, this is the
// best guess, as its windows of one kind wear the same frame.
std::optional<QMargins> s_lastFrame;

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

struct X11
{
    xcb_connection_t *connection = nullptr;
    Display *display = nullptr;
};

X11 x11()
{
    const auto *native = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return native ? X11{native->connection(), native->display()} : X11{};
}

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

// The frame around the window as the window manager last told it, in logical pixels.
std::optional<QMargins> frameExtents(xcb_connection_t *connection, const QWidget &window,
                                     xcb_atom_t extents)
{
    const auto reply =
        property(connection, xcb_window_t(window.winId()), extents, XCB_ATOM_CARDINAL, 4);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16)
        return {};
    // Left, right, top, bottom, in device pixels.
    const auto *e = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
    const qreal ratio = window.devicePixelRatioF();
    return QMargins(qRound(e[0] / ratio), qRound(e[2] / ratio), qRound(e[1] / ratio),
                    qRound(e[3] / ratio));
}

bool changes(const xcb_generic_event_t *event, xcb_window_t window, xcb_atom_t name)
{
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto *notify = reinterpret_cast<const xcb_property_notify_event_t *>(event);
    return notify->window == window && notify->atom == name &&
           notify->state == XCB_PROPERTY_NEW_VALUE;
}

// Asks the window manager for the frame it will put around the window, which it answers by
// setting _NET_FRAME_EXTENTS, and waits a bounded time for that change. The wait is on a
// connection of its own, so that Qt's connection keeps its events to itself.
std::optional<QMargins> announcedExtents(const X11 &x11, const QWidget &window, xcb_atom_t extents)
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x11.connection)).data->root;
    const xcb_atom_t request = atom(x11.connection, "_NET_REQUEST_FRAME_EXTENTS");
    // These round trips also make sure the window exists before another client names it.
    if (!supports(x11.connection, root, request))
        return {};
    using Connection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;
    const Connection own(xcb_connect(x11.display ? XDisplayString(x11.display) : nullptr, nullptr),
                         &xcb_disconnect);
    if (xcb_connection_has_error(own.get()))
        return {};
    const auto client = xcb_window_t(window.winId());
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(own.get(), client, XCB_CW_EVENT_MASK, &mask);
    // Watched from here on: a value read now is current, every later one comes as an event.
    if (auto known = frameExtents(own.get(), window, extents))
        return known;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = client;
    message.type = request;
    xcb_send_event(own.get(), false, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(own.get());

    const QDeadlineTimer deadline(AnswerTimeoutMs);
    pollfd readable{xcb_get_file_descriptor(own.get()), POLLIN, 0};
    while (!xcb_connection_has_error(own.get())) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(own.get())) {
            const bool answered = changes(event, client, extents);
            std::free(event);
            if (answered)
                return frameExtents(own.get(), window, extents);
        }
        const auto left = int(deadline.remainingTime());
        if (left <= 0 || (poll(&readable, 1, left) < 0 && errno != EINTR))
            break;
    }
    return {};
}

// Centres the window again if the frame the window manager reports differs from the one it was
// centred with: some announce a frame other than the one they draw (mutter 44 and later answer
// with none at all), and some only report it when they take the window on. Watching ends with
// that correction, or with the first report once the window is mapped.
class LateCentring : public QObject, public QAbstractNativeEventFilter
{
public:
    LateCentring(QWidget &window, xcb_connection_t *connection, xcb_atom_t extents,
                 QMargins assumed)
        : QObject(&window), m_window(window), m_connection(connection), m_extents(extents),
          m_assumed(assumed)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (m_done || eventType != "xcb_generic_event_t" ||
            !changes(static_cast<const xcb_generic_event_t *>(message),
                     xcb_window_t(m_window.winId()), m_extents))
            return false;
        if (const auto margins = frameExtents(m_connection, m_window, m_extents)) {
            if (*margins != m_assumed) {
                s_lastFrame = margins;
                WindowFrame::centreOnScreen(m_window, *margins);
                finish();
            } else if (m_window.testAttribute(Qt::WA_Mapped)) {
                finish();
            }
        }
        // Qt reads the change as well.
        return false;
    }

private:
    void finish()
    {
        m_done = true;
        deleteLater();
    }

    QWidget &m_window;
    xcb_connection_t *m_connection;
    xcb_atom_t m_extents;
    QMargins m_assumed;
    bool m_done = false;
};

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
    // Where a designed face is missing, as on most machines, its Liberation face draws.
    Fonts::registerSubstitutions();
}

void Platform::startAccessibility()
{
    // Qt switches it on when a screen reader registers on the accessibility bus.
}

void Platform::markRunning()
{
    // Packages replace a running program's files safely.
}

// Centres the window with the frame the window manager announces before mapping. Where the
// frame is not known in time, or the window manager then draws another, the window is centred
// once more when it reports the frame it draws.
void Platform::placeCentred(QWidget &window)
{
    const X11 x11 = ::x11();
    if (!x11.connection) {
        WindowFrame::centreOnScreen(window);
        return;
    }
    window.winId();
    const xcb_atom_t extents = atom(x11.connection, "_NET_FRAME_EXTENTS");
    const auto announced = announcedExtents(x11, window, extents);
    if (announced)
        s_lastFrame = announced;
    const QMargins assumed = s_lastFrame.value_or(QMargins());
    WindowFrame::centreOnScreen(window, assumed);
    new LateCentring(window, x11.connection, extents, assumed);
}

// Leaves resizing out of what the window manager offers for a window of fixed size.
void Platform::fixBorder(QWidget &window)
{
    const X11 x11 = ::x11();
    if (!x11.connection || window.minimumSize() != window.maximumSize())
        return;
    const auto client = xcb_window_t(window.winId());
    const xcb_atom_t name = atom(x11.connection, "_MOTIF_WM_HINTS");
    const auto reply = property(x11.connection, client, name, name, MotifHintsLength);
    if (!reply || reply->format != 32 ||
        xcb_get_property_value_length(reply.get()) != MotifHintsLength * 4)
        return;
    std::array<uint32_t, MotifHintsLength> hints;
    std::memcpy(hints.data(), xcb_get_property_value(reply.get()), sizeof(hints));
    // Qt offers resizing, the function and the handles, for every window it describes.
    if ((hints[0] & MotifHintsFunctions) && !(hints[1] & MotifAll))
        hints[1] &= ~MotifFunctionResize;
    if ((hints[0] & MotifHintsDecorations) && !(hints[2] & MotifAll))
        hints[2] &= ~MotifDecorationResizeHandles;
    xcb_change_property(x11.connection, XCB_PROP_MODE_REPLACE, client, name, name, 32,
                        MotifHintsLength, hints.data());
}

void Platform::endProgram()
{
    std::fflush(nullptr);
    std::_Exit(EXIT_SUCCESS);
}
