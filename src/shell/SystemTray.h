#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QMenu;
class QSystemTrayIcon;

// The program's icon in the desktop's notification area. It is shown only
// while the main window is hidden there; its menu's default item (drawn
// bold) is also what a double-click chooses; and it can cycle through a
// list of pictures to say that work goes on. Where the desktop has no
// notification area the calls change the state kept here and nothing else.
class CSystemTray : public QObject
{
    Q_OBJECT

public:
    // The longest tip, in characters.
    static constexpr int kMaxTip = 63;

    explicit CSystemTray(QObject* parent = nullptr);
    ~CSystemTray() override;

    // Whether the desktop has a notification area now.
    static bool IsAvailable();

    // Sets the picture, the tip (cut to kMaxTip) and the menu (not owned,
    // must outlive this); the icon stays hidden until ShowIcon().
    void Create(const QIcon& icon, const QString& tip, QMenu* menu);
    // The menu item that a double-click chooses, drawn bold; by position.
    bool SetMenuDefaultItem(int position);

    bool ShowIcon();
    bool HideIcon();
    bool IsIconShown() const;

    void SetIcon(const QIcon& icon);
    QIcon GetIcon() const { return m_icon; }
    QString GetTip() const;
    // The animation's pictures, in order; false when the list is empty.
    bool SetIconList(QList<QIcon> icons);

    // Cycles through the list every delayMs, for seconds (0 or less: until
    // stopped); true when it is animating. Already animating: no change.
    bool Animate(int delayMs, int seconds);
    // The next picture of the list; false when the list is empty.
    bool StepAnimation();
    // Back to the picture shown before Animate().
    void StopAnimation();
    bool IsAnimating() const { return m_bAnimating; }
    int CurrentIcon() const { return m_nCurrentIcon; }

    QSystemTrayIcon* TrayIcon() const { return m_pTray; }

private:
    void OnActivated(int reason);
    void OnTimer();

    QSystemTrayIcon* m_pTray;
    QPointer<QMenu> m_pMenu;
    QIcon m_icon;
    QList<QIcon> m_iconList;
    QTimer m_timer;
    QElapsedTimer m_startTime;
    int m_nCurrentIcon = 0;
    int m_nAnimationPeriod = 0;
    bool m_bAnimating = false;
    QIcon m_savedIcon;
    int m_nDefaultMenuItem = 0;
};
