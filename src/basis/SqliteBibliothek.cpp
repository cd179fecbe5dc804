#include "basis/SqliteBibliothek.h"

#include <dlfcn.h>

#include <atomic>
#include <mutex>

namespace wx::sql {

namespace {

constexpr const char* kBibliothek = "libsqlite3.so.0";

// The library resolves all its symbols when it is loaded. Looked up in its
// own scope first, its calls to itself are found at once instead of after a
// search through every library of the program. AddressSanitizer must see
// every allocation and does not allow that.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)  // clang
#define WX_MIT_ASAN
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(WX_MIT_ASAN)  // gcc, clang
constexpr int kEigeneZuerst = 0;
#else
constexpr int kEigeneZuerst = RTLD_DEEPBIND;
#endif

std::mutex sperre;
std::weak_ptr<const Funktionen> geteilt;
// The same functions for the calls, set while the library is loaded.
std::atomic<const Funktionen*> aktuell{nullptr};

}  // namespace

Halter::Halter() {
    std::lock_guard<std::mutex> lock(sperre);
    f_ = geteilt.lock();
    if (f_) return;
    void* h = dlopen(kBibliothek, RTLD_LAZY | RTLD_LOCAL | kEigeneZuerst);
    if (!h) {
        const char* grund = dlerror();
        fehler_ = std::string("Die Datenbank-Bibliothek \"") + kBibliothek +
                  "\" kann nicht geladen werden: " + (grund ? grund : "unbekannter Grund");
        return;
    }
    auto f = std::make_unique<Funktionen>();
    bool vollstaendig = true;
#define WX_SQLITE_LADEN(name)                                                  \
    f->name = reinterpret_cast<decltype(f->name)>(dlsym(h, "sqlite3_" #name)); \
    vollstaendig = vollstaendig && f->name != nullptr;
    WX_SQLITE_FUNKTIONEN(WX_SQLITE_LADEN)
#undef WX_SQLITE_LADEN
    if (!vollstaendig) {
        dlclose(h);
        fehler_ = std::string("Die Datenbank-Bibliothek \"") + kBibliothek + "\" ist zu alt.";
        return;
    }
    // The game reads a few dozen pages once per connection: no memory set
    // aside ahead for small allocations or for cached pages, which would
    // only have to be touched and handed back. This is accepted only before
    // SQLite's first use in this process.
    f->config(SQLITE_CONFIG_LOOKASIDE, 0, 0);
    f->config(SQLITE_CONFIG_PAGECACHE, static_cast<void*>(nullptr), 0, 0);
    // The last holder to go closes the library; a new holder meanwhile
    // simply loads it again.
    f_ = std::shared_ptr<const Funktionen>(f.release(), [h](const Funktionen* p) {
        const Funktionen* erwartet = p;
        aktuell.compare_exchange_strong(erwartet, nullptr);
        delete p;
        dlclose(h);
    });
    geteilt = f_;
    aktuell = f_.get();
}

const Funktionen& f() { return *aktuell.load(std::memory_order_acquire); }

bool istGeladen() {
    void* h = dlopen(kBibliothek, RTLD_NOW | RTLD_NOLOAD);
    if (!h) return false;
    dlclose(h);
    return true;
}

}  // namespace wx::sql
