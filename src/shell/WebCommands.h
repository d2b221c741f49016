#pragma once

#include "commands/CommandId.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class CCommandRegistry;
class CDomainView;
class CFormPageStore;
class CWebForm;
class QWidget;

// The commands that take the view's highlighted name to the web: its
// website, the favourite registrar of its TLD, a trademark search, a
// payment-status page, and the support page. Pages open in the user's
// browser; the two forms are posted through a local page that sends itself.
class CWebCommands : public QObject
{
    Q_OBJECT

public:
    // Shows a page of the program's own help.
    using HelpShower = std::function<void(const QString& page)>;

    static constexpr char kSelectText[] = "Please select a domain from the list";
    static constexpr char kEmptyText[] =
        "The list is empty.\r\nUse the 'Add Names' option to add domain names to the list. You can also create "
        "domain names from your keywords using the 'Construct domain names' option.";
    static constexpr char kRegisteredText[] = "This domain appears to be registered.\r\nContinue?";
    static constexpr char kUnregisteredText[] =
        "This domain appears to be unregistered!\r\nDo you still wish to try the NS website for payment status?";

    // window parents the dialogs and owns this.
    CWebCommands(CDomainView* view, QWidget* window, HelpShower showHelp);

    // Returns the ids registered.
    std::vector<CommandId> Register(CCommandRegistry& registry);

    void OnBrowseWebsite();
    void OnRegisterDomain();
    void OnTrademarkLookup();
    void OnPaymentStatus();
    void OnCustomerSupport();

    // Opens a local page that posts form; false when the form has no web
    // address or the page could not be made or opened.
    bool PostToBrowser(const CWebForm& form);
    CFormPageStore* PageStore() const { return m_pPages; }

private:
    bool Ask(const char* text) const;
    bool Ask(const QString& text) const;
    void Tell(const char* text) const;

    QPointer<CDomainView> m_pView;
    QWidget* m_pWindow;
    HelpShower m_showHelp;
    CFormPageStore* m_pPages;
};
