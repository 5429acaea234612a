#include "graphics/VectorUnits.h"

#include <atomic>

namespace {
std::atomic<bool> g_allowed{true};

bool Allowed()
{
    return g_allowed.load(std::memory_order_relaxed);
}
} // namespace

bool UseAvx2()
{
#if defined(__GNUC__) && defined(__x86_64__)
    static const bool has = __builtin_cpu_supports("avx2");
    return has && Allowed();
#else
    return false;
#endif
}

bool UseSsse3()
{
#if defined(__GNUC__) && defined(__x86_64__)
    static const bool has = __builtin_cpu_supports("ssse3");
    return has && Allowed();
#else
    return false;
#endif
}

void AllowVectorUnits(bool allow)
{
    g_allowed = allow;
}
