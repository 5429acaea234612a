#pragma once
// A check box whose long text wraps onto further lines instead of asking for
// the width of the whole sentence: the dialog holding it keeps a readable
// width at any font size, and a click on the text ticks the box as usual.
#include <QCheckBox>

class CWrapCheckBox : public QCheckBox {
    Q_OBJECT
public:
    // lineChars: the width the box asks for, in average characters of its
    // font (a shorter text asks for its own width).
    CWrapCheckBox(const QString& text, int lineChars, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    // Left of the text: the indicator and the gap after it.
    int IndicatorSpace() const;
    QRect TextRect(int width) const;
    int m_nLineChars;
};
