// The recent-file items of the File menu: the first item stands in the menu
// table; the others are put after it each time the menu opens.
#include "frame/ui/CMainFrame.h"

#include <QAction>
#include <QDir>
#include <QMenu>

namespace {
constexpr int kLongPath = 40;

// "&1 /home/ann/plans/flow.kvd"; a long path keeps its first folder and the
// file name; '&' in names is shown as it is, not as a mnemonic.
QString RecentItemText(int index, const std::string& path)
{
    QString shown = QDir::toNativeSeparators(QString::fromStdString(path));
    if (shown.size() > kLongPath) {
        const QChar sep = QDir::separator();
        const qsizetype firstFolderEnd = shown.indexOf(sep, 1);
        const QString name = shown.mid(shown.lastIndexOf(sep) + 1);
        if (firstFolderEnd > 0)
            shown = shown.left(firstFolderEnd + 1) + "..." + sep + name;
    }
    shown.replace("&", "&&");
    return QString("&%1 %2").arg(index + 1).arg(shown);
}
} // namespace

void CMainFrame::SetRecentFileSource(std::function<std::vector<std::string>()> source)
{
    m_recentFiles = std::move(source);
    m_commands.SetUpdate(ID_FILE_MRU_FIRST,
                         [this](CmdUI& ui) { ui.Enable(m_recentFiles && !m_recentFiles().empty()); });
}

void CMainFrame::UpdateRecentFileMenu()
{
    QMenu* file = FindTopMenu("&File");
    QAction* first = m_commands.Action(ID_FILE_MRU_FIRST);
    if (!file || !first)
        return;
    for (int i = 1; i < kRecentFileItems; ++i)
        if (QAction* extra = m_commands.Action(ID_FILE_MRU_FIRST + i))
            file->removeAction(extra);
    const std::vector<std::string> files = m_recentFiles ? m_recentFiles() : std::vector<std::string>();
    first->setEnabled(!files.empty());
    if (files.empty()) {
        first->setText("Recent File");
        return;
    }
    first->setText(RecentItemText(0, files[0]));
    const QList<QAction*> items = file->actions();
    QAction* next = items.value(items.indexOf(first) + 1);
    for (int i = 1; i < int(files.size()) && i < kRecentFileItems; ++i) {
        QAction* item = m_commands.Add(ID_FILE_MRU_FIRST + i, "");
        item->setText(RecentItemText(i, files[size_t(i)]));
        file->insertAction(next, item);
    }
}
