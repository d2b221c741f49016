#include "view/DomainView.h"

#include "lookup/LookupScheduler.h"
#include "model/DomainDoc.h"
#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"
#include "base/Settings.h"
#include "view/DomainListCtrl.h"
#include "view/CopyCommands.h"
#include "view/DeleteCommands.h"
#include "view/DomainListModel.h"
#include "view/FindEntryCommand.h"
#include "view/HintLine.h"
#include "view/InfoPane.h"
#include "view/LookupCommands.h"
#include "view/MarkCommands.h"
#include "view/PictureButton.h"
#include "view/PrintCommands.h"
#include "view/ViewPanes.h"

#include <QPainter>

const QString CDomainView::kStartText = QStringLiteral(
    "From the menu choose 'Names > Add Names'\r\nto manually add domain names\r\n\r\nUse 'Names > Construct Names' "
    "to construct\r\ndomain names from keywords.\r\n\r\nor simply press ctrl-w to get started.");
const QString CDomainView::kChooseText = QStringLiteral(
    "Please click on a domain name in the above list to see the domain name record.\r\nYou can also right click on "
    "the domain name to view various options.");
const QString CDomainView::kNoInfoText = QStringLiteral(
    "Information not available.\r\nPlease click on the \"Check Availability\" button (or the 'Lookup > Highlighted "
    "Domain'\r\nmenu option) to retrieve registration data.\r\n");

CDomainView::CDomainView(CDomainDoc* doc, CCommandRegistry* registry, QWidget* parent)
    : QWidget(parent), m_pDoc(doc), m_pRegistry(registry), m_pModel(new CDomainListModel(doc, this)),
      m_pList(new CDomainListCtrl(this)), m_pInfo(new CInfoPane(this)), m_pHint(new CHintLine(this)),
      m_pSupport(new CPictureButton(QStringLiteral("Customer\nSupport"), this)),
      m_pRegister(new CPictureButton(QStringLiteral("Register\nDomain"), this)),
      m_pScheduler(std::make_unique<CLookupScheduler>(doc, CLookupOptions::FromSettings(CLookupOptions::Moment::AsStored)))
{
    m_pList->setModel(m_pModel);
    m_pList->SetDocument(doc);
    m_pList->SetCommandRegistry(registry);
    m_pList->setFrameShape(QFrame::NoFrame);
    // The highlight is captured at once; the pane is refreshed later, as
    // the list posts its Show Info.
    connect(m_pList, &CDomainListCtrl::ShowInfoRequested, this, [this] {
        m_pHighlightedRecord = GetHighlightedEntry();
        PostShowInfo();
    });
    // The model was connected first, so rows are in step when these run.
    connect(m_pDoc, &CDomainDoc::ListRebuilt, this, &CDomainView::OnListRebuilt);
    connect(m_pDoc, &CDomainDoc::AllRowsChanged, this, &CDomainView::OnAllRowsChanged);
    connect(m_pDoc, &CDomainDoc::RowChanged, this, &CDomainView::OnRowChanged);
    connect(m_pDoc, &CDomainDoc::RowRemoved, this, &CDomainView::OnRowRemoved);

    m_hintRefresh.setSingleShot(true);
    m_hintRefresh.setInterval(0);
    connect(&m_hintRefresh, &QTimer::timeout, this, &CDomainView::RefreshHint);
    connect(m_pScheduler.get(), &CLookupScheduler::HintChanged, m_pHint, &CHintLine::SetText);
    connect(m_pScheduler.get(), &CLookupScheduler::LookupRunningChanged, this, [this] { m_hintRefresh.start(); });

    RegisterCommands();
    setTabOrder(m_pList, m_pInfo);
    setTabOrder(m_pInfo, m_pSupport);
    setTabOrder(m_pSupport, m_pRegister);
    OnInitialUpdate();
    RefreshHint();
}

CDomainView::~CDomainView()
{
    // The registry may outlive the view: its commands must not reach it.
    if (m_pRegistry) {
        for (CommandId id : m_registeredIds)
            m_pRegistry->Register(id, {}, [] { return false; });
    }
    // Stops and waits for the lookups while the list can still take their
    // completions.
    m_pScheduler.reset();
}

void CDomainView::RegisterCommands()
{
    if (!m_pRegistry)
        return;
    CCommandRegistry& r = *m_pRegistry;
    auto holdsEntries = [this] { return m_pDoc->GetCount() != 0; };
    r.Register(ID_SHOW_INFO, [this] { OnShowInfo(); });
    r.Register(
        ID_REFRESH, [this] { m_pDoc->NotifyAllRowsChanged(); },
        [this] { return m_pList->GetItemCount() != 0; });
    r.Register(ID_SORT_NAMES, [this] { m_pDoc->SortDomains(1); }, holdsEntries);
    r.Register(ID_SORT_STATUS, [this] { m_pDoc->SortDomains(2); }, holdsEntries);
    r.Register(ID_SORT_DATE, [this] { m_pDoc->SortDomains(3); }, holdsEntries);
    m_registeredIds = {ID_SHOW_INFO, ID_REFRESH, ID_SORT_NAMES, ID_SORT_STATUS, ID_SORT_DATE};
    const std::vector<CommandId> lookupIds =
        RegisterLookupCommands(r, *m_pScheduler, [this] { return GetHighlightedIndex(); });
    m_registeredIds.insert(m_registeredIds.end(), lookupIds.begin(), lookupIds.end());
    auto highlighted = [this] { return GetHighlightedIndex(); };
    for (const std::vector<CommandId>& ids :
         {RegisterDeleteCommands(r, *m_pDoc, highlighted, this), RegisterMarkCommands(r, *m_pDoc, this),
          RegisterFindCommand(r, *m_pDoc, m_pList), RegisterCopyCommands(r, *m_pDoc, highlighted),
          (new CPrintCommands(*m_pDoc, this))->Register(r)})
        m_registeredIds.insert(m_registeredIds.end(), ids.begin(), ids.end());

    BindPictureButton(m_pSupport, ID_CUSTOMER_SUPPORT);
    BindPictureButton(m_pRegister, ID_REGISTER_DOMAIN);
}

