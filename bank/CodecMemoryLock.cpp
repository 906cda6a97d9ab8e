#include "CodecMemoryLock.h"

#include <atomic>
#include <cerrno>

#include <dlfcn.h>
#include <sys/mman.h>

namespace {

thread_local int t_skipDepth = 0;
std::atomic<long> g_skipped{0};

using LockFunction = int (*)(const void *, size_t);

// The C library's own function, found past this program's definition in the lookup order.
int callSystem(const char *name, const void *addr, size_t len) {
    const auto function = reinterpret_cast<LockFunction>(dlsym(RTLD_NEXT, name));
    if (!function) {
        errno = ENOSYS;
        return -1;
    }
    return function(addr, len);
}

} // namespace

namespace CodecMemoryLock {

Skip::Skip() {
    ++t_skipDepth;
}

Skip::~Skip() {
    --t_skipDepth;
}

long skippedCount() {
    return g_skipped.load();
}

} // namespace CodecMemoryLock

// These definitions take the place of the C library's for the whole program (the cipher library calls them by
// name). Lock and unlock are skipped by the same scope, so memory is never left locked by a skipped unlock as long
// as every keyed connection is both keyed and closed inside a scope (SqliteDatabase sees to that).
extern "C" int mlock(const void *addr, size_t len) __THROW {
    if (t_skipDepth > 0) {
        ++g_skipped;
        return 0;
    }
    return callSystem("mlock", addr, len);
}

extern "C" int munlock(const void *addr, size_t len) __THROW {
    if (t_skipDepth > 0) {
        ++g_skipped;
        return 0;
    }
    return callSystem("munlock", addr, len);
}
