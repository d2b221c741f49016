#include "names/TLDSetupDlg.h"

#include "base/UserMessage.h"
#include "model/TLDTable.h"
#include "names/ImportWhoisDlg.h"
#include "names/WhoisImport.h"
#include "view/TLDListCtrl.h"
#include "view/TLDListModel.h"
#include "widgets/HelpWindow.h"

#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QLineEdit* MakeBox(const char* name, const QString& label, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(label);
    return box;
}

}

CTLDSetupDlg::CTLDSetupDlg(std::function<bool()> isBusy, QWidget* parent)
    : QDialog(parent), m_isBusy(std::move(isBusy))
{
    setWindowTitle(QStringLiteral("Top Level Domains & WHOIS Servers"));

    m_lstTLDs = new CTLDListCtrl(this);
    m_lstTLDs->setObjectName(QStringLiteral("tldList"));
    m_lstTLDs->setAccessibleName(QStringLiteral("TLDs and their WHOIS servers"));
    m_pModel = new CTLDListModel(m_lstTLDs);
    m_lstTLDs->setModel(m_pModel);
    m_lstTLDs->viewport()->installEventFilter(this);

    m_pTLD = MakeBox("tld", QStringLiteral("TLD"), this);
    m_pServer = MakeBox("server", QStringLiteral("WHOIS Server"), this);
    auto* tldLabel = new QLabel(QStringLiteral("TLD"), this);
    tldLabel->setBuddy(m_pTLD);
    auto* serverLabel = new QLabel(QStringLiteral("WHOIS Server"), this);
    serverLabel->setBuddy(m_pServer);
    m_pHint = new QLabel(QString::fromLatin1(kHint), this);
    m_pHint->setObjectName(QStringLiteral("hint"));
    m_pHint->setWordWrap(true);

    QPushButton* add = MakeButton(QStringLiteral("&Add New TLD"), "add", this);
    QPushButton* remove = MakeButton(QStringLiteral("&Delete"), "delete", this);
    QPushButton* import = MakeButton(QStringLiteral("&Import..."), "import", this);
    QPushButton* reset = MakeButton(QStringLiteral("&Reset"), "reset", this);
    QPushButton* close = MakeButton(QStringLiteral("&Close"), "close", this);
    close->setDefault(true);

    auto* boxes = new QGridLayout;
    boxes->addWidget(tldLabel, 0, 0);
    boxes->addWidget(m_pTLD, 0, 1);
    boxes->addWidget(serverLabel, 1, 0);
    boxes->addWidget(m_pServer, 1, 1);
    auto* left = new QVBoxLayout;
    left->addWidget(m_lstTLDs, 1);
    left->addLayout(boxes);
    left->addWidget(m_pHint);
    auto* right = new QVBoxLayout;
    for (QPushButton* button : {add, remove, import, reset})
        right->addWidget(button);
    right->addStretch(1);
    right->addWidget(close);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    setTabOrder(m_lstTLDs, m_pTLD);
    setTabOrder(m_pTLD, m_pServer);
    setTabOrder(m_pServer, add);
    setTabOrder(add, remove);
    setTabOrder(remove, import);
    setTabOrder(import, reset);
    setTabOrder(reset, close);

    connect(add, &QPushButton::clicked, this, &CTLDSetupDlg::OnAddNewTLD);
    connect(remove, &QPushButton::clicked, this, &CTLDSetupDlg::OnDelete);
    connect(import, &QPushButton::clicked, this, &CTLDSetupDlg::OnImport);
    connect(reset, &QPushButton::clicked, this, &CTLDSetupDlg::OnReset);
    connect(close, &QPushButton::clicked, this, &CTLDSetupDlg::accept);
    // Both arrive as the list's posted messages did: after the click or
    // key that caused them has been handled.
    connect(m_lstTLDs, &CTLDListCtrl::TLDSelChange, this, &CTLDSetupDlg::CommitAndLoad, Qt::QueuedConnection);
    connect(m_lstTLDs, &CTLDListCtrl::TLDReopen, this, &CTLDSetupDlg::Reopen, Qt::QueuedConnection);

    resize(520, 440);
    CHelpWindow::AddHelpKey(this, QString::fromLatin1(kHelpTopic));
    OnInitDialog();
}

CTLDSetupDlg::~CTLDSetupDlg() = default;

void CTLDSetupDlg::OnInitDialog()
{
    // The model shows the table's rows as they are; nothing is selected and
    // both boxes are empty.
    m_nCurSel = -1;
    m_pCurRow.reset();
    m_strTLDText.clear();
    m_strServerText.clear();
    UpdateData(false);
    SetColumnWidths();
}

bool CTLDSetupDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lstTLDs->viewport() && event->type() == QEvent::Resize)
        SetColumnWidths();
    return QDialog::eventFilter(watched, event);
}

void CTLDSetupDlg::SetColumnWidths()
{
    // From the list's client width: the number, then TLD and server sharing
    // the rest, the server with the larger part.
    const int width = m_lstTLDs->viewport()->width();
    const int half = (width - 55) / 2;
    m_lstTLDs->setColumnWidth(0, 50);
    m_lstTLDs->setColumnWidth(1, qMax(0, half - 50));
    m_lstTLDs->setColumnWidth(2, qMax(0, half + 50));
}

void CTLDSetupDlg::UpdateData(bool bSaveAndValidate)
{
    if (bSaveAndValidate) {
        m_strTLDText = m_pTLD->text().toLatin1();
        m_strServerText = m_pServer->text().toLatin1();
    } else {
        m_pTLD->setText(QString::fromLatin1(m_strTLDText));
        m_pServer->setText(QString::fromLatin1(m_strServerText));
    }
}

