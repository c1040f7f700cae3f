#include "ThrowSite.h"

#include <dlfcn.h>

#include <QCoreApplication>
#include <QFileInfo>

namespace {

thread_local void* t_lastThrow = nullptr;

// The type is the compiler's own declaration: the type_info travels as void*.
using TCxaThrow = void (*)(void*, void*, void (*)(void*));

}  // namespace

// Records the address of every throw, so the fatal error box can tell where a
// start-up failure was raised; then throws as the runtime would.
extern "C" [[noreturn]] void __cxa_throw(void* thrown, void* type, void (*destructor)(void*)) {
    static const auto realThrow = reinterpret_cast<TCxaThrow>(dlsym(RTLD_NEXT, "__cxa_throw"));
    t_lastThrow = __builtin_return_address(0);
    realThrow(thrown, type, destructor);
    __builtin_unreachable();
}

TThrowSite LastThrowSite() {
    Dl_info info{};
    if (t_lastThrow && dladdr(t_lastThrow, &info) && info.dli_fname && *info.dli_fname) {
        return {QFileInfo(QString::fromLocal8Bit(info.dli_fname)).fileName(),
                reinterpret_cast<quintptr>(t_lastThrow) - reinterpret_cast<quintptr>(info.dli_fbase)};
    }
    return {QFileInfo(QCoreApplication::applicationFilePath()).fileName(), 0};
}
