#pragma once

#include <QObject>
#include <QTimer>

#include <memory>

class CCommandRegistry;
class CSystemTray;
class QMenu;
class QWidget;

// The main window's side of the notification area: "Minimize to tray"
// shows the icon and hides the window, "Show..." (its menu's default item,
// also a double-click) brings the window back and takes the icon away, and
// the icon cycles through its busy pictures while lookups run. Where the
// desktop has no notification area, "Minimize to tray" is disabled, so the
// window can never be hidden where nothing would bring it back; a window
// already hidden comes back by itself when the notification area goes away.
class CTrayCommands : public QObject
{
    Q_OBJECT

public:
    static constexpr char kTip[] = "Telvaro";
    static constexpr int kAnimationDelayMs = 1000;

    // Registers its commands; the tray menu holds every command of its
    // table that is registered by now. window must outlive this.
    CTrayCommands(QWidget* window, CCommandRegistry* registry);
    ~CTrayCommands() override;

    CSystemTray* Tray() const { return m_pTray.get(); }
    QMenu* Menu() const { return m_pMenu.get(); }

    // Whether the window is hidden in the tray.
    bool IsInTray() const { return m_bInTray; }

    void OnMinimizeToTray();
    void OnShow();
    // The scheduler's hook: lookups started or all ended.
    void OnLookupsRunning(bool running);
    // With "Minimize to Tray" set, hides the window once the event loop
    // runs (after the program has shown it).
    void HideAtStartIfAsked();

private:
    void WatchTray();

    QWidget* m_pWindow;
    CCommandRegistry* m_pRegistry;
    std::unique_ptr<QMenu> m_pMenu;
    std::unique_ptr<CSystemTray> m_pTray;
    QTimer m_trayWatch;
    bool m_bInTray = false;
    int m_nTrayMisses = 0;
    bool m_bBusyPictures = false;
};
