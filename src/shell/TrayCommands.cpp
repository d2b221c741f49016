#include "shell/TrayCommands.h"

#include "base/Settings.h"
#include "commands/CommandIcons.h"
#include "commands/CommandId.h"
#include "commands/CommandPictures.h"
#include "commands/CommandRegistry.h"
#include "commands/MenuBuilder.h"
#include "commands/MenuTable.h"
#include "shell/SystemTray.h"

#include <QMenu>
#include <QWidget>

namespace {

// How often a window hidden in the tray checks that the tray is still there.
constexpr int kTrayWatchMs = 2000;

}

CTrayCommands::CTrayCommands(QWidget* window, CCommandRegistry* registry)
    : QObject(window), m_pWindow(window), m_pRegistry(registry), m_pTray(std::make_unique<CSystemTray>())
{
    registry->Register(ID_MINIMIZE_TO_TRAY, [this] { OnMinimizeToTray(); }, [] { return CSystemTray::IsAvailable(); });
    registry->Register(ID_SHOW, [this] { OnShow(); });

    m_pMenu.reset(CMenuBuilder(registry, MenuPlace::ContextMenu).Build(QString(), GetTrayMenu(), nullptr));
    if (!m_pMenu)
        m_pMenu = std::make_unique<QMenu>();
    m_pTray->Create(GetAppIcon(), QString::fromLatin1(kTip), m_pMenu.get());
    m_pTray->SetMenuDefaultItem(0);

    m_trayWatch.setInterval(kTrayWatchMs);
    connect(&m_trayWatch, &QTimer::timeout, this, &CTrayCommands::WatchTray);
}

CTrayCommands::~CTrayCommands()
{
    // The icon goes before the menu it refers to.
    m_pTray.reset();
}

void CTrayCommands::OnMinimizeToTray()
{
    if (!m_pTray->ShowIcon())
        return;
    m_bInTray = true;
    m_pWindow->hide();
    m_nTrayMisses = 0;
    m_trayWatch.start();
}

void CTrayCommands::OnShow()
{
    m_trayWatch.stop();
    m_bInTray = false;
    m_pWindow->show();
    m_pWindow->raise();
    m_pWindow->activateWindow();
    m_pTray->HideIcon();
    m_pRegistry->UpdateCommandUILater();
}

void CTrayCommands::WatchTray()
{
    // A panel that restarts is back within a moment and the icon returns to
    // it; one that stays away for two checks leaves the window nothing to
    // come back through.
    m_nTrayMisses = CSystemTray::IsAvailable() ? 0 : m_nTrayMisses + 1;
    if (m_bInTray && m_nTrayMisses >= 2)
        OnShow();
}

void CTrayCommands::OnLookupsRunning(bool running)
{
    if (running) {
        // Drawn when first needed rather than at every start.
        if (!m_bBusyPictures) {
            QList<QIcon> frames;
            for (int frame = 0; frame < Pictures::kBusyFrames; ++frame)
                frames << GetBusyIcon(frame);
            m_bBusyPictures = m_pTray->SetIconList(frames);
        }
        m_pTray->Animate(kAnimationDelayMs, -1);
        return;
    }
    if (m_pTray->IsAnimating()) {
        m_pTray->StopAnimation();
        m_pTray->SetIcon(GetAppIcon());
    }
}

void CTrayCommands::HideAtStartIfAsked()
{
    if (Settings::MinimizeToTray.Get() == 0)
        return;
    // Posted, as the window is shown only after it is made; where there is
    // no notification area the command is disabled and the window stays.
    QMetaObject::invokeMethod(
        this, [this] { m_pRegistry->Execute(ID_MINIMIZE_TO_TRAY); }, Qt::QueuedConnection);
}
