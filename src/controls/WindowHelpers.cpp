#include "controls/WindowHelpers.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

void CollectWidgets(QLayout* layout, std::vector<QWidget*>& out);

// A widget takes its place; one that takes no focus but holds a layout of
// its own (a group box, a plain panel) gives the places of its controls.
void CollectItem(QLayoutItem* item, std::vector<QWidget*>& out)
{
    if (QWidget* w = item->widget()) {
        if (!(w->focusPolicy() & Qt::TabFocus) && w->layout())
            CollectWidgets(w->layout(), out);
        else
            out.push_back(w);
    } else if (QLayout* inner = item->layout()) {
        CollectWidgets(inner, out);
    }
}

void CollectWidgets(QLayout* layout, std::vector<QWidget*>& out)
{
    auto* grid = qobject_cast<QGridLayout*>(layout);
    if (!grid) {
        for (int i = 0; i < layout->count(); ++i)
            CollectItem(layout->itemAt(i), out);
        return;
    }
    // A grid's items come in the order they were added: sort them by cell.
    std::vector<std::tuple<int, int, int>> cells;
    for (int i = 0; i < grid->count(); ++i) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(i, &row, &column, &rows, &columns);
        cells.emplace_back(row, column, i);
    }
    std::sort(cells.begin(), cells.end());
    for (const auto& [row, column, index] : cells)
        CollectItem(grid->itemAt(index), out);
}

} // namespace

bool IsDialogWindow(const QWidget* window)
{
    return qobject_cast<const QDialog*>(window) != nullptr;
}

void OrderTabsByLayout(QWidget* container)
{
    if (!container || !container->layout())
        return;
    std::vector<QWidget*> widgets;
    CollectWidgets(container->layout(), widgets);
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (!(w->focusPolicy() & Qt::TabFocus))
            continue;
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void FitDroppedListToEntries(QComboBox* combo)
{
    if (!combo)
        return;
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i)
        widest = std::max(widest, combo->fontMetrics().horizontalAdvance(combo->itemText(i)));
    // Room for the list's frame, the item margins and a scroll bar.
    const QStyle* style = combo->style();
    int wanted = widest + style->pixelMetric(QStyle::PM_ScrollBarExtent) +
                 4 * style->pixelMetric(QStyle::PM_DefaultFrameWidth) +
                 2 * style->pixelMetric(QStyle::PM_FocusFrameHMargin) + combo->fontMetrics().averageCharWidth();
    if (const QScreen* screen = combo->screen())
        wanted = std::min(wanted, screen->availableGeometry().width());
    combo->view()->setMinimumWidth(wanted);
}
