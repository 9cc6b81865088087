#include "platform/qt_power_events.h"

#ifdef ZRV_HAVE_DBUS
#include <QDBusConnection>
#endif

namespace zrv {

QtPowerEvents::QtPowerEvents(std::function<void()> onResume, QObject* parent)
    : QObject(parent), onResume_(std::move(onResume)) {
#ifdef ZRV_HAVE_DBUS
    QDBusConnection bus = QDBusConnection::systemBus();
    if (bus.isConnected())
        subscribed_ = bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                                  QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"),
                                  this, SLOT(PrepareForSleep(bool)));
#endif
}

// true announces the sleep, false the resume; the mouse needs its settings after the resume.
void QtPowerEvents::PrepareForSleep(bool start) {
    if (!start && onResume_) onResume_();
}

}  // namespace zrv
