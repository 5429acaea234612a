#pragma once
// Whether a dialog shows its texts whole: every visible label, button, check
// box, radio button, line edit, combo box and tab of a window is checked
// against the room it was given, and each one that needs more is named.
// The checks run at any application font, so that dialogs are tried at the
// large fonts a user may choose.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <algorithm>
#include <string>
#include <vector>

namespace layoutfit {

inline std::string Describe(const QWidget* w, const QString& text)
{
    QString name = QString::fromLatin1(w->metaObject()->className());
    if (!text.isEmpty())
        name += " \"" + text + "\"";
    return name.toStdString();
}

inline std::string Sizes(QSize has, QSize needs)
{
    return " has " + std::to_string(has.width()) + "x" + std::to_string(has.height()) + ", needs " +
           std::to_string(needs.width()) + "x" + std::to_string(needs.height());
}

// The part of the widget its parents let show, in its own coordinates.
inline QRect ShownRect(const QWidget* w)
{
    QRect r = w->rect();
    for (const QWidget* p = w; p && !p->isWindow(); p = p->parentWidget()) {
        const QWidget* parent = p->parentWidget();
        if (!parent)
            break;
        r &= QRect(w->mapFrom(parent, QPoint(0, 0)), parent->size());
    }
    return r;
}

// Widgets a scroll area or a list shows in part by design.
inline bool InsideScrolledArea(const QWidget* w, const QWidget* root)
{
    for (const QWidget* p = w->parentWidget(); p && p != root; p = p->parentWidget())
        if (qobject_cast<const QAbstractScrollArea*>(p) || qobject_cast<const QTabBar*>(p) ||
            qobject_cast<const QComboBox*>(p))
            return true;
    return false;
}

inline void CheckLabel(const QLabel* l, std::vector<std::string>& out)
{
    if (l->text().isEmpty() || !l->pixmap().isNull())
        return;
    // A mnemonic works, and its "&" hides, only on a label with a buddy.
    static const QRegularExpression mnemonic("(^|[^&])&[A-Za-z0-9]");
    if (!l->buddy() && l->textFormat() != Qt::RichText && mnemonic.match(l->text()).hasMatch())
        out.push_back(Describe(l, l->text()) + " shows its \"&\": it has no buddy");
    if (l->wordWrap()) {
        const int needs = l->heightForWidth(l->width());
        if (needs > l->height())
            out.push_back(Describe(l, l->text()) + Sizes(l->size(), QSize(l->width(), needs)));
        return;
    }
    const QSize hint = l->sizeHint();
    if (hint.width() > l->width() || hint.height() > l->height())
        out.push_back(Describe(l, l->text()) + Sizes(l->size(), hint));
}

inline void CheckButton(const QAbstractButton* b, std::vector<std::string>& out)
{
    // Tool buttons show pictures; owner-drawn face buttons draw their
    // captions in the small stock font, not at their hint's size.
    if (b->text().isEmpty() || qobject_cast<const QToolButton*>(b) || b->inherits("CFaceButton"))
        return;
    if (b->hasHeightForWidth()) {
        const QSize needs(b->minimumSizeHint().width(), b->heightForWidth(b->width()));
        if (needs.width() > b->width() || needs.height() > b->height())
            out.push_back(Describe(b, b->text()) + Sizes(b->size(), needs));
        return;
    }
    const QSize hint = b->sizeHint();
    if (hint.width() > b->width() || hint.height() > b->height())
        out.push_back(Describe(b, b->text()) + Sizes(b->size(), hint));
}

// The text area of a line edit: its contents less the frame and the margin
// the edit keeps on each side.
inline void CheckLineEdit(const QLineEdit* e, std::vector<std::string>& out)
{
    if (e->text().isEmpty() || e->echoMode() != QLineEdit::Normal)
        return;
    QStyleOptionFrame option;
    option.initFrom(e);
    option.rect = e->contentsRect();
    option.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, e) : 0;
    const QRect area = e->style()->subElementRect(QStyle::SE_LineEditContents, &option, e)
                           .marginsRemoved(e->textMargins());
    const int needs = e->fontMetrics().horizontalAdvance(e->text()) + 2 * 2;
    if (needs > area.width())
        out.push_back(Describe(e, e->text()) + Sizes(area.size(), QSize(needs, area.height())));
}

inline void CheckCombo(const QComboBox* c, std::vector<std::string>& out)
{
    // A list made to show the start of long entries elides them on purpose.
    if (c->isEditable() || c->currentText().isEmpty() ||
        c->sizeAdjustPolicy() == QComboBox::AdjustToMinimumContentsLengthWithIcon)
        return;
    QStyleOptionComboBox option;
    option.initFrom(c);
    option.editable = false;
    const QRect field = c->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, c);
    int needs = c->fontMetrics().horizontalAdvance(c->currentText());
    if (!c->itemIcon(c->currentIndex()).isNull())
        needs += c->iconSize().width() + 4;
    if (needs > field.width())
        out.push_back(Describe(c, c->currentText()) + Sizes(field.size(), QSize(needs, field.height())));
}

