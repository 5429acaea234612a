#include "controls/CWrapCheckBox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace {
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
} // namespace

CWrapCheckBox::CWrapCheckBox(const QString& text, int lineChars, QWidget* parent)
    : QCheckBox(text, parent), m_nLineChars(lineChars)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int CWrapCheckBox::IndicatorSpace() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this) +
           style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
}

QRect CWrapCheckBox::TextRect(int width) const
{
    const int left = IndicatorSpace();
    return fontMetrics().boundingRect(QRect(left, 0, std::max(1, width - left), 0), kTextFlags, text());
}

QSize CWrapCheckBox::sizeHint() const
{
    const int oneLine = fontMetrics().size(Qt::TextShowMnemonic, text()).width();
    const int width = IndicatorSpace() + std::min(oneLine, m_nLineChars * fontMetrics().averageCharWidth()) + 2;
    return {width, heightForWidth(width)};
}

QSize CWrapCheckBox::minimumSizeHint() const
{
    // Narrower than its longest word the text would be cut.
    int widest = 0;
    for (const QString& word : text().split(' ', Qt::SkipEmptyParts))
        widest = std::max(widest, fontMetrics().size(Qt::TextShowMnemonic, word).width());
    const int width = IndicatorSpace() + widest + 2;
    return {width, heightForWidth(width)};
}

int CWrapCheckBox::heightForWidth(int width) const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int indicator = style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, this);
    return std::max(indicator, TextRect(width).height()) + 2;
}

void CWrapCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect text = TextRect(width());
    // The indicator stands level with the first line.
    QStyleOptionButton box = option;
    const int side = style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, this);
    const int firstLine = fontMetrics().height();
    box.rect = QRect(0, 1 + std::max(0, (firstLine - side) / 2), style()->pixelMetric(QStyle::PM_IndicatorWidth), side);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);
    painter.drawItemText(text.translated(0, 1), kTextFlags, option.palette, isEnabled(), this->text(),
                         QPalette::WindowText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = text.translated(0, 1).adjusted(-1, 0, 1, 0);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool CWrapCheckBox::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}
