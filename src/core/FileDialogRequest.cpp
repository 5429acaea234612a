#include "core/FileDialogRequest.h"

QString FilterToQt(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QString name = parts[i];
        name.replace("(*.*)", "(*)");
        out << name;
    }
    return out.join(";;");
}
