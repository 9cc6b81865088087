// Resume from sleep, as logind announces it on the system bus.
#pragma once

#include <QObject>
#include <functional>

namespace zrv {

class QtPowerEvents : public QObject {
    Q_OBJECT
public:
    // onResume runs on the window thread after each resume; without a system bus never.
    explicit QtPowerEvents(std::function<void()> onResume, QObject* parent = nullptr);
    bool Subscribed() const { return subscribed_; }

public Q_SLOTS:
    void PrepareForSleep(bool start);

private:
    std::function<void()> onResume_;
    bool subscribed_ = false;
};

}  // namespace zrv
