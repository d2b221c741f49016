#include "GuiTestMain.h"
#include "TestSupport.h"
#include "WebTestSupport.h"
#include "base/Settings.h"
#include "shell/WebForm.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

namespace {

// One request as a loopback HTTP server received it.
struct CRecordedRequest
{
    QByteArray m_strMethod;
    QByteArray m_strPath;
    QByteArray m_strContentType;
    QByteArray m_body;
};

// An HTTP server on 127.0.0.1 that notes every request and answers "ok".
class CRecordingServer : public QObject
{
public:
    CRecordingServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
            }
        });
    }

    QString Address(const char* path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(QString::fromLatin1(path));
    }
    const CRecordedRequest* FirstPost() const
    {
        for (const CRecordedRequest& r : m_requests) {
            if (r.m_strMethod == "POST")
                return &r;
        }
        return nullptr;
    }

private:
    void Read(QTcpSocket* socket)
    {
        QByteArray& data = m_pending[socket];
        data += socket->readAll();
        const qsizetype headerEnd = data.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        CRecordedRequest request;
        qsizetype length = 0;
        const QList<QByteArray> lines = data.left(headerEnd).split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        request.m_strMethod = first.value(0);
        request.m_strPath = first.value(1);
        for (const QByteArray& line : lines.mid(1)) {
            const qsizetype colon = line.indexOf(':');
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name == "content-length")
                length = value.toLongLong();
            else if (name == "content-type")
                request.m_strContentType = value;
        }
        if (data.size() < headerEnd + 4 + length)
            return;
        request.m_body = data.mid(headerEnd + 4, length);
        m_requests << request;
        m_pending.remove(socket);
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QTcpSocket*, QByteArray> m_pending;
    QList<CRecordedRequest> m_requests;
};

}

// The local form pages opened in a real browser (headless chromium) against
// a loopback server: what arrives must be exactly the form's fields,
// URL-encoded, as a form post.
class FormPostTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<CWebTestState> m_pState;
    std::unique_ptr<CRecordingServer> m_pServer;
    QTemporaryDir m_profile;
    QProcess m_browser;

    void UseChromium()
    {
        m_pState->m_browser = [this](const QUrl& url) {
            m_browser.start(QStringLiteral("chromium"),
                            {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                             QStringLiteral("--disable-quic"), QStringLiteral("--no-first-run"),
                             QStringLiteral("--disable-background-networking"), QStringLiteral("--disable-component-update"),
                             QStringLiteral("--disable-sync"), QStringLiteral("--user-data-dir=") + m_profile.path(),
                             url.toString(QUrl::FullyEncoded)});
            return m_browser.waitForStarted(30000);
        };
    }

    // The post the browser made, once it arrived.
    const CRecordedRequest* WaitForPost()
    {
        ProcessEventsUntil([this] { return m_pServer->FirstPost() != nullptr; }, 60000);
        return m_pServer->FirstPost();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("chromium")).isEmpty(),
                 "chromium is needed (build.sh installs it)");
    }

    void init()
    {
        m_pState = std::make_unique<CWebTestState>();
        m_pServer = std::make_unique<CRecordingServer>();
        UseChromium();
    }

    void cleanup()
    {
        if (m_browser.state() != QProcess::NotRunning) {
            m_browser.terminate();
            if (!m_browser.waitForFinished(10000)) {
                m_browser.kill();
                m_browser.waitForFinished(10000);
            }
        }
        m_pState.reset();
        m_pServer.reset();
    }

    void trademarkLookupPostsItsFieldsToTheSearchForm()
    {
        Settings::TrademarkSearchURL.Set(m_pServer->Address("/search"));
        m_pState->Highlight("blue.co.uk", STATUS_AVAILABLE);
        QVERIFY(m_pState->m_pRegistry->Execute(ID_TRADEMARK_LOOKUP));
        const CRecordedRequest* post = WaitForPost();
        QVERIFY(post);
        QCOMPARE(post->m_strPath, QByteArray("/search"));
        QCOMPARE(post->m_strContentType, QByteArray("application/x-www-form-urlencoded"));
        QCOMPARE(post->m_body, QByteArray("DBSELECT2=ALL&QUERY=blue&SEARCH_TYPE=ALL&DEFAULT_FIELD=MS&ELEMENT_SET=F"));
    }

    void paymentStatusPostsTheWholeName()
    {
        Settings::PaymentStatusURL.Set(m_pServer->Address("/status?from=telvaro"));
        m_pState->Highlight("Kettle-2.com", STATUS_TAKEN);
        QVERIFY(m_pState->m_pRegistry->Execute(ID_PAYMENT_STATUS));
        const CRecordedRequest* post = WaitForPost();
        QVERIFY(post);
        QCOMPARE(post->m_strPath, QByteArray("/status?from=telvaro"));
        QCOMPARE(post->m_body, QByteArray("EntityType=domain&EntityName=Kettle-2.com"));
    }

    // What the browser encodes is what the form says it sends, for values
    // no domain name holds too.
    void theBrowserEncodesTheValuesAsTheFormDoes()
    {
        const CWebForm form = CWebForm::TrademarkSearch(m_pServer->Address("/odd"), "a b&c=d/\"<x>\"+%\xe9*~");
        QVERIFY(m_pState->m_pCommands->PostToBrowser(form));
        const CRecordedRequest* post = WaitForPost();
        QVERIFY(post);
        QCOMPARE(post->m_body, form.Body());
    }
};

TELVARO_GUI_TEST_MAIN(FormPostTest)
#include "FormPostTest.moc"
