// Starts a program on the X display and measures it:
//   messen <window title> <settle ms> <program> [args...]
// prints "<ms until the window is viewable> <resident kB> <shared libraries>",
// the memory and the libraries read <settle ms> after the window appeared.
// The program is killed afterwards. Exit status 1 when no window with that
// title became viewable within 30 seconds.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <thread>

namespace {

bool hatTitel(Display* d, Window w, const char* titel) {
    char* name = nullptr;
    bool gleich = false;
    if (XFetchName(d, w, &name) && name) gleich = std::strcmp(name, titel) == 0;
    if (name) XFree(name);
    if (!gleich) {
        // Qt may set only the UTF-8 name.
        XTextProperty p;
        const Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
        if (XGetTextProperty(d, w, &p, netName) && p.value) {
            gleich = std::strcmp(reinterpret_cast<const char*>(p.value), titel) == 0;
            XFree(p.value);
        }
    }
    return gleich;
}

bool sichtbar(Display* d, Window w) {
    XWindowAttributes a;
    return XGetWindowAttributes(d, w, &a) && a.map_state == IsViewable;
}

long residentKb(pid_t pid) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/status");
    std::string zeile;
    while (std::getline(f, zeile))
        if (zeile.rfind("VmRSS:", 0) == 0) return std::stol(zeile.substr(6));
    return -1;
}

size_t bibliotheken(pid_t pid) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/maps");
    std::set<std::string> namen;
    std::string zeile;
    while (std::getline(f, zeile)) {
        const auto p = zeile.find('/');
        if (p != std::string::npos && zeile.find(".so", p) != std::string::npos)
            namen.insert(zeile.substr(p));
    }
    return namen.size();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: messen <title> <settle ms> <program> [args...]\n");
        return 2;
    }
    const char* titel = argv[1];
    const int warten = std::atoi(argv[2]);
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "messen: no display\n");
        return 2;
    }
    const Window wurzel = DefaultRootWindow(d);
    XSelectInput(d, wurzel, SubstructureNotifyMask);
    XSync(d, False);

    using Uhr = std::chrono::steady_clock;
    const auto start = Uhr::now();
    const pid_t kind = fork();
    if (kind == 0) {
        execv(argv[3], argv + 3);
        _exit(127);
    }

    bool gefunden = false;
    const int fd = ConnectionNumber(d);
    while (!gefunden && Uhr::now() - start < std::chrono::seconds(30)) {
        if (!XPending(d)) {
            pollfd p{fd, POLLIN, 0};
            poll(&p, 1, 100);
            if (waitpid(kind, nullptr, WNOHANG) == kind) break;
            continue;
        }
        XEvent e;
        XNextEvent(d, &e);
        Window w = 0;
        if (e.type == MapNotify) {
            w = e.xmap.window;
            // A title set after mapping is seen through its property change.
            XSelectInput(d, w, PropertyChangeMask);
        } else if (e.type == PropertyNotify) {
            w = e.xproperty.window;
        }
        if (w && hatTitel(d, w, titel) && sichtbar(d, w)) gefunden = true;
    }
    const double ms = std::chrono::duration<double, std::milli>(Uhr::now() - start).count();
    int status = 0;
    if (!gefunden) {
        kill(kind, SIGKILL);
        waitpid(kind, &status, 0);
        std::fprintf(stderr, "messen: no viewable window \"%s\"\n", titel);
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(warten));
    const long kb = residentKb(kind);
    const size_t libs = bibliotheken(kind);
    kill(kind, SIGKILL);
    waitpid(kind, &status, 0);
    std::printf("%.1f %ld %zu\n", ms, kb, libs);
    XCloseDisplay(d);
    return 0;
}
