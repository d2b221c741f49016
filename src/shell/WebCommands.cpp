#include "shell/WebCommands.h"

#include "base/Settings.h"
#include "commands/CommandRegistry.h"
#include "model/DomainInfo.h"
#include "model/TLDTable.h"
#include "shell/FormPageStore.h"
#include "shell/PaymentQuestion.h"
#include "shell/RegistrarDlg.h"
#include "shell/WebAddresses.h"
#include "shell/WebForm.h"
#include "view/DomainListCtrl.h"
#include "view/DomainView.h"
#include "widgets/OpenInBrowser.h"

#include <QMessageBox>
#include <QRegularExpression>

namespace {

// Message boxes show their text as it is: part of it may come from a
// whois server, and none of it is markup.
QMessageBox::StandardButton ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, QStringLiteral("Telvaro"), QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                    buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

bool IsAddress(const QString& text)
{
    static const QRegularExpression scheme(QStringLiteral("^(https?|file):"), QRegularExpression::CaseInsensitiveOption);
    return scheme.match(text).hasMatch();
}

}

CWebCommands::CWebCommands(CDomainView* view, QWidget* window, HelpShower showHelp)
    : QObject(window), m_pView(view), m_pWindow(window), m_showHelp(std::move(showHelp)),
      m_pPages(new CFormPageStore(this))
{
}

std::vector<CommandId> CWebCommands::Register(CCommandRegistry& registry)
{
    const auto highlighted = [this] { return m_pView && m_pView->GetHighlightedEntry(); };
    registry.Register(ID_BROWSE_WEBSITE, [this] { OnBrowseWebsite(); }, [this] {
        const CDomainInfo* entry = m_pView ? m_pView->GetHighlightedEntry() : nullptr;
        return entry && entry->m_nStatus != STATUS_AVAILABLE;
    });
    registry.Register(ID_REGISTER_DOMAIN, [this] { OnRegisterDomain(); });
    registry.Register(ID_TRADEMARK_LOOKUP, [this] { OnTrademarkLookup(); }, highlighted);
    registry.Register(ID_PAYMENT_STATUS, [this] { OnPaymentStatus(); }, highlighted);
    registry.Register(ID_CUSTOMER_SUPPORT, [this] { OnCustomerSupport(); });
    return {ID_BROWSE_WEBSITE, ID_REGISTER_DOMAIN, ID_TRADEMARK_LOOKUP, ID_PAYMENT_STATUS, ID_CUSTOMER_SUPPORT};
}

bool CWebCommands::Ask(const QString& text) const
{
    return ShowBox(m_pWindow, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

bool CWebCommands::Ask(const char* text) const
{
    return Ask(QString::fromLatin1(text));
}

void CWebCommands::Tell(const char* text) const
{
    ShowBox(m_pWindow, QMessageBox::Information, QString::fromLatin1(text), QMessageBox::Ok, QMessageBox::Ok);
}

void CWebCommands::OnBrowseWebsite()
{
    if (const CDomainInfo* entry = m_pView ? m_pView->GetHighlightedEntry() : nullptr)
        OpenInBrowser(WebsiteURL(entry->m_strName));
}

void CWebCommands::OnRegisterDomain()
{
    if (!m_pView)
        return;
    const CDomainInfo* entry = m_pView->GetHighlightedEntry();
    if (!entry) {
        Tell(m_pView->GetListCtrl()->GetItemCount() != 0 ? kSelectText : kEmptyText);
        return;
    }
    // Copied: lookups may change the record while a question is open.
    const QByteArray name = entry->m_strName;
    if (entry->m_nStatus == STATUS_TAKEN && !Ask(kRegisteredText))
        return;
    const CTLDInfo* row = FindTLD(name);
    QString url = row ? QString::fromLatin1(row->m_strRegistrar) : QString();
    if (url.isEmpty()) {
        CRegistrarDlg dialog(m_pWindow);
        dialog.m_strTLD = row ? QString::fromLatin1(row->m_strTLD) : QString();
        if (dialog.exec() != QDialog::Accepted)
            return;
        url = dialog.m_strURL;
        // Saved with the TLD table at exit, like every change of it.
        if (CTLDInfo* remembered = FindTLD(name); remembered && dialog.m_bRemember && !url.isEmpty())
            remembered->m_strRegistrar = StoredAddress(url);
    }
    if (!url.isEmpty())
        OpenInBrowser(WithWebScheme(ExpandRegistrarURL(url, name)));
}

void CWebCommands::OnTrademarkLookup()
{
    const CDomainInfo* entry = m_pView ? m_pView->GetHighlightedEntry() : nullptr;
    if (!entry)
        return;
    const QString address = Settings::TrademarkSearchURL.Get();
    if (!PostToBrowser(CWebForm::TrademarkSearch(address, TrademarkLabel(entry->m_strName))))
        OpenInBrowser(address);
}

void CWebCommands::OnPaymentStatus()
{
    const CDomainInfo* entry = m_pView ? m_pView->GetHighlightedEntry() : nullptr;
    if (!entry)
        return;
    const QByteArray name = entry->m_strName;
    const QString question = PaymentQuestion(entry->m_strWhois);
    if (!question.isEmpty()) {
        if (!Ask(question))
            return;
    } else if (entry->m_nStatus == STATUS_AVAILABLE && !Ask(kUnregisteredText)) {
        return;
    }
    if (!PostToBrowser(CWebForm::PaymentStatus(Settings::PaymentStatusURL.Get(), name)))
        OpenInBrowser(Settings::PaymentHomeURL.Get());
}

void CWebCommands::OnCustomerSupport()
{
    const QString page = Settings::SupportPage.Get().trimmed();
    if (IsAddress(page))
        OpenInBrowser(page);
    else if (m_showHelp)
        m_showHelp(page);
}

bool CWebCommands::PostToBrowser(const CWebForm& form)
{
    if (!form.HasWebAddress())
        return false;
    const QString page = m_pPages->Create(form.Page());
    return !page.isEmpty() && OpenInBrowser(page);
}
