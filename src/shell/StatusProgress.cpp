#include "shell/StatusProgress.h"

#include "lookup/LookupScheduler.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

CStatusProgress::CStatusProgress(QWidget* parent)
    : QWidget(parent), m_pLabel(new QLabel(this)), m_pBar(new QProgressBar(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 4, 0);
    m_pBar->setTextVisible(false);
    m_pBar->setFixedWidth(120);
    m_pBar->setMaximumHeight(14);
    layout->addWidget(m_pLabel);
    layout->addWidget(m_pBar);
    hide();
}

void CStatusProgress::Track(CLookupScheduler* scheduler)
{
    if (m_pScheduler)
        disconnect(m_pScheduler, nullptr, this, nullptr);
    m_pScheduler = scheduler;
    if (scheduler) {
        connect(scheduler, &CLookupScheduler::Ticked, this, &CStatusProgress::Refresh);
        connect(scheduler, &CLookupScheduler::LookupFinished, this, &CStatusProgress::Refresh);
        connect(scheduler, &CLookupScheduler::LookupRunningChanged, this, &CStatusProgress::Refresh);
        connect(scheduler, &QObject::destroyed, this, [this] {
            m_pScheduler = nullptr;
            Refresh();
        });
    }
    Refresh();
}

void CStatusProgress::Refresh()
{
    // "Lookup Selected" ends when it has nothing more to start; its last
    // lookups may still run, and they count.
    if (m_pScheduler && m_pScheduler->IsLookupRunning())
        m_bFollowing = true;
    else if (!m_pScheduler || !m_pScheduler->IsBusy())
        m_bFollowing = false;
    const int total = m_pScheduler ? m_pScheduler->ProgressTotal() : 0;
    const bool show = m_bFollowing && total > 0;
    if (show) {
        const int done = std::min(m_pScheduler->ProgressDone(), total);
        m_pBar->setRange(0, total);
        m_pBar->setValue(done);
        m_pLabel->setText(QStringLiteral("%1 of %2 names looked up").arg(done).arg(total));
    }
    setVisible(show);
}

QString CStatusProgress::Text() const
{
    return isHidden() ? QString() : m_pLabel->text();
}
