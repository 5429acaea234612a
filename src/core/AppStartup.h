#pragma once
// The decisions of the program's start-up, message filter and idle work that do
// not need a window: the diagnostics switch, the splash timing, the first
// document and the recent-file rule.
#include <cstdint>
#include <string>

// Clears nothing itself: returns true when the command line holds a "-D" or
// "/D" switch (either case) and removes each such switch, its letter and the
// blanks after it. The scan looks at every '-' or '/', not only at word starts.
bool ParseDiagSwitch(std::string& commandLine);

// Input while the splash shows: on the first run it may be dismissed only after
// more than 1000 ms (else the input beeps and goes on); later runs at once.
bool SplashMayBeDismissed(bool firstRun, uint32_t msShown);
constexpr uint32_t kFirstRunSplashGuardMs = 1000;

// Idle time while the splash shows: keep it (and ask for more idle time) or close
// it. On the first run it waits for input.
enum class SplashIdle { WaitForInput, KeepWaiting, Close };
SplashIdle SplashIdleAction(bool firstRun, uint32_t msShown);
constexpr uint32_t kSplashIdleTimeoutMs = 2500;

// Which document the start opens.
enum class StartDocument { None, Sample, CommandLine, MostRecent };
StartDocument ChooseStartDocument(bool firstRun, const std::string& commandLine, bool autoOpen,
                                  bool recentExists);
constexpr const char* kInitialSampleName = "InitialSample.kvd";
constexpr const char* kUmlVariantName = "UML Activity Diagram (Size=Large,3).KVV";
constexpr const char* kUmlSymbolsName = "UML Containers.KVF";

// Only diagram files ("KVD") enter the recent file list, and none while
// g_bNoRecentEntry is set.
bool AcceptsRecentFile(const std::string& path);
