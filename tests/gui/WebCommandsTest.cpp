#include "GuiTestMain.h"
#include "TestSupport.h"
#include "WebTestSupport.h"
#include "base/Settings.h"
#include "print/CellFont.h"
#include "shell/FormPageStore.h"
#include "shell/PaymentQuestion.h"
#include "shell/RegistrarDlg.h"
#include "shell/WebAddresses.h"
#include "shell/WebForm.h"
#include "view/PictureButton.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>

#include <deque>
#include <memory>

namespace {

// Plays the user while a command runs: message boxes get the scripted
// buttons in turn (their texts are kept), any other dialog is handed to
// step. What is not scripted is cancelled, so a wrong turn fails the test
// instead of hanging it.
class CWebUser : public QObject
{
public:
    CWebUser(std::initializer_list<QMessageBox::StandardButton> answers, std::function<void(QDialog*)> step = {})
        : m_answers(answers), m_step(std::move(step))
    {
        connect(&m_timer, &QTimer::timeout, this, &CWebUser::Poll);
        m_timer.start(5);
    }

    QStringList m_boxes;
    QStringList m_dialogs;

private:
    void Poll()
    {
        QWidget* top = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(top)) {
            m_boxes << box->text();
            QAbstractButton* button = m_answers.empty() ? nullptr : box->button(m_answers.front());
            if (!m_answers.empty())
                m_answers.pop_front();
            button ? button->click() : box->reject();
        } else if (auto* dialog = qobject_cast<QDialog*>(top); dialog && !m_driven.contains(dialog)) {
            m_driven << dialog;
            m_dialogs << dialog->windowTitle();
            // A step that leaves the dialog open has it cancelled.
            QTimer::singleShot(0, this, [this, d = QPointer<QDialog>(dialog)] {
                if (d && m_step)
                    m_step(d);
                if (d && d->isVisible())
                    d->reject();
            });
        }
    }

    std::deque<QMessageBox::StandardButton> m_answers;
    std::function<void(QDialog*)> m_step;
    QList<QPointer<QDialog>> m_driven;
    QTimer m_timer;
};

