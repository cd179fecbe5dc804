// Ends the game in order when the outside world asks it to: the process gets
// SIGTERM or SIGHUP, or the desktop session ends. No question is asked then;
// the scores and the settings are saved as on every regular end.
//
// A signal handler may do almost nothing, so it only writes one byte into a
// pipe; the event loop reads it and runs the end as an ordinary event. While
// the game is blocked (a pause, a sound waited for) the end waits for it.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace wxqt {

class QtPlattform;

class Endewaechter : public QObject {
public:
    // ende runs the game's end sequence; it is called at most once.
    Endewaechter(QtPlattform& plattform, std::function<void()> ende);
    ~Endewaechter() override;
    Endewaechter(const Endewaechter&) = delete;
    Endewaechter& operator=(const Endewaechter&) = delete;

    // Runs the end now, or as soon as the game is no longer blocked.
    void beende();

private:
    void signalGelesen();

    QtPlattform& plattform_;
    std::function<void()> ende_;
    QSocketNotifier* melder_ = nullptr;
    bool gelaufen_ = false;
};

}  // namespace wxqt
