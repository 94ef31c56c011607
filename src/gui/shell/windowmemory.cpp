#include "shell/windowmemory.h"

#include "app/settings.h"
#include "shell/screenplacement.h"
#include "shell/storedgeometry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {
const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kMaximizedKey = QStringLiteral("window/maximized");

QList<QRect> availableScreens()
{
    QList<QRect> screens;
    if (QScreen *primary = QGuiApplication::primaryScreen())
        screens << primary->availableGeometry();
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            screens << screen->availableGeometry();
    }
    return screens;
}
}

WindowMemory::WindowMemory(QWidget *window, Settings *settings, const QSize &defaultSize)
    : QObject(window)
    , m_window(window)
    , m_settings(settings)
    , m_defaultSize(defaultSize)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(400);
    connect(&m_settle, &QTimer::timeout, this, &WindowMemory::remember);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &WindowMemory::remember);
    window->installEventFilter(this);
}

void WindowMemory::restore()
{
    const QString stored = m_settings->value(kGeometryKey).toString();
    const QRect geometry = StoredGeometry::startGeometry(stored, availableScreens(), m_defaultSize,
                                                         m_window->minimumSize());
    if (ScreenPlacement::clientPlacesWindows(QGuiApplication::platformName()))
        m_window->setGeometry(geometry);
    else
        m_window->resize(geometry.size());
    if (m_settings->value(kMaximizedKey).toString() == QLatin1String("yes"))
        m_window->setWindowState(m_window->windowState() | Qt::WindowMaximized);
}

void WindowMemory::remember()
{
    m_settle.stop();
    // Never shown, nothing to keep; minimized, what to keep is what it comes back to.
    if (!m_window->windowHandle() || m_window->isMinimized())
        return;
    const bool maximized = m_window->isMaximized() || m_window->isFullScreen();
    m_settings->setValue(kMaximizedKey, maximized ? QStringLiteral("yes") : QStringLiteral("no"));
    // A maximized window keeps the geometry it goes back to.
    QRect geometry = maximized ? m_window->normalGeometry() : m_window->geometry();
    if (!geometry.isValid())
        return;
    if (!ScreenPlacement::clientPlacesWindows(QGuiApplication::platformName())) {
        // The position is the compositor's: keep the one a placing platform left.
        const QRect kept = StoredGeometry::parse(m_settings->value(kGeometryKey).toString());
        geometry.moveTopLeft(kept.isValid() ? kept.topLeft() : QPoint(0, 0));
    }
    m_settings->setValue(kGeometryKey, StoredGeometry::text(geometry));
}

bool WindowMemory::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            m_settle.start();
            break;
        case QEvent::Hide:
            remember();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
