#pragma once

#include <QObject>
#include <QString>
#include <chrono>
#include <functional>

class QLocalServer;

namespace strumvale::app {

// A later start of the program hands the file it was given to the running
// window through a local socket beside the instance lock: the path as UTF-8
// and a line end; the window answers "ok" once it has it.
class FileHandover : public QObject {
    Q_OBJECT
public:
    using Receiver = std::function<void(const QString& path)>;

    // Listens at socketPath (a stale socket of an ended instance is removed;
    // the caller holds the instance lock). receive runs on the window's
    // thread, after the later start has been answered.
    FileHandover(const QString& socketPath, Receiver receive, QObject* parent = nullptr);
    ~FileHandover() override;

    bool isListening() const;

private:
    void take();

    QLocalServer* server_;
    Receiver receive_;
};

// The later start's side: hands path over and waits for the answer; false
// when no window takes it. A window that has just started may not listen yet:
// connecting is tried again for as long as patience allows.
bool handOverFile(const QString& socketPath, const QString& path,
                  std::chrono::milliseconds patience = std::chrono::seconds(10));

} // namespace strumvale::app
