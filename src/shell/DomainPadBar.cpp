#include "shell/DomainPadBar.h"

#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "commands/MenuBuilder.h"
#include "commands/MenuTable.h"
#include "model/DomainPadList.h"
#include "view/BigList.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

CDomainPadBar::CDomainPadBar(CDomainPadList* names, CCommandRegistry* registry, QWidget* parent)
    : QDockWidget(QStringLiteral("Domain Pad"), parent), m_pRegistry(registry)
{
    // The name under which the frame's layout keeps the bar's place.
    setObjectName(QStringLiteral("DomainPad"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setMinimumSize(33, 32);

    auto* pane = new QWidget(this);
    m_pButton = new QPushButton(QStringLiteral("Domain Pad"), pane);
    m_pButton->setObjectName(QStringLiteral("padButton"));
    m_pButton->setFixedHeight(kButtonHeight);
    m_pButton->setToolTip(QStringLiteral("Domain Pad Options"));
    // The button runs its command, so that the command table and the
    // button say the same.
    connect(m_pButton, &QPushButton::clicked, this, [this] { m_pRegistry->Execute(ID_PAD_OPTIONS); });

    m_pList = new CBigList(names, pane);
    m_pList->setObjectName(QStringLiteral("padList"));
    m_pList->setHeaderHidden(true);
    m_pList->header()->setStretchLastSection(true);
    m_pList->header()->setSectionResizeMode(0, QHeaderView::Fixed);
    m_pList->setColumnWidth(0, kNumberWidth);
    m_pList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowMenuAt(m_pList->viewport()->mapToGlobal(pos)); });
    // What the pad's commands can do follows what is selected in it, also
    // while the bar floats in a window of its own.
    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, m_pRegistry,
            &CCommandRegistry::UpdateCommandUILater);
    connect(names, &CDomainPadList::ItemCountChanged, m_pRegistry, &CCommandRegistry::UpdateCommandUILater);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(kButtonInset, 0, kButtonInset, 0);
    buttonRow->addWidget(m_pButton);
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, kButtonInset, 0, 0);
    layout->setSpacing(kListTop - kButtonInset - kButtonHeight);
    layout->addLayout(buttonRow);
    layout->addWidget(m_pList, 1);
    setWidget(pane);
}

CDomainPadBar::~CDomainPadBar() = default;

std::unique_ptr<QMenu> CDomainPadBar::BuildMenu()
{
    m_pRegistry->UpdateCommandUI();
    std::unique_ptr<QMenu> menu(CMenuBuilder(m_pRegistry, MenuPlace::ContextMenu).Build({}, GetDomainPadMenu(), this));
    return menu ? std::move(menu) : std::make_unique<QMenu>(this);
}

void CDomainPadBar::ShowButtonMenu()
{
    ShowMenuAt(m_pButton->mapToGlobal(QPoint(0, m_pButton->height())));
}

void CDomainPadBar::ShowMenuAt(const QPoint& globalPos)
{
    std::unique_ptr<QMenu> menu = BuildMenu();
    if (menu->isEmpty())
        return;
    Q_EMIT MenuShown(menu.get());
    menu->exec(globalPos);
}
