#pragma once

// Base of the property pages. A page shows values of the document's configuration container in
// its controls and writes them back, in the three steps of the data exchange:
//   loading (activation): DocToMembers prepares the controls (combo items, list rows), every bound
//     control takes its value, the interface texts of the page's template are applied, and the
//     controls are shown, hidden, enabled and disabled by the feature properties (ApplyProperties);
//   storing (deactivation): every bound control that the user changed writes its value back, then
//     MembersToDoc does what the page adds.
// A control that was not changed writes nothing: loading and storing a page leaves the document
// exactly as it was, so that the document counts as modified only after a real edit.
//
// Every page class names its template (IDD) and its own caption (CAPTION), so that a sheet can
// show the page's tab before the page is built.
//
// Controls carry their template control numbers (CUi_Texts), so that language files reach them;
// labels are the buddies of their fields and name them for screen readers; the tab order follows
// the control numbers. The page's controls sit in a scroll area, so that nothing is cut off where
// a window is smaller than the page needs.

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CData_All;
class CListCtrl_RepBar;
class CData_AllCfg;
struct CData_Properties;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSlider;

class CPp_Page : public QWidget
{
    Q_OBJECT

public:
    // A field of the container the page shows.
    using IntField = std::function<int&(CData_All&)>;
    using StrField = std::function<std::string&(CData_All&)>;
    // A value conversion of the blocks (StrToX): the user's text in, the value the block keeps out.
    using StrConvert = int (*)(const std::string&, std::string&);
    // A combo box item: the value it stands for and its text.
    struct CItem
    {
        int nValue;
        QString text;
    };
    using ItemList = std::function<std::vector<CItem>()>;
    // A choice of a combo box: its value, its interface text (0: none, a name that needs no
    // translation) and the program's own text when the language has none.
    struct CTextItem
    {
        int nValue;
        unsigned nText;
        const char* pszDefault;
    };
    // Interface texts of the choices several pages offer.
    static constexpr unsigned IDS_STR_CHOICE_OFF = 4401;
    static constexpr unsigned IDS_STR_CHOICE_ON = 4402;
    // What the text fields take (the classes of the value conversions).
    enum ECharClass
    {
        CLASS_ANY = -1,
        CLASS_NAME,   // the phone's name alphabet (names, labels, texts the phone shows)
        CLASS_DIAL,   // dial characters: 0-9, # and *
        CLASS_DIGITS, // 0-9
        CLASS_PAYMULT // 0-9 and one comma (the charge multiplier)
    };
    // A radio button of a group: its control number, its text and the value it stands for.
    struct CRadio
    {
        unsigned nControl;
        const char* pszText;
        int nValue;
    };

    // pszCaption: the template's own caption (the tab title when the texts have none).
    CPp_Page(unsigned nTemplate, CData_All* pData, const char* pszCaption, QWidget* pParent = nullptr);
    ~CPp_Page() override;

    unsigned TemplateNumber() const { return m_nTemplate; }
    CData_All& Data() { return *m_pData; }

    // Activation: the loading direction. Deactivation: the storing direction.
    void OnSetActive();
    void OnKillActive();
    // The page's controls fit into the room the page has (no scrolling needed).
    bool Fits() const;
    // Loaded at least once (a page never shown has nothing to store).
    bool IsLoaded() const { return m_bLoaded; }

    // Shows, hides, enables and disables controls by the feature properties.
    virtual void ApplyProperties() {}

    // List pages: opens the entry of the first selected row in its edit dialog (error beep when no
    // row is selected). 1 when an entry was changed.
    int EditSelected();
    // The page's list (nullptr on pages without one).
    CListCtrl_RepBar* List() const { return m_pList; }

    // Every cell of the list pages starts with this (the lists' own indent).
    static QString CellText(const std::string& text);

    // Text of an interface string (language file, else the resource module), or the fallback.
    static QString UiText(unsigned nNumber, const char* pszFallback = nullptr);
    static const CData_Properties& Props();

signals:
    // A value changed that other parts show (the status bar's panes, the commands' states).
    void StateChanged();

protected:
    CData_AllCfg& Cfg();

    // Loading: fills combo items, list rows and what else depends on the document.
    virtual void DocToMembers() {}
    // Storing: after the bound controls.
    virtual void MembersToDoc() {}
    // After the template's texts were applied (texts chosen by a property, marks).
    virtual void TextsApplied() {}

    // The widget the subclass lays its controls out on.
    QWidget* Content() const { return m_pContent; }

    // ---- Controls, each numbered and, where it has a field, bound to it ----
    // The labels and group boxes of a page are numbered from here on, in the order the page adds
    // them, so that the language files can name them.
    static constexpr unsigned IDC_STATIC_FIRST = 6101;
    QLabel* AddLabel(unsigned nControl, const char* pszText, QWidget* pBuddy = nullptr);
    QGroupBox* AddGroup(unsigned nControl, const char* pszText);
    QPushButton* AddButton(unsigned nControl, const char* pszText);
    // A text field; nMaxLength characters at most; nCharClass what it takes (a refused character beeps);
    // convert, when given, brings an edited text into the block's form.
    QLineEdit* AddEdit(unsigned nControl, int nMaxLength, int nCharClass, StrField field,
                       StrConvert convert = nullptr);
    // A text field without a binding (the page binds it itself).
    QLineEdit* AddEdit(unsigned nControl, int nMaxLength, int nCharClass);
    // A text that is only shown.
    QLineEdit* AddShow(unsigned nControl, StrField field);
    QCheckBox* AddCheck(unsigned nControl, const char* pszText, IntField field);
    QComboBox* AddCombo(unsigned nControl, ItemList items, IntField field);
    QSlider* AddSlider(unsigned nControl, int nMin, int nMax, IntField field);
    QButtonGroup* AddRadios(const std::vector<CRadio>& radios, IntField field);

    // The page's list; opening a row runs EditRow.
    CListCtrl_RepBar* AddList(unsigned nControl);
    // Edits the entry of a row in its dialog; 1 when it was changed (the page then refills the
    // list). Pages without entries to edit keep the default.
    virtual int EditRow(int nRow);

    // A binding of a control of its own kind: load sets the control from the container, store
    // writes it back when the user changed it.
    void Bind(std::function<void()> load, std::function<void()> store);

    // Items 0..n-1 showing their number plus nShown (a range of steps).
    static ItemList NumberItems(int nFirst, int nLast, int nShown = 0);
    // Items from a table of choices, in the language's texts.
    static ItemList TextItems(std::vector<CTextItem> items);

    // Tab order by control number, and accessible names from the labels (also after texts changed).
    void FinishControls();
    void UpdateAccessibleNames();

    static void SetShown(QWidget* pWidget, bool bShown);
    static void SetShown(unsigned nControl, const QWidget* pRoot, bool bShown);
    // A field of the page and the label that names it.
    void SetShownWithLabel(unsigned nControl, bool bShown);
    void SetEnabledWithLabel(unsigned nControl, bool bEnabled);

private:
    struct CBinding
    {
        std::function<void()> load;
        std::function<void()> store;
    };

    unsigned m_nTemplate;
    CData_All* m_pData;
    QScrollArea* m_pScroll = nullptr;
    QWidget* m_pContent = nullptr;
    CListCtrl_RepBar* m_pList = nullptr;
    std::vector<CBinding> m_bindings;
    bool m_bLoaded = false;
};
