#include "dialogs/sheets/EditText.h"

#include "platform/Ansi.h"

QString PlainTextForEdit(const std::string& plain)
{
    return AnsiToQString(plain).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}
