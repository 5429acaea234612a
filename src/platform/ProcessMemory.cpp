#include "platform/ProcessMemory.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

// Sanitizers bring allocators of their own, and other C libraries other tunables.
#if defined(__linux__) && defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#define KAVO_HUGE_PAGE_RESTART 1
#endif

#ifdef KAVO_HUGE_PAGE_RESTART
namespace {

constexpr const char* kTunables = "GLIBC_TUNABLES";
constexpr const char* kHugePages = "glibc.malloc.hugetlb=1";
// Set for the second start: "=" and the caller's tunables, or "-" for none.
constexpr const char* kRestarted = "KAVO_HUGE_PAGE_RESTART";

std::string KernelPolicy()
{
    std::FILE* f = std::fopen("/sys/kernel/mm/transparent_hugepage/enabled", "r");
    if (!f)
        return {};
    char text[128] = {};
    const size_t n = std::fread(text, 1, sizeof text - 1, f);
    std::fclose(f);
    return std::string(text, n);
}

void RestoreCallersTunables(const char* saved)
{
    if (saved[0] == '=')
        setenv(kTunables, saved + 1, 1);
    else
        unsetenv(kTunables);
}

} // namespace
#endif

int64_t ProcessResidentBytes()
{
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f)
        return 0;
    long long size = 0, resident = 0;
    const bool read = std::fscanf(f, "%lld %lld", &size, &resident) == 2;
    std::fclose(f);
    return read ? int64_t(resident) * int64_t(sysconf(_SC_PAGESIZE)) : 0;
}

bool HugePageRestartHelps(const char* policy, const char* tunables)
{
    if (!policy || !std::strstr(policy, "[madvise]"))
        return false;
    return !tunables || !std::strstr(tunables, "glibc.malloc.hugetlb");
}

void UseHugePageHeap(char** argv)
{
#ifdef KAVO_HUGE_PAGE_RESTART
    if (const char* saved = std::getenv(kRestarted)) {
        // The allocator has read the tunable: the environment is the caller's again.
        const std::string copy = saved;
        unsetenv(kRestarted);
        RestoreCallersTunables(copy.c_str());
        return;
    }
    const char* tunables = std::getenv(kTunables);
    if (!argv || !argv[0] || !HugePageRestartHelps(KernelPolicy().c_str(), tunables))
        return;
    const std::string saved = tunables ? std::string("=") + tunables : std::string("-");
    const std::string value = tunables && *tunables ? std::string(tunables) + ":" + kHugePages : kHugePages;
    setenv(kRestarted, saved.c_str(), 1);
    setenv(kTunables, value.c_str(), 1);
    execv("/proc/self/exe", argv);
    // No restart: carry on as started.
    unsetenv(kRestarted);
    RestoreCallersTunables(saved.c_str());
#else
    (void)argv;
#endif
}
