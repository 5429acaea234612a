#include "frame/ui/CStyleBar.h"

#include "controls/CDlgCommandEvent.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "document/ApplyStyleToSel.h"
#include "document/CKavoDoc.h"
#include "frame/ui/CStyleBarSlotButton.h"
#include "platform/Colorref.h"
#include "platform/SysColors.h"
#include "platform/ui/DlgItems.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

namespace {

// The picture sits in the bottom strip: from 41 to 5 pixels above the
// client bottom; its bitmap keeps the proportions 400 by 110.
constexpr int kPictureTopFromBottom = 41;
constexpr int kPictureBottomFromBottom = 5;
constexpr COLORREF kPictureKey = 0xFF00FF;

QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

} // namespace

CKavoStyleBar::CKavoStyleBar(QWidget* parent) : QWidget(parent)
{
    SetDlgCtrlID(this, IDD_STYLE_BAR);
    m_rows[kLabelRow] = std::make_unique<CLblButtonRow>();
    m_rows[kFigureRow] = std::make_unique<CFigButtonRow>();
    m_rows[kConnectorRow] = std::make_unique<CConButtonRow>();
    m_pickerFont = QFont("Arial");
    m_pickerFont.setPixelSize(12);
    m_comboFont.setPixelSize(15);
    setFixedWidth(m_nBarWidth);
    m_picture = new QLabel(this);
    m_picture->setAlignment(Qt::AlignCenter);
    SetDlgCtrlID(m_picture, IDC_STYLE_BAR_PICTURE);
    PlacePicture();
}

CKavoStyleBar::~CKavoStyleBar() = default;

void CKavoStyleBar::SetBarWidth(int width)
{
    m_nBarWidth = std::max(width, 0);
    setFixedWidth(m_nBarWidth);
    if (setBarWidth)
        setBarWidth(m_nBarWidth);
}

void CKavoStyleBar::LayoutRows()
{
    std::array<StyleRowFit, kStyleBarRows> fits;
    for (int r = 0; r < kStyleBarRows; ++r) {
        m_rows[size_t(r)]->PrepareFlags(*m_pDoc, ShowStyleBarCombos != 0);
        fits[size_t(r)] = m_rows[size_t(r)]->FitInput();
    }
    LayoutStyleBarRows(fits, height());
    for (int r = 0; r < kStyleBarRows; ++r)
        m_rows[size_t(r)]->TakeFit(fits[size_t(r)]);
}

int CKavoStyleBar::Build()
{
    DiagPrintf("STAT  CKavoStyleBar::Build()\n");
    m_nFreeTop = 0;
    m_pDoc = activeDoc ? activeDoc() : nullptr;
    if (!m_pDoc)
        return 1;
    for (auto& row : m_rows)
        row->LoadLayout(*m_pDoc);
    LayoutRows();
    m_nBuiltHeight = height();
    int top = 0;
    for (auto& row : m_rows)
        row->CreateControls(m_pDoc, this, top, m_comboFont, m_pickerFont);
    m_nFreeTop = top;
    WireButtons();
    for (auto& row : m_rows)
        if (g_nUIMode == row->Spec().uiMode)
            if (CStyleBarSlotButton* b = row->Button(row->FindButton(row->CurrentStyle(*m_pDoc))))
                b->Press();
    ConfigCBoxes();
    for (auto& row : m_rows)
        row->UpdateScrollBar();
    PlacePicture();
    DiagPrintf("STAT  CKavoStyleBar::Build() exit\n");
    return 1;
}

void CKavoStyleBar::WireButtons()
{
    for (auto& row : m_rows)
        for (int i = 0; i < row->ButtonsCreated(); ++i)
            row->Button(i)->onButtonUp = [this](CStyleBarSlotButton* b, QWidget* under, Qt::KeyboardModifiers mods) {
                OnButtonUp(b, under, mods);
            };
}