int CTLDSetupDlg::TargetRow() const
{
    const QModelIndexList selected = m_lstTLDs->selectionModel()->selectedRows();
    int first = -1;
    for (const QModelIndex& index : selected) {
        if (first < 0 || index.row() < first)
            first = index.row();
    }
    return first >= 0 ? first : m_lstTLDs->GetHighlightedItem();
}

void CTLDSetupDlg::SelectRow(int row)
{
    m_lstTLDs->HighlightItem(row);
}

void CTLDSetupDlg::CommitAndLoad()
{
    const int target = TargetRow();
    UpdateData(true);
    const int rows = int(g_tldTable.GetSize());
    if (m_nCurSel >= 0 && m_nCurSel < rows && g_tldTable.m_rows[size_t(m_nCurSel)] == m_pCurRow) {
        // No checks: what the boxes say is stored, empty or not. The
        // registrar is not shown here and stays as it is.
        g_tldTable.SetTLDText(m_nCurSel, m_strTLDText);
        m_pCurRow->m_strServer = m_strServerText;
        m_pModel->RowChanged(m_nCurSel);
    }
    if (target < 0 || target >= rows)
        return;
    m_pCurRow = g_tldTable.m_rows[size_t(target)];
    m_strTLDText = m_pCurRow->m_strTLD;
    m_strServerText = m_pCurRow->m_strServer;
    UpdateData(false);
    m_nCurSel = target;
}

void CTLDSetupDlg::AddOrUpdateTLD(const QByteArray& tld, const QByteArray& server)
{
    if (tld.isEmpty() || server.isEmpty())
        return;
    CommitAndLoad();
    bool added = false;
    CTLDInfo* row = g_tldTable.AddOrUpdate(tld, server, &added);
    if (!added) {
        const int index = int(g_tldTable.IndexOf(row));
        m_pModel->RowChanged(index);
        if (index == m_nCurSel) {
            m_strServerText = server;
            m_pServer->setText(QString::fromLatin1(server));
        }
        return;
    }
    m_pModel->RowsAppended();
    SelectRow(int(g_tldTable.GetSize()) - 1);
    CommitAndLoad();
}

void CTLDSetupDlg::ImportText(const QByteArray& text)
{
    const QList<CWhoisImportEntry> entries = ParseWhoisImport(text);
    if (entries.isEmpty())
        return;
    // As adding each line would: commit once, then every row at once, and
    // the last new row selected.
    CommitAndLoad();
    const qsizetype before = g_tldTable.GetSize();
    ImportWhoisServers(g_tldTable, entries);
    m_pModel->AllRowsChanged();
    m_pModel->RowsAppended();
    if (m_nCurSel >= 0 && m_nCurSel < g_tldTable.GetSize() && g_tldTable.m_rows[size_t(m_nCurSel)] == m_pCurRow) {
        m_strServerText = m_pCurRow->m_strServer;
        m_pServer->setText(QString::fromLatin1(m_strServerText));
    }
    if (g_tldTable.GetSize() > before) {
        SelectRow(int(g_tldTable.GetSize()) - 1);
        CommitAndLoad();
    }
}

void CTLDSetupDlg::OnAddNewTLD()
{
    AddOrUpdateTLD("xxx", "xxx.xx.xx");
}

void CTLDSetupDlg::OnDelete()
{
    const int row = TargetRow();
    if (row >= 0 && row < g_tldTable.GetSize())
        m_pModel->RemoveRow(row);
    const int rows = int(g_tldTable.GetSize());
    if (m_nCurSel >= rows)
        m_nCurSel = rows - 1;
    if (m_nCurSel >= 0) {
        // The row that took the deleted one's place is loaded; the boxes'
        // texts belonged to the deleted row and go nowhere.
        SelectRow(m_nCurSel);
        m_nCurSel = -1;
        CommitAndLoad();
    } else {
        m_nCurSel = -1;
    }
    if (rows == 0) {
        m_pCurRow.reset();
        m_strTLDText.clear();
        m_strServerText.clear();
        UpdateData(false);
    }
}

void CTLDSetupDlg::OnImport()
{
    CImportWhoisDlg dlg(this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    ImportText(dlg.m_strFileText);
}

void CTLDSetupDlg::OnReset()
{
    if (m_isBusy && m_isBusy()) {
        QMessageBox::warning(this, QStringLiteral("Telvaro"), QString::fromLatin1(kResetRefused));
        return;
    }
    const auto answer = QMessageBox::question(this, QStringLiteral("Telvaro"), QString::fromLatin1(kResetQuestion),
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                              QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    QFile file(GetTLDFilePath());
    if (!file.exists() || file.remove()) {
        ReportResult(LoadTLDTable());
    } else {
        // Reading the old file back would undo the reset the user asked
        // for: the defaults go into memory and over the file at the next save.
        ReportUserError(QStringLiteral("Telvaro could not remove \"%1\": %2\nThe default TLDs are used until the "
                                       "table is saved.")
                            .arg(file.fileName(), file.errorString()));
        BuildDefaultTLDTable();
    }
    m_pModel->Reload();
    Reopen();
}

void CTLDSetupDlg::accept()
{
    OnOK();
}

void CTLDSetupDlg::OnOK()
{
    CommitAndLoad();
    ReportResult(SaveTLDTable());
    QDialog::accept();
}

void CTLDSetupDlg::Reopen()
{
    m_bReopen = true;
    reject();
}