void CDomainView::AttachDomainPad(CDomainPadList* pad)
{
    if (!m_pRegistry)
        return;
    const std::vector<CommandId> ids =
        RegisterPadCopyCommands(*m_pRegistry, *m_pDoc, [this] { return GetHighlightedIndex(); }, pad);
    m_registeredIds.insert(m_registeredIds.end(), ids.begin(), ids.end());
}

void CDomainView::BindPictureButton(CPictureButton* button, CommandId id)
{
    // The web commands may be registered after the view exists.
    button->SetAction(m_pRegistry->Find(id));
    connect(m_pRegistry, &CCommandRegistry::CommandRegistered, button, [this, button, id](CommandId registered) {
        if (registered == id)
            button->SetAction(m_pRegistry->Find(id));
    });
}

int CDomainView::GetHighlightedIndex() const
{
    const int row = m_pList->GetHighlightedItem();
    return row >= 0 && row < m_pList->GetItemCount() && row < m_pDoc->GetCount() ? row : -1;
}

CDomainInfo* CDomainView::GetHighlightedEntry() const
{
    const int row = GetHighlightedIndex();
    return row >= 0 ? m_pDoc->GetAt(row) : nullptr;
}

// --- keeping in step with the document ---------------------------------------

void CDomainView::OnInitialUpdate()
{
    m_pModel->OnListRebuilt();
    OnListRebuilt();
}

void CDomainView::OnListRebuilt()
{
    m_hintRefresh.start();
    // The model's reset has already left nothing highlighted.
    m_pHighlightedRecord = nullptr;
    m_bShowInfoPosted = false;
    m_pInfo->SetPaneText(kStartText);
}

void CDomainView::OnAllRowsChanged()
{
    m_hintRefresh.start();
    if (m_pHighlightedRecord) {
        // Reordered rows: the highlight stays with its record.
        const int row = m_pDoc->IndexOf(m_pHighlightedRecord);
        if (row >= 0 && row != m_pList->GetHighlightedItem()) {
            m_pList->HighlightItem(row);
            return;
        }
    }
    PostShowInfo();
}

void CDomainView::OnRowChanged(int index)
{
    m_hintRefresh.start();
    // The highlighted record may have changed under the pane.
    if (index == GetHighlightedIndex())
        PostShowInfo();
}

void CDomainView::OnRowRemoved(int)
{
    m_hintRefresh.start();
    PostShowInfo();
}

void CDomainView::PostShowInfo()
{
    if (m_bShowInfoPosted)
        return;
    m_bShowInfoPosted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_bShowInfoPosted)
                OnShowInfo();
        },
        Qt::QueuedConnection);
}

void CDomainView::OnShowInfo()
{
    m_bShowInfoPosted = false;
    if (const CDomainInfo* record = GetHighlightedEntry()) {
        if (!record->m_strName.isEmpty() && !record->m_strWhois.isEmpty()) {
            m_pInfo->ShowRecord(record->m_strWhois);
            return;
        }
    }
    if (m_pList->GetItemCount() == 0)
        m_pInfo->SetPaneText(kStartText);
    else
        m_pInfo->SetPaneText(GetHighlightedIndex() >= 0 ? kNoInfoText : kChooseText);
}

void CDomainView::ApplyOptions()
{
    m_pScheduler->SetOptions(CLookupOptions::FromSettings(CLookupOptions::Moment::AfterOptionsDialog));
    m_pDoc->m_nMaxEntries = Settings::MaxEntries.Get();
}

void CDomainView::OnNewDocument()
{
    m_pScheduler->SetStripOutput(Settings::StripOutput.Get() != 0);
}

// --- hint line ---------------------------------------------------------------

void CDomainView::RefreshHint()
{
    m_pHint->SetText(m_pScheduler->HintText());
}

// --- panes ---------------------------------------------------------------------

void CDomainView::LayOutPanes()
{
    const CViewPanes panes = CViewPanes::Compute(size());
    m_pList->setGeometry(panes.m_rcList);
    m_pList->SetColumnWidths(panes.m_rcList.width());
    m_pInfo->setGeometry(panes.m_rcInfo);
    m_pHint->setGeometry(panes.m_rcHint);
    m_pSupport->setGeometry(panes.m_rcSupport);
    m_pRegister->setGeometry(panes.m_rcRegister);
}

void CDomainView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOutPanes();
}

void CDomainView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    const CViewPanes panes = CViewPanes::Compute(size());
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    for (const QRect& r : {panes.m_rcInfoFrame, panes.m_rcListFrame, panes.m_rcButtonsFrame, panes.m_rcHintFrame}) {
        if (r.isEmpty())
            continue;
        // Sunken: shadow along the top and left, light along the bottom and right.
        p.setPen(shadow);
        p.drawLine(r.bottomLeft(), r.topLeft());
        p.drawLine(r.topLeft(), r.topRight());
        p.setPen(light);
        p.drawLine(r.topRight(), r.bottomRight());
        p.drawLine(r.bottomRight(), r.bottomLeft());
    }
}
