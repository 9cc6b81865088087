// The top-level window: frameless, closing hides it. A stand-in until the skinned
// window takes its place.
#pragma once

#include <QWidget>

namespace zrv {

class QtWindow : public QWidget {
    Q_OBJECT
public:
    QtWindow();

Q_SIGNALS:
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace zrv
