#include "shell/SystemTray.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

CSystemTray::CSystemTray(QObject* parent) : QObject(parent), m_pTray(new QSystemTrayIcon(this))
{
    connect(m_pTray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        OnActivated(int(reason));
    });
    connect(&m_timer, &QTimer::timeout, this, &CSystemTray::OnTimer);
}

CSystemTray::~CSystemTray()
{
    m_timer.stop();
    m_pTray->hide();
}

bool CSystemTray::IsAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void CSystemTray::Create(const QIcon& icon, const QString& tip, QMenu* menu)
{
    SetIcon(icon);
    m_pTray->setToolTip(tip.left(kMaxTip));
    m_pMenu = menu;
    m_pTray->setContextMenu(menu);
    SetMenuDefaultItem(m_nDefaultMenuItem);
}

bool CSystemTray::SetMenuDefaultItem(int position)
{
    m_nDefaultMenuItem = position;
    if (!m_pMenu)
        return false;
    const QList<QAction*> items = m_pMenu->actions();
    if (position < 0 || position >= items.size())
        return false;
    m_pMenu->setDefaultAction(items[position]);
    return true;
}

bool CSystemTray::ShowIcon()
{
    if (!IsAvailable())
        return false;
    m_pTray->show();
    return true;
}

bool CSystemTray::HideIcon()
{
    m_pTray->hide();
    return true;
}

bool CSystemTray::IsIconShown() const
{
    return m_pTray->isVisible();
}

QString CSystemTray::GetTip() const
{
    return m_pTray->toolTip();
}

void CSystemTray::SetIcon(const QIcon& icon)
{
    m_icon = icon;
    m_pTray->setIcon(icon);
}

bool CSystemTray::SetIconList(QList<QIcon> icons)
{
    m_iconList = std::move(icons);
    m_nCurrentIcon = 0;
    return !m_iconList.isEmpty();
}

bool CSystemTray::Animate(int delayMs, int seconds)
{
    if (m_bAnimating)
        return true;
    StopAnimation();
    m_nCurrentIcon = 0;
    m_startTime.start();
    m_nAnimationPeriod = seconds;
    m_savedIcon = m_icon;
    m_bAnimating = true;
    m_timer.start(delayMs);
    return true;
}

void CSystemTray::OnTimer()
{
    if (m_nAnimationPeriod > 0 && m_startTime.elapsed() / 1000 > m_nAnimationPeriod)
        StopAnimation();
    else
        StepAnimation();
}

bool CSystemTray::StepAnimation()
{
    if (m_iconList.isEmpty())
        return false;
    m_nCurrentIcon = (m_nCurrentIcon + 1) % int(m_iconList.size());
    SetIcon(m_iconList[m_nCurrentIcon]);
    return true;
}

void CSystemTray::StopAnimation()
{
    m_timer.stop();
    if (m_bAnimating)
        SetIcon(m_savedIcon);
    m_bAnimating = false;
    m_savedIcon = QIcon();
}

void CSystemTray::OnActivated(int reason)
{
    // A double-click chooses the menu's default item; the menu itself
    // opens on a right click by the tray's own doing.
    if (reason != QSystemTrayIcon::DoubleClick || !m_pMenu)
        return;
    if (QAction* item = m_pMenu->defaultAction())
        item->trigger();
}
