// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/CodecMemoryLock.h"

#include <cerrno>

#include <dlfcn.h>
#include <sys/mman.h>

// The process-wide replacements of mlock/munlock that make CodecMemoryLock::Skip take effect. Only the trainer and
// the bank tool link this unit, because it changes a C library function for the whole program.
//
// The trade-off: inside a Skip scope the cipher's key buffers may be paged out to swap. That gives nothing away
// that is not already in ordinary memory: the bank's password lives in the connection string and its derived key
// in CipherKeyCache, neither of them locked. In return every statement saves about two dozen system calls (a third
// of its cost). Dropping this unit from a program restores the locks for it at that cost.
//
// Lock and unlock are skipped by the same scope, so memory is never left locked by a skipped unlock as long as
// every keyed connection is both keyed and closed inside a scope (SqliteDatabase sees to that).

namespace {

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

extern "C" int mlock(const void *addr, size_t len) __THROW {
    if (CodecMemoryLock::skipping()) {
        CodecMemoryLock::noteSkipped();
        return 0;
    }
    return callSystem("mlock", addr, len);
}

extern "C" int munlock(const void *addr, size_t len) __THROW {
    if (CodecMemoryLock::skipping()) {
        CodecMemoryLock::noteSkipped();
        return 0;
    }
    return callSystem("munlock", addr, len);
}
