#pragma once

#include <QDockWidget>

#include <memory>

class CBigList;
class CCommandRegistry;
class CDomainPadList;
class QMenu;
class QPushButton;

// The Domain Pad's window: a docking bar beside the main list with the
// "Domain Pad" button at the top, which opens the pad's menu, and the
// numbered list of the pad's names under it, whose right-click menu is the
// same. The frame owns the names (they outlive this window) and keeps the
// bar's place and size with the rest of its layout.
class CDomainPadBar : public QDockWidget
{
    Q_OBJECT

public:
    // Layout: the button fills the top strip but for this inset, the list
    // starts below kListTop.
    static constexpr int kButtonInset = 3;
    static constexpr int kButtonHeight = 28;
    static constexpr int kListTop = 36;
    static constexpr int kNumberWidth = 40;

    CDomainPadBar(CDomainPadList* names, CCommandRegistry* registry, QWidget* parent = nullptr);
    ~CDomainPadBar() override;

    CBigList* GetList() const { return m_pList; }
    QPushButton* GetButton() const { return m_pButton; }

    // The pad's menu as it would open now: the registered commands, each
    // enabled by its rule. The caller owns it.
    std::unique_ptr<QMenu> BuildMenu();
    // Opens the menu under the button (the button's command).
    void ShowButtonMenu();

Q_SIGNALS:
    // A menu of the pad opened (for tests).
    void MenuShown(QMenu* menu);

private:
    void ShowMenuAt(const QPoint& globalPos);

    CCommandRegistry* m_pRegistry;
    QPushButton* m_pButton;
    CBigList* m_pList;
};
