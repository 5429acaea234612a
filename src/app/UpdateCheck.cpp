#include "app/UpdateCheck.h"

#include "core/Settings.h"
#include "core/SystemInfo.h"
#include "platform/Ansi.h"
#include "platform/NumText.h"

#include <QUrl>

std::string BuildUpdateCheckQuery()
{
    std::string query;
    std::string version;
    // The version text may hold blanks and commas: it is percent-encoded.
    if (GetProgramFileVersion(version))
        query = "ver=" + QUrl::toPercentEncoding(AnsiToQString(version)).toStdString() + "&";
    query += StrPrintf("cls=%d&bld=%04d", kProductClass, kBuildNumber);
    query += "&ed=std";
    return query;
}

std::string UpdateCheckAddress()
{
    return std::string(kUpdateCheckPage) + "?" + BuildUpdateCheckQuery();
}

bool UpdateReminderDue(std::time_t now)
{
    return ChkUpReminderDays != 0 && LastUpdateCheck != 0 &&
           int64_t(now) - LastUpdateCheck > int64_t(ChkUpReminderDays) * 86400;
}

int ReminderDaysToRadio(int days)
{
    switch (days) {
    case 15: return 0;
    case 30: return 1;
    case 60: return 2;
    case 90: return 3;
    default: return 4;
    }
}

int RadioToReminderDays(int index)
{
    static const int days[] = {15, 30, 60, 90};
    return index >= 0 && index < 4 ? days[index] : 0;
}

void ApplyUpdateReminder(int reminderDays, std::time_t now)
{
    ChkUpReminderDays = reminderDays;
    LastUpdateCheck = int64_t(now);
    CfgSaveAll();
}

bool RunUpdateCheck(bool (*openUrl)(const std::string&), std::time_t now)
{
    if (!openUrl || !openUrl(UpdateCheckAddress()))
        return false;
    LastUpdateCheck = int64_t(now);
    CfgSaveAll();
    return true;
}
