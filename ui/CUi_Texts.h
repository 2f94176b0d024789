#pragma once

// Puts the interface texts into widgets: a dialog or page when it opens (caption, menu popups,
// every numbered control), a page's tab title, and a menu as it opens. Widgets carry the numbers
// of the resource templates as dynamic properties, so any of them can be found by number.

#include <QString>

#include <functional>
#include <string>

class CLang_Text;
class QAction;
class QMenu;
class QObject;
class QTabWidget;
class QWidget;

class CUi_Texts
{
public:
    // Dynamic property names: a control's number, a dialog's or page's template number, a menu
    // action's command number.
    static const char* const CONTROL_PROPERTY;
    static const char* const TEMPLATE_PROPERTY;
    static const char* const COMMAND_PROPERTY;
    // Set on a page whose tab title came from the texts (the sheet must use the page's own title).
    static const char* const OWN_TITLE_PROPERTY;

    static void SetControlNumber(QWidget* pWidget, unsigned nControl);
    static unsigned ControlNumber(const QObject* pObject); // 0 when the object has none
    // The first descendant of root with this control number; nullptr when there is none.
    static QWidget* FindControl(const QWidget* pRoot, unsigned nControl);
    static void SetTemplateNumber(QWidget* pWidget, unsigned nTemplate);
    static unsigned TemplateNumber(const QObject* pObject);
    static void SetCommand(QAction* pAction, unsigned nCommand);
    static unsigned Command(const QObject* pAction);

    // Code page 1252 bytes of the core to and from the widgets' text.
    static QString FromCp1252(const std::string& bytes);
    static std::string ToCp1252(const QString& text);

    // Sets a widget's visible text the way its kind shows one (button and label text, group box
    // title, edit contents, else the window title). 1 when the widget took it.
    static int SetWidgetText(QWidget* pWidget, const QString& text);

    // Dialog or page opening: the popup texts of its menu bar (number 10 x template + position +
    // 6001), its caption, and the texts of all numbered controls. pText nullptr: the store in force.
    static void ApplyDialog(QWidget* pDialog, unsigned nTemplate, const CLang_Text* pText = nullptr);
    // The caption text of a page's template; empty when the texts have none.
    static QString PageCaption(unsigned nTemplate, const CLang_Text* pText = nullptr);
    // A page before it is added to a sheet: its caption text becomes its window title (the tab
    // title the sheet uses). 1 when a text was set.
    static int ApplyPageCaption(QWidget* pPage, unsigned nTemplate, const CLang_Text* pText = nullptr);
    // The tab of an already added page.
    static int ApplyTabTitle(QTabWidget* pSheet, int nIndex, unsigned nTemplate,
                             const CLang_Text* pText = nullptr);

    // A menu as it opens: each action with a command number shows the menu item text of 10 x
    // command when both that text and the action's text are not empty; then update runs for the
    // action; sub-menus are handled the same way.
    using CUpdate = std::function<void(QAction*)>;
    static void ApplyMenu(QMenu* pMenu, const CUpdate& update = CUpdate(), const CLang_Text* pText = nullptr);
    // Applies the texts every time the menu is about to show.
    static void AttachMenu(QMenu* pMenu, const CUpdate& update = CUpdate());
};
