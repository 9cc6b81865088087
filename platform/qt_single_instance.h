// One running instance per user: a lock file held for the process's life, and a local
// socket over which a later instance asks the first to show its window.
#pragma once

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QObject>
#include <QString>

namespace zrv {

inline constexpr const char* kInstanceName = "CZRV_VantixApp";

class QSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit QSingleInstance(const QString& name = QString::fromLatin1(kInstanceName), QObject* parent = nullptr);
    ~QSingleInstance() override;

    // True for the first instance, which then listens for show requests. A later
    // instance asks the first to show itself and gets false.
    bool Start();

    // $XDG_RUNTIME_DIR/<name>, or <temp>/<name>-<uid> without a runtime folder.
    static QString BasePath(const QString& name);

Q_SIGNALS:
    void showRequested();

private:
    void Accept();
    void Listen();
    // Asks a running instance to show its window; true when one answered.
    bool AskToShow(QDeadlineTimer deadline);

    QString base_;
    int lockFd_ = -1;
    QLocalServer server_;
};

}  // namespace zrv