int CKavoStyleBar::Rebuild(bool changed, bool keepScroll)
{
    DiagPrintf("STAT  CKavoStyleBar::Rebuild()\n");
    CKavoDoc* doc = activeDoc ? activeDoc() : nullptr;
    if (CollapsedStyleBar)
        return 1;
    const int wanted = doc ? doc->m_nSBarWidth : kStyleBarDefaultWidth;
    if (doc)
        for (auto& row : m_rows)
            if (!(row->Layout() == row->DocLayout(*doc))) {
                row->LoadLayout(*doc);
                changed = true;
            }
    if (width() != wanted || m_nBarWidth != wanted)
        SetBarWidth(wanted);
    std::array<bool, kStyleBarRows> atEnd{};
    std::array<int, kStyleBarRows> oldEnd{};
    if (changed) {
        ShowControls(false);
        for (int r = 0; r < kStyleBarRows; ++r) {
            CStyleButtonRow& row = *m_rows[size_t(r)];
            atEnd[size_t(r)] = keepScroll && row.Scrolls() && row.Offset() >= row.MaxOffset();
            oldEnd[size_t(r)] = row.MaxOffset();
            if (!keepScroll)
                row.SetOffset(0);
        }
    } else {
        repaint();
        setUpdatesEnabled(false);
    }
    for (auto& row : m_rows)
        row->DestroyControls();
    const int result = Build();
    for (int r = 0; r < kStyleBarRows; ++r) {
        CStyleButtonRow& row = *m_rows[size_t(r)];
        if (atEnd[size_t(r)] && row.MaxOffset() != oldEnd[size_t(r)])
            row.Scroll(kScrollBottom, 0, row.MarkedStyle());
    }
    ShowControls(true);
    setUpdatesEnabled(true);
    DiagPrintf("STAT  CKavoStyleBar::Rebuild() exit\n");
    return result;
}

int CKavoStyleBar::RebuildIfNewDoc()
{
    DiagPrintf("STAT  CKavoStyleBar::RebuildIfNewDoc()\n");
    if (m_pDoc && activeDoc && m_pDoc == activeDoc())
        return 0;
    return Rebuild(true, false);
}

void CKavoStyleBar::ShowControls(bool show)
{
    DiagPrintf("STAT  CKavoStyleBar::ShowControls()\n");
    if (CollapsedStyleBar)
        show = false;
    for (auto& row : m_rows)
        row->ShowControls(show);
    PlacePicture();
    if (!show)
        m_picture->hide();
}

void CKavoStyleBar::DestroyControls()
{
    for (auto& row : m_rows)
        row->DestroyControls();
    m_nFreeTop = 0;
}

void CKavoStyleBar::ConfigCBoxes()
{
    DiagPrintf("STAT  CKavoStyleBar::ConfigCBoxes()\n");
    for (auto& row : m_rows)
        row->FillComboBox(m_pDoc);
}

void CKavoStyleBar::RenderPicture()
{
    const int w = std::max(m_picture->width(), kStyleBarPictureMinWidth);
    const COLORREF faceRef = GetSysColor(COLOR_BTNFACE);
    // Drawn again only for a new width or face colour.
    if (w == m_nPictureWidth && faceRef == m_crPictureFace)
        return;
    m_nPictureWidth = w;
    m_crPictureFace = faceRef;
    const int h = w * 110 / 400;
    static const QImage source(":/bitmaps/2114.png");
    QImage art = source;
    QImage picture(w, h, QImage::Format_RGB32);
    const QColor face = ToQColor(faceRef);
    picture.fill(face);
    if (!art.isNull()) {
        // The resource's magenta is the face colour wherever the bar shows.
        art = art.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = ToQColor(kPictureKey).rgb();
        for (int y = 0; y < art.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(art.scanLine(y));
            for (int x = 0; x < art.width(); ++x)
                if ((line[x] | 0xFF000000u) == key)
                    line[x] = face.rgb();
        }
        QPainter(&picture).drawImage(QRect(0, 0, w, h), art);
    }
    m_picture->setPixmap(QPixmap::fromImage(picture));
}

void CKavoStyleBar::PlacePicture()
{
    const int top = height() - kPictureTopFromBottom;
    m_picture->setGeometry(0, top, width(), kPictureTopFromBottom - kPictureBottomFromBottom);
    RenderPicture();
    const bool room = top >= m_nFreeTop && width() >= kStyleBarPictureMinWidth;
    m_picture->setVisible(room && !CollapsedStyleBar);
}

void CKavoStyleBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // A new height shares the rows out again.
    if (m_pDoc && event->size().height() != m_nBuiltHeight)
        Rebuild(true, false);
    else
        PlacePicture();
}

void CKavoStyleBar::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), ToQColor(GetSysColor(COLOR_BTNFACE)));
}