QString Shown(const char* text)
{
    return QString::fromLatin1(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QByteArray FileText(const QUrl& url)
{
    QFile file(url.toLocalFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}

class WebCommandsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CWebTestState> m_pState;

private Q_SLOTS:
    void init() { m_pState = std::make_unique<CWebTestState>(); }
    void cleanup() { m_pState.reset(); }

    void addressesCarryTheNameEncodedAndInLowerCase()
    {
        QCOMPARE(WebsiteURL("kettle.com"), QStringLiteral("http://www.kettle.com"));
        // Names from a damaged file cannot break out of the address.
        QCOMPARE(WebsiteURL("a b/c?d#.com"), QStringLiteral("http://www.a%20b%2Fc%3Fd%23.com"));
        QCOMPARE(ExpandRegistrarURL(QStringLiteral("https://r.example/buy?d={D}&again={D}"), "KeTTle.COM"),
                 QStringLiteral("https://r.example/buy?d=kettle.com&again=kettle.com"));
        QCOMPARE(ExpandRegistrarURL(QStringLiteral("https://r.example/{d}?x=%7BD%7D"), "kettle.com"),
                 QStringLiteral("https://r.example/{d}?x=%7BD%7D"));
        QCOMPARE(ExpandRegistrarURL(QStringLiteral("https://r.example/?q={D}"), "x&y=1.com"),
                 QStringLiteral("https://r.example/?q=x%26y%3D1.com"));
        QCOMPARE(WithWebScheme(QStringLiteral("www.r.example/x")), QStringLiteral("http://www.r.example/x"));
        QCOMPARE(WithWebScheme(QStringLiteral("localhost:8080/x")), QStringLiteral("http://localhost:8080/x"));
        QCOMPARE(WithWebScheme(QStringLiteral("HTTPS://r.example/")), QStringLiteral("HTTPS://r.example/"));
        QCOMPARE(TrademarkLabel("blue.co.uk"), QByteArray("blue"));
        QCOMPARE(TrademarkLabel("kettle"), QByteArray("kettle"));
        QCOMPARE(StoredAddress(QStringLiteral("https://r.example/\u00fc\u20ac")),
                 QByteArray("https://r.example/\xfc%E2%82%AC"));
    }

    void thePaymentQuestionQuotesTheExpiryLine()
    {
        const QString warning = QString::fromLatin1(kPaymentRegistrarWarning);
        const QByteArray answer = "Domain Name: KETTLE.COM\r\nRecord EXPIRES on 12-Mar-2031.\r\nStatus: ok\r\n";
        QCOMPARE(PaymentQuestion(answer),
                 QStringLiteral("As per the domain name records this domain expires on 12-mar-2031.\r\n\r\nDo you want "
                                "to try the payment status at Network Solutions.?\r\n") + warning);
        // That registrar's own answer needs no warning.
        const QString own = PaymentQuestion(answer + "Registrar: NETWORK SOLUTIONS, INC.\r\n");
        QVERIFY(own.endsWith(QLatin1String("Solutions.?\r\n")));
        QVERIFY(!own.contains(warning));
        QVERIFY(PaymentQuestion(answer + "registrar: network solutions, inc.\r\n").contains(warning));

        QCOMPARE(PaymentQuestion("Registry Expiry Date: 2031-03-12T04:00:00Z\r\n"),
                 QStringLiteral("The domain name records contain this.\r\nexpiry date: 2031-03-12t04:00:00z\r\n\r\nDo "
                                "you want to try the payment status at Network Solutions.?\r\n") + warning);
        // A marker whose line never ends builds nothing, and "expires" comes first.
        QVERIFY(PaymentQuestion("Expiry: 2031\r\nexpires soon").isEmpty());
        QVERIFY(PaymentQuestion("Expires 2031\n").isEmpty());
        QVERIFY(PaymentQuestion("Status: ok\r\n").isEmpty());
        // However long the server's line, the question stays readable.
        const QString longLine = PaymentQuestion("expires " + QByteArray(100000, 'x') + "\r\n");
        QVERIFY(longLine.size() < 1000);
        QVERIFY(longLine.contains(QLatin1String("xxx...")));
    }

    void formsAreEscapedInThePageAndEncodedInTheBody()
    {
        const CWebForm form =
            CWebForm::TrademarkSearch(QStringLiteral("https://tm.example/s?a=1&b=\"x\""), "a\"><script>x y&z=%\xe9");
        QCOMPARE(form.Body(), QByteArray("DBSELECT2=ALL&QUERY=a%22%3E%3Cscript%3Ex+y%26z%3D%25%C3%A9&SEARCH_TYPE=ALL&"
                                         "DEFAULT_FIELD=MS&ELEMENT_SET=F"));
        const QByteArray page = form.Page();
        QVERIFY(page.contains("action=\"https://tm.example/s?a=1&amp;b=&quot;x&quot;\""));
        QVERIFY(page.contains("name=\"QUERY\" value=\"a&quot;&gt;&lt;script&gt;x y&amp;z=%\xc3\xa9\""));
        QVERIFY(!page.contains("<script>"));
        QVERIFY(page.contains("method=\"post\""));
        QCOMPARE(CWebForm::PaymentStatus(QStringLiteral("https://p.example/"), "Kettle.com").Body(),
                 QByteArray("EntityType=domain&EntityName=Kettle.com"));

        for (const char* address : {"https://tm.example/", "http://127.0.0.1:8080/x"})
            QVERIFY2(CWebForm::PaymentStatus(QString::fromLatin1(address), "a.com").HasWebAddress(), address);
        for (const char* address : {"javascript:alert(1)", "file:///etc/passwd", "tm.example/search", "", "https://"})
            QVERIFY2(!CWebForm::PaymentStatus(QString::fromLatin1(address), "a.com").HasWebAddress(), address);
    }

    void formPagesAreForTheUserAloneAndGoAway()
    {
        const auto nobodyElse = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
        const QString folder = CFormPageStore::Folder();
        QVERIFY(folder.startsWith(m_pState->m_runtime.path()));
        QCOMPARE(QFileInfo(folder).permissions() & nobodyElse, QFileDevice::Permissions());

        // A page an earlier run left behind is swept; a fresh one of another
        // Telvaro stays.
        const QString stale = folder + QStringLiteral("/form-stale1.htm");
        const QString fresh = folder + QStringLiteral("/form-fresh1.htm");
        for (const QString& path : {stale, fresh}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        {
            QFile file(stale);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        }

        QString path;
        {
            CFormPageStore store(nullptr, std::chrono::milliseconds(100));
            path = store.Create("<p>form</p>");
            QVERIFY(!path.isEmpty());
            QCOMPARE(QFileInfo(path).permissions() & nobodyElse, QFileDevice::Permissions());
            QFile page(path);
            QVERIFY(page.open(QIODevice::ReadOnly));
            QCOMPARE(page.readAll(), QByteArray("<p>form</p>"));
            QVERIFY(!QFile::exists(stale));
            QVERIFY(QFile::exists(fresh));
            QVERIFY(ProcessEventsUntil([&] { return !QFile::exists(path); }, 5000));
            QVERIFY(store.Pages().isEmpty());
            path = store.Create("<p>again</p>");
            QVERIFY(QFile::exists(path));
        }
        // Gone with the store, however young.
        QVERIFY(!QFile::exists(path));
    }

    void theCommandsFollowTheHighlightedName()
    {
        CWebTestState& s = *m_pState;
        for (CommandId id : {ID_BROWSE_WEBSITE, ID_TRADEMARK_LOOKUP, ID_PAYMENT_STATUS})
            QVERIFY(!s.Enabled(id));
        QVERIFY(s.Enabled(ID_REGISTER_DOMAIN));
        QVERIFY(s.Enabled(ID_CUSTOMER_SUPPORT));
        QVERIFY(s.m_pView->GetRegisterButton()->isEnabled());
        QVERIFY(s.m_pView->GetSupportButton()->isEnabled());

        s.Highlight("kettle.com", STATUS_TAKEN);
        for (CommandId id : {ID_BROWSE_WEBSITE, ID_TRADEMARK_LOOKUP, ID_PAYMENT_STATUS})
            QVERIFY(s.Enabled(id));
        // A free name has no website to browse.
        s.Highlight("kettle.com", STATUS_AVAILABLE);
        QVERIFY(!s.Enabled(ID_BROWSE_WEBSITE));
        QVERIFY(s.Enabled(ID_TRADEMARK_LOOKUP));
        QVERIFY(!s.m_pRegistry->Execute(ID_BROWSE_WEBSITE));
        s.Highlight("kettle.com", STATUS_UNKNOWN);
        QVERIFY(s.m_pRegistry->Execute(ID_BROWSE_WEBSITE));
        QCOMPARE(s.m_opened, QList<QUrl>{QUrl(QStringLiteral("http://www.kettle.com"))});
    }

    void registerSaysWhatIsMissing()
    {
        CWebTestState& s = *m_pState;
        {
            CWebUser user({QMessageBox::Ok});
            s.m_pCommands->OnRegisterDomain();
            QCOMPARE(user.m_boxes, QStringList{Shown(CWebCommands::kEmptyText)});
        }
        QVERIFY(s.m_doc.AddDomain("kettle.com"));
        s.m_doc.NotifyListRebuilt();
        {
            CWebUser user({QMessageBox::Ok});
            s.m_pCommands->OnRegisterDomain();
            QCOMPARE(user.m_boxes, QStringList{Shown(CWebCommands::kSelectText)});
        }
        // A taken name asks first; No ends it.
        s.Highlight("kettle.com", STATUS_TAKEN);
        {
            CWebUser user({QMessageBox::No});
            s.m_pCommands->OnRegisterDomain();
            QCOMPARE(user.m_boxes, QStringList{Shown(CWebCommands::kRegisteredText)});
            QVERIFY(user.m_dialogs.isEmpty());
        }
        QVERIFY(s.m_opened.isEmpty());
    }

    void theFavouriteRegistrarIsAskedForOnceAndRemembered()
    {
        CWebTestState& s = *m_pState;
        s.Highlight("KETTLE.com", STATUS_AVAILABLE);
        QFont caption;
        const auto type = [&](const QString& url, bool remember) {
            return [&caption, url, remember](QDialog* dialog) {
                caption = dialog->findChild<QLabel*>(QStringLiteral("caption"))->font();
                QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("caption"))->text(), QStringLiteral("COM"));
                dialog->findChild<QLineEdit*>(QStringLiteral("url"))->setText(url);
                dialog->findChild<QCheckBox*>(QStringLiteral("remember"))->setChecked(remember);
                dialog->accept();
            };
        };
        // Cancelled: nothing opens and nothing is kept.
        {
            CWebUser user({});
            s.m_pCommands->OnRegisterDomain();
            QCOMPARE(user.m_dialogs, QStringList{QStringLiteral("My Favorite Registrar!")});
        }
        QVERIFY(s.m_opened.isEmpty());

        // Not remembered: opened now, asked again next time, and the tick's
        // state is what the dialog offers then.
        {
            CWebUser user({}, type(QStringLiteral("https://once.example/{D}"), false));
            s.m_pCommands->OnRegisterDomain();
        }
        QCOMPARE(s.m_opened.takeFirst(), QUrl(QStringLiteral("https://once.example/kettle.com")));
        QVERIFY(FindTLD("kettle.com")->m_strRegistrar.isEmpty());
        QCOMPARE(Settings::SaveRegistrarURL.Get(), 0);
        // Bold Arial whose character cell is 18 pixels high.
        QCOMPARE(caption.weight(), QFont::Bold);
        QCOMPARE(caption.pixelSize(), MakeCellFont(QStringLiteral("Arial"), 18, 700).pixelSize());
        const QFontMetricsF metrics(caption);
        QCOMPARE(qRound(metrics.ascent() + metrics.descent()), 18);
        {
            CWebUser user({}, [](QDialog* dialog) {
                QVERIFY(!dialog->findChild<QCheckBox*>(QStringLiteral("remember"))->isChecked());
            });
            s.m_pCommands->OnRegisterDomain();
            QCOMPARE(user.m_dialogs.size(), 1);
        }

        // Remembered into the TLD row: "{D}" everywhere, in lower case, and
        // no dialog the next time.
        {
            CWebUser user({}, type(QStringLiteral("https://reg.example/buy?d={D}&again={D}"), true));
            s.m_pCommands->OnRegisterDomain();
        }
        QCOMPARE(FindTLD("kettle.com")->m_strRegistrar, QByteArray("https://reg.example/buy?d={D}&again={D}"));
        QCOMPARE(Settings::SaveRegistrarURL.Get(), 1);
        {
            CWebUser user({});
            s.m_pCommands->OnRegisterDomain();
            QVERIFY(user.m_dialogs.isEmpty());
        }
        const QUrl expanded(QStringLiteral("https://reg.example/buy?d=kettle.com&again=kettle.com"));
        QCOMPARE(s.m_opened, (QList<QUrl>{expanded, expanded}));

        // A template without "{D}" opens as it is.
        s.m_opened.clear();
        FindTLD("kettle.com")->m_strRegistrar = "https://reg.example/start";
        s.m_pCommands->OnRegisterDomain();
        QCOMPARE(s.m_opened, QList<QUrl>{QUrl(QStringLiteral("https://reg.example/start"))});
    }

    void aNameWithoutItsTLDRowOpensButKeepsNothing()
    {
        CWebTestState& s = *m_pState;
        s.Highlight("kettle.net", STATUS_AVAILABLE);
        for (qsizetype i = g_tldTable.GetSize() - 1; i >= 0; --i) {
            if (g_tldTable.GetAt(i)->m_strTLD == "NET")
                g_tldTable.RemoveAt(i);
        }
        QString caption = QStringLiteral("unset");
        {
            CWebUser user({}, [&](QDialog* dialog) {
                caption = dialog->findChild<QLabel*>(QStringLiteral("caption"))->text();
                dialog->findChild<QLineEdit*>(QStringLiteral("url"))->setText(QStringLiteral("reg.example/?d={D}"));
                dialog->accept();
            });
            s.m_pCommands->OnRegisterDomain();
        }
        QCOMPARE(caption, QString());
        // Typed without a scheme: a web address, never a local file.
        QCOMPARE(s.m_opened, QList<QUrl>{QUrl(QStringLiteral("http://reg.example/?d=kettle.net"))});
        QVERIFY(!FindTLD("kettle.net"));
    }

    void trademarkLookupPostsTheFirstLabel()
    {
        CWebTestState& s = *m_pState;
        Settings::TrademarkSearchURL.Set(QStringLiteral("https://tm.example/search"));
        s.Highlight("blue.co.uk", STATUS_AVAILABLE);
        QVERIFY(s.m_pRegistry->Execute(ID_TRADEMARK_LOOKUP));
        QCOMPARE(s.m_opened.size(), 1);
        QVERIFY(s.m_opened[0].isLocalFile());
        QCOMPARE(s.m_pCommands->PageStore()->Pages(), QStringList{s.m_opened[0].toLocalFile()});
        const QByteArray page = FileText(s.m_opened[0]);
        QCOMPARE(page, CWebForm::TrademarkSearch(QStringLiteral("https://tm.example/search"), "blue").Page());

        // A browser that cannot take the page gets the plain search page.
        s.m_opened.clear();
        s.m_browser = [](const QUrl& url) { return !url.isLocalFile(); };
        QVERIFY(s.m_pRegistry->Execute(ID_TRADEMARK_LOOKUP));
        QCOMPARE(s.m_opened.size(), 2);
        QCOMPARE(s.m_opened[1], QUrl(QStringLiteral("https://tm.example/search")));
        // So does an address that is no web address.
        s.m_opened.clear();
        Settings::TrademarkSearchURL.Set(QStringLiteral("javascript:alert(1)"));
        QVERIFY(s.m_pRegistry->Execute(ID_TRADEMARK_LOOKUP));
        QCOMPARE(s.m_opened.size(), 1);
        QVERIFY(s.m_opened[0].isLocalFile());   // taken for a file name, never run
        QVERIFY(s.m_opened[0].toLocalFile().endsWith(QLatin1String("javascript:alert(1)")));
    }

    void paymentStatusAsksAboutTheExpiryFirst()
    {
        CWebTestState& s = *m_pState;
        Settings::PaymentStatusURL.Set(QStringLiteral("https://pay.example/status"));
        Settings::PaymentHomeURL.Set(QStringLiteral("https://pay.example/"));
        CDomainInfo* record = s.Highlight("Kettle.com", STATUS_TAKEN);
        record->m_strWhois = "Domain: KETTLE.COM\r\nRegistrar: NETWORK SOLUTIONS, INC.\r\nExpires on: 2031-03-12\r\n";
        {
            CWebUser user({QMessageBox::No});
            s.m_pCommands->OnPaymentStatus();
            QCOMPARE(user.m_boxes.size(), 1);
            QVERIFY(user.m_boxes[0].startsWith(QLatin1String("As per the domain name records this domain expires on: 2031-03-12\n\n")));
            QVERIFY(!user.m_boxes[0].contains(QString::fromLatin1(kPaymentRegistrarWarning)));
        }
        QVERIFY(s.m_opened.isEmpty());
        {
            CWebUser user({QMessageBox::Yes});
            s.m_pCommands->OnPaymentStatus();
        }
        QCOMPARE(s.m_opened.size(), 1);
        QCOMPARE(FileText(s.m_opened[0]),
                 CWebForm::PaymentStatus(QStringLiteral("https://pay.example/status"), "Kettle.com").Page());

        // Without an expiry line a taken name goes straight on; a free one asks.
        s.m_opened.clear();
        record->m_strWhois = "Domain: KETTLE.COM\r\n";
        {
            CWebUser user({});
            s.m_pCommands->OnPaymentStatus();
            QVERIFY(user.m_boxes.isEmpty());
        }
        QCOMPARE(s.m_opened.size(), 1);
        record->m_nStatus = STATUS_AVAILABLE;
        {
            CWebUser user({QMessageBox::No});
            s.m_pCommands->OnPaymentStatus();
            QCOMPARE(user.m_boxes, QStringList{Shown(CWebCommands::kUnregisteredText)});
        }
        QCOMPARE(s.m_opened.size(), 1);
        // Without a page, the home page.
        s.m_browser = [](const QUrl& url) { return !url.isLocalFile(); };
        {
            CWebUser user({QMessageBox::Yes});
            s.m_pCommands->OnPaymentStatus();
        }
        QCOMPARE(s.m_opened.last(), QUrl(QStringLiteral("https://pay.example/")));
    }

    void customerSupportOpensTheHelpOrAnAddress()
    {
        CWebTestState& s = *m_pState;
        QVERIFY(s.m_pRegistry->Execute(ID_CUSTOMER_SUPPORT));
        QCOMPARE(s.m_helpPages, QStringList{QStringLiteral("support.htm")});
        QVERIFY(s.m_opened.isEmpty());
        Settings::SupportPage.Set(QStringLiteral("https://help.example/telvaro"));
        QTest::mouseClick(s.m_pView->GetSupportButton(), Qt::LeftButton);
        QCOMPARE(s.m_opened, QList<QUrl>{QUrl(QStringLiteral("https://help.example/telvaro"))});
        QCOMPARE(s.m_helpPages.size(), 1);
    }
};

TELVARO_GUI_TEST_MAIN(WebCommandsTest)
#include "WebCommandsTest.moc"
