#pragma once
// The decisions of the program's start-up, message filter and idle work that do
// not need a window: the diagnostics switch, the splash timing, the first
// document and the recent-file rule.
#include "core/Settings.h"

#include <QRect>

#include <cstdint>
#include <string>
#include <vector>

// True when the argument is the diagnostics switch: "-D" or "/D", either case,
// as a whole argument (a file named "my-design.kvd" is not one).
bool IsDiagSwitch(const std::string& argument);
// True for the framework's embedding and automation switches.
bool IsEmbeddingSwitch(const std::string& argument);
// Removes every diagnostics switch from the arguments; true when there was one.
bool ParseDiagSwitch(std::vector<std::string>& arguments);
// The file the command line names: the first argument that is no switch.
std::string CommandLineFile(const std::vector<std::string>& arguments);

// Input while the splash shows: on the first run it may be dismissed only after
// more than 1000 ms (else the input beeps and goes on); later runs at once.
bool SplashMayBeDismissed(bool firstRun, uint32_t msShown);
constexpr uint32_t kFirstRunSplashGuardMs = 1000;

// Idle time while the splash shows: keep it (and ask for more idle time) or close
// it. The welcome picture of the first run closes on the same timer: left for
// the user's first click it would hide the diagram it announces.
enum class SplashIdle { KeepWaiting, Close };
SplashIdle SplashIdleAction(uint32_t msShown);
constexpr uint32_t kSplashIdleTimeoutMs = 2500;

// Which document the start opens: the file named on the command line, else
// the sample on the first run, else the most recent file when AutoOpen asks.
enum class StartDocument { None, Sample, CommandLine, MostRecent };
StartDocument ChooseStartDocument(bool firstRun, const std::string& commandLine, bool autoOpen,
                                  bool recentExists);
constexpr const char* kInitialSampleName = "InitialSample.kvd";
constexpr const char* kUmlVariantName = "UML Activity Diagram (Size=Large,3).KVV";
constexpr const char* kUmlSymbolsName = "UML Containers.KVF";
// Sets g_bUmlFilesPresent: the UML variant is in the variants folder and the
// UML figure library in the symbols folder.
void FindUmlFiles();

// The absolute form of a path named on the command line, so that a running
// program it is handed to (with its own current folder) opens the same file.
std::string AbsoluteCommandLinePath(const std::string& path);

// The main window's placement in the "Placement" settings: its normal rectangle
// (Left, Top, Right, Bottom), Length 44 once a placement was saved, and flag 2
// when it is to be restored maximised.
constexpr int kPlacementRecordLength = 44;
constexpr int kPlacementRestoreMaximized = 2;
// The normal rectangle to restore: only a saved, non-empty rectangle that
// overlaps one of the screens' available areas. False: keep the default.
bool PlacementToRestore(const PlacementSettings& placement, const std::vector<QRect>& screens,
                        QRect* normal, bool* maximized);
void StorePlacement(PlacementSettings& placement, const QRect& normal, bool maximized);

// Only diagram files ("KVD") enter the recent file list, and none while
// g_bNoRecentEntry is set.
bool AcceptsRecentFile(const std::string& path);
