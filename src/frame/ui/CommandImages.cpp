#include "frame/ui/CommandImages.h"

#include "graphics/ArtPainter.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOption>

namespace {
struct ThemeName {
    unsigned command;
    const char* name;
};

// Names of the freedesktop icon naming scheme.
constexpr ThemeName kThemeNames[] = {
    {57600, "document-new"},       {57601, "document-open"},       {57603, "document-save"},
    {57607, "document-print"},     {57609, "document-print-preview"}, {36560, "document-page-setup"},
    {57635, "edit-cut"},           {57634, "edit-copy"},           {57637, "edit-paste"},
    {57643, "edit-undo"},          {57632, "edit-delete"},         {33035, "edit-find"},
    {33036, "edit-find-replace"},  {33029, "edit-select-all"},     {36517, "zoom-in"},
    {36518, "zoom-out"},           {36521, "zoom-fit-best"},       {57666, "help-contents"},
    {32770, "go-previous"},        {32769, "go-next"},             {32773, "go-up"},
    {36531, "format-text-bold"},   {36532, "format-text-italic"},  {36533, "format-text-underline"},
    {36505, "format-justify-left"}, {36506, "format-justify-center"}, {36507, "format-justify-right"},
    {57648, "window-new"},
};

// The program's own picture at any size, in the palette's colours at the
// time it is drawn; a disabled picture in the style's disabled look.
class CCommandIconEngine : public QIconEngine {
public:
    CCommandIconEngine(unsigned command, bool other) : m_nCommand(command), m_bOther(other) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        const QColor face = QApplication::palette().color(QPalette::Button);
        QPixmap pm = CommandPixmap(m_nCommand, m_bOther, side, face);
        if (mode == QIcon::Disabled) {
            QStyleOption opt;
            opt.palette = QApplication::palette();
            pm = QApplication::style()->generatedIconPixmap(QIcon::Disabled, pm, &opt);
        }
        return pm;
    }
    QIconEngine* clone() const override { return new CCommandIconEngine(m_nCommand, m_bOther); }

private:
    unsigned m_nCommand;
    bool m_bOther;
};
} // namespace

bool PaintCommandImage(ArtPainter& art, unsigned command, bool otherState)
{
    return PaintFileImage(art, command) || PaintTextImage(art, command) || PaintDiagramImage(art, command) ||
           PaintViewImage(art, command, otherState);
}

QPixmap CommandPixmap(unsigned command, bool otherState, int size, const QColor& background)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    ArtPainter art(p, QRectF(0, 0, size, size), ArtColoursFor(background));
    PaintCommandImage(art, command, otherState);
    return pm;
}

bool HasMenuPicture(unsigned command)
{
    return (command >= 33190 && command <= 33195) || (command >= 40010 && command <= 40012);
}

const char* CommandThemeName(unsigned command)
{
    for (const ThemeName& t : kThemeNames)
        if (t.command == command)
            return t.name;
    return nullptr;
}

QIcon CommandIcon(unsigned command, bool otherState)
{
    if (const char* name = CommandThemeName(command); name && !otherState && QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    return QIcon(new CCommandIconEngine(command, otherState));
}
