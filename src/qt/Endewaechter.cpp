#include "qt/Endewaechter.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>

#include "qt/QtPlattform.h"

namespace wxqt {

namespace {

// The pipe between the signal handler and the event loop; one per process.
int signalRohr[2] = {-1, -1};
constexpr int kSignale[] = {SIGTERM, SIGHUP};

void beiSignal(int) {
    const int gesichert = errno;
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(signalRohr[1], &c, 1);
    errno = gesichert;
}

}  // namespace

Endewaechter::Endewaechter(QtPlattform& plattform, std::function<void()> ende)
    : plattform_(plattform), ende_(std::move(ende)) {
    if (signalRohr[0] < 0 && ::pipe2(signalRohr, O_CLOEXEC | O_NONBLOCK) != 0)
        signalRohr[0] = signalRohr[1] = -1;
    if (signalRohr[0] >= 0) {
        melder_ = new QSocketNotifier(signalRohr[0], QSocketNotifier::Read, this);
        connect(melder_, &QSocketNotifier::activated, this, [this] { signalGelesen(); });
        struct sigaction sa = {};
        sa.sa_handler = beiSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART;
        for (int s : kSignale) sigaction(s, &sa, nullptr);
    }
    // The session manager asks the program to save its data before the
    // session ends; the game saves by ending in order.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { beende(); });
        connect(app, &QCoreApplication::aboutToQuit, this, [this] {
            if (!plattform_.beendet() && !gelaufen_) {
                gelaufen_ = true;
                ende_();
            }
        });
    }
}

Endewaechter::~Endewaechter() {
    struct sigaction sa = {};
    sa.sa_handler = SIG_DFL;
    sigemptyset(&sa.sa_mask);
    for (int s : kSignale) sigaction(s, &sa, nullptr);
}

void Endewaechter::signalGelesen() {
    char puffer[16];
    while (::read(signalRohr[0], puffer, sizeof puffer) > 0) {}
    beende();
}

void Endewaechter::beende() {
    if (gelaufen_ || plattform_.beendet()) return;
    if (plattform_.blockiert()) {
        // Inside a pause: the end follows once the pause is over.
        QTimer::singleShot(50, this, [this] { beende(); });
        return;
    }
    gelaufen_ = true;
    plattform_.ereignis(ende_);
}

}  // namespace wxqt
