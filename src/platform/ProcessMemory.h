#pragma once
// The process's memory: how much it holds, and huge pages for large diagrams.
#include <cstdint>

// Bytes the process has in memory now, where the system tells it; 0 elsewhere.
int64_t ProcessResidentBytes();

// Memory of large diagrams in huge pages.
//
// Loading or exporting a diagram of tens of thousands of objects makes the
// allocator take hundreds of megabytes in small pieces; on systems where the
// kernel gives transparent huge pages only to memory that asks for them, every
// 4 KiB page of that costs a fault of its own (a large part of a big load's
// time on virtual machines). The C library's allocator asks for huge pages
// when its tunable says so, and reads the tunable only when the process
// starts: so the process starts itself once more with it set.

// Call first thing in main, before any thread or library starts. Returns at
// once where nothing is to be gained (huge pages always or never given, the
// caller chose the tunable, a sanitizer's allocator, not this C library);
// otherwise does not return unless the restart fails. On the second start
// the environment is put back as it was, so programs started from here do
// not inherit the setting.
void UseHugePageHeap(char** argv);

// Whether the restart asked for above would help: the kernel's policy text
// (as /sys/kernel/mm/transparent_hugepage/enabled shows it) gives huge pages
// only on request, and `tunables` (the caller's GLIBC_TUNABLES, or null) does
// not already set the allocator's choice. For tests.
bool HugePageRestartHelps(const char* policy, const char* tunables);
