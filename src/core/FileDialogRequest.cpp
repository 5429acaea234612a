#include "core/FileDialogRequest.h"

QStringList FilterToQtList(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QString name = parts[i];
        if (!name.contains('(')) {
            // File names keep their case here: each pattern is offered in
            // lower and in upper case.
            QStringList patterns;
            for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts))
                for (const QString& variant : {p.toLower(), p.toUpper()})
                    if (!patterns.contains(variant))
                        patterns << variant;
            name += " (" + patterns.join(' ') + ")";
        }
        name.replace("(*.*)", "(*)");
        out << name;
    }
    return out;
}

QString FilterToQt(const QString& filter)
{
    return FilterToQtList(filter).join(";;");
}
