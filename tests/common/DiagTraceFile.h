#pragma once
// Collects the diagnostic trace in a temporary program folder for the
// lifetime of the object; the diagnostics switch is put back afterwards.
#include "core/ProgramFolders.h"
#include "core/Trace.h"

#include <QFile>
#include <QTemporaryDir>

#include <string>

class DiagTraceFile {
public:
    DiagTraceFile() : m_wasOn(g_bDiagnostics)
    {
        SetProgramFolderForTest(m_dir.path());
        g_bDiagnostics = true;
        InitDiagnostics();
    }
    ~DiagTraceFile() { g_bDiagnostics = m_wasOn; }
    DiagTraceFile(const DiagTraceFile&) = delete;
    DiagTraceFile& operator=(const DiagTraceFile&) = delete;
    std::string Text() const
    {
        QFile f(m_dir.path() + "/Diags.log");
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
    }

private:
    bool m_wasOn;
    QTemporaryDir m_dir;
};
