#pragma once
// The online update check: the address opened in the browser, and when the
// start-up reminder is due.
#include <ctime>
#include <string>

constexpr int kProductClass = 20022;
constexpr int kBuildNumber = 1831;
constexpr const char* kUpdateCheckPage = "https://www.morlaven.example/kavo/checkupdate.html";

// "ver=<version>&" (when the version can be read), then
// "cls=20022&bld=1831&ed=std".
std::string BuildUpdateCheckQuery();
std::string UpdateCheckAddress();

// Whether the reminder shows at a start at time `now` (seconds since 1970).
bool UpdateReminderDue(std::time_t now);
// Reminder dialog radio buttons: 15, 30, 60, 90 days, then "Never" (index 4).
int ReminderDaysToRadio(int days);
int RadioToReminderDays(int index);
// After the reminder closes, whatever the button: keeps the chosen interval and
// restarts it from now, and saves the settings.
void ApplyUpdateReminder(int reminderDays, std::time_t now);
// Opens the update-check page with `openUrl`; when the browser started, records
// the time and saves the settings. Returns whether the browser started.
bool RunUpdateCheck(bool (*openUrl)(const std::string&), std::time_t now);
