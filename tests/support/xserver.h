#pragma once

#include <QProcess>
#include <QString>

// An Xvfb of the test's own on a display number it picks. Ended, not killed, so that it
// removes its lock and socket: by stop() or when the object goes.
class XServer
{
public:
    XServer();
    ~XServer() { stop(); }
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    // ":<number>" once the server is up; empty when it did not start (Xvfb missing).
    QString display() const { return m_display; }
    // For a Qt program shown on it. Mesa's GLX library, never loaded, cannot show as a leak;
    // the program draws no GL.
    QProcessEnvironment environment() const;
    void stop();

private:
    QProcess m_process;
    QString m_display;
};