inline void CheckTabs(const QTabBar* bar, std::vector<std::string>& out)
{
    for (int i = 0; i < bar->count(); ++i) {
        const QRect tab = bar->tabRect(i);
        const QSize needs = bar->fontMetrics().size(Qt::TextShowMnemonic, bar->tabText(i));
        if (!bar->rect().contains(tab) || tab.width() < needs.width())
            out.push_back(Describe(bar, bar->tabText(i)) + Sizes(tab.size(), needs));
    }
    for (const QToolButton* scroll : bar->findChildren<QToolButton*>())
        if (scroll->isVisible())
            out.push_back(Describe(bar, "scroll arrows") + " shown");
}

// Every visible control of the window (or of the page) whose text does not
// fit, or that its parents cut off.
inline std::vector<std::string> ClippedTexts(QWidget* root)
{
    std::vector<std::string> out;
    QList<QWidget*> all = root->findChildren<QWidget*>();
    all.prepend(root);
    for (QWidget* w : all) {
        if (!w->isVisibleTo(root->window()) || !w->isVisible())
            continue;
        if (InsideScrolledArea(w, root))
            continue;
        if (auto* l = qobject_cast<QLabel*>(w))
            CheckLabel(l, out);
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            CheckButton(b, out);
        else if (auto* e = qobject_cast<QLineEdit*>(w))
            CheckLineEdit(e, out);
        else if (auto* c = qobject_cast<QComboBox*>(w))
            CheckCombo(c, out);
        else if (auto* t = qobject_cast<QTabBar*>(w))
            CheckTabs(t, out);
        if (w != root && ShownRect(w) != w->rect())
            out.push_back(Describe(w, w->property("text").toString()) + " cut off by its parents");
    }
    return out;
}

// Each page of a tab widget shown in turn (the window's size must not change
// between them), every page checked; the names carry the page's caption.
inline std::vector<std::string> ClippedTextsOnEveryPage(QTabWidget* tabs, const QString& shotName = {})
{
    std::vector<std::string> out;
    QWidget* window = tabs->window();
    const QSize opened = window->size();
    const int was = tabs->currentIndex();
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QApplication::processEvents();
        const std::string page = tabs->tabText(i).toStdString() + ": ";
        if (window->size() != opened)
            out.push_back(page + "the window changed its size" + Sizes(window->size(), opened));
        for (const std::string& s : ClippedTexts(window))
            out.push_back(page + s);
        const QString folder = qEnvironmentVariable("KAVO_SHOTS");
        if (!shotName.isEmpty() && !folder.isEmpty())
            window->grab().save(QDir(folder).filePath(QString("%1_%2.png").arg(shotName, tabs->tabText(i))));
    }
    tabs->setCurrentIndex(was);
    QApplication::processEvents();
    return out;
}

// Where Tab leads on a page or in a dialog: from its first control in
// reading order, each press of Tab (a real key event) must go further on in
// reading order, to a control on a lower line or to the right on the same
// line, until the focus leaves the page or comes round to the first control
// again. Each step back is named.
inline std::vector<std::string> TabOrderJumps(QWidget* root)
{
    std::vector<std::string> out;
    const auto takesTab = [root](QWidget* w) {
        return w && w != root && root->isAncestorOf(w) && w->isVisible() && w->isEnabled() &&
               (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
    };
    const auto rectOf = [root](QWidget* w) { return QRect(w->mapTo(root, QPoint(0, 0)), w->size()); };
    QWidget* first = nullptr;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!takesTab(w))
            continue;
        const QRect r = rectOf(w);
        if (!first || std::make_pair(r.top(), r.left()) < std::make_pair(rectOf(first).top(), rectOf(first).left()))
            first = w;
    }
    if (!first)
        return out;
    first->setFocus(Qt::TabFocusReason);
    const auto name = [](QWidget* w) {
        const QString text = w->property("text").toString();
        return Describe(w, text.isEmpty() ? w->objectName() : text);
    };
    QList<QWidget*> seen;
    QWidget* at = QApplication::focusWidget();
    while (at && takesTab(at) && !seen.contains(at) && seen.size() < 200) {
        seen << at;
        QTest::keyClick(at, Qt::Key_Tab);
        QWidget* next = QApplication::focusWidget();
        if (!next || !takesTab(next) || seen.contains(next))
            break;
        const QRect a = rectOf(at), b = rectOf(next);
        const int overlap = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
        const bool sameLine = overlap * 2 >= std::min(a.height(), b.height());
        if (sameLine ? b.left() <= a.left() : b.top() <= a.top())
            out.push_back(name(at) + " -> " + name(next));
        at = next;
    }
    return out;
}

// The application font at a large size for the life of the object.
class LargeFont {
public:
    explicit LargeFont(int points = 15) : m_saved(QApplication::font())
    {
        QFont f = m_saved;
        f.setPointSize(points);
        QApplication::setFont(f);
    }
    ~LargeFont() { QApplication::setFont(m_saved); }

private:
    QFont m_saved;
};

} // namespace layoutfit
