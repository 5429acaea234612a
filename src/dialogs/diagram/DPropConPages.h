#pragma once
// The Connectors and Text Format pages of Diagram Properties.
#include "dialogs/diagram/DPropPage.h"
#include "platform/WinTypes.h"

class CKavoDoc;
class QCheckBox;
class QComboBox;
class QRadioButton;
class CTextDropButton;

class CDPropCon : public CDPropPage {
    Q_OBJECT
public:
    explicit CDPropCon(DiagramProps& values, QWidget* parent = nullptr);
    static constexpr int kCornerId = 2591, kCornerButtonId = 2596, kJogsId = 2659, kLoopId = 2592, kLoopButtonId = 2602,
                         kJunctionDotsId = 2665, kConPtDotsId = 2660;
    // The pictures beside the rounded-corner and jog groups and the two dot checks.
    static constexpr int kRoundedPictureId = 2593, kJogsPictureId = 2658, kJunctionPictureId = 2666,
                         kConPtPictureId = 2662;
    void LoadPage() override;
    bool StorePage() override;

private:
    // A drop button listing "name<tab>size" entries; choosing one stores
    // its size into *value and reloads the page.
    CTextDropButton* MakeSizeButton(int id, UINT firstString, int* value);
    CNumEdit* m_corner;
    CNumEdit* m_loop;
    CTextDropButton* m_loopButton = nullptr;
    QCheckBox* m_jogs;
    QCheckBox* m_junctionDots;
    QCheckBox* m_conPtDots;
};

class CDPropFormat : public CDPropPage {
    Q_OBJECT
public:
    CDPropFormat(DiagramProps& values, const CKavoDoc* doc, QWidget* parent = nullptr);
    static constexpr int kScalableId = 2651, kFixedId = 2652, kMarginId = 2139, kSpacingKindId = 2144,
                         kSpacingValueId = 2140;
    void LoadPage() override;
    bool StorePage() override;

private:
    // The value field's kind, range and message follow the spacing kind.
    void BindValueField();
    void OnKindChosen(int kind);
    const CKavoDoc* m_doc;
    QRadioButton* m_scalable;
    QRadioButton* m_fixed;
    CNumEdit* m_margin;
    QComboBox* m_kind;
    CNumEdit* m_value;
    QWidget* m_marginLabel = nullptr;
    QWidget* m_valueLabel = nullptr;
    double m_marginPoints = 0; // the fixed margin as the field shows it
    int m_spacingValue = 0;    // the spacing value as the field edits it
};
