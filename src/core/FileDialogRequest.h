#pragma once
// What the program's file prompts ask of a file dialog, and what they get back.
// Filters are written as "Name (*.ext)|*.ext|...||".
#include <QString>
#include <QStringList>

struct FileDialogRequest {
    bool open = true;
    bool multiSelect = false;
    QString title;
    QString folder;      // initial folder
    QString file;        // initial file (save)
    QString defaultExt;  // without the dot
    QString filter;
};

struct FileDialogResult {
    bool accepted = false;
    QStringList files;   // the chosen files, in order
    QString path;        // the dialog's path when it closed (save: also on cancel)
    bool ctrlHeld = false;
};

// "Name (*.a)|*.a|All (*.*)|*.*||" as the name filters Qt's file dialogs
// take, in order ("*.*" becomes "*"); a name without its patterns in brackets
// gets them added, each in lower and upper case.
QStringList FilterToQtList(const QString& filter);
// The same joined by ";;".
QString FilterToQt(const QString& filter);
