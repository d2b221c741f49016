// A report holding hostile whois texts, opened by a real browser: none of
// the scripts in it may run.
#include "ExportFixture.h"
#include "export/HtmlReport.h"

#include <QTemporaryDir>
#include <QUrl>

namespace {

// Each would change the title or the body if the browser ran it.
const QByteArray kHostile = "</pre><script>document.title='pwned-script';"
                            "document.body.setAttribute('class','pwned')</script>\r\n"
                            "<img src=\"none.png\" onerror=\"document.title='pwned-img'\">\r\n"
                            "Registrar: Example\r\n";

class HtmlBrowserTest : public ExportFixture
{
protected:
    // The DOM after the page has loaded and its scripts have run.
    QByteArray RenderedDom(const QString& chromium, const QString& page)
    {
        QTemporaryDir profile;
        const ToolRun run = RunTool(chromium, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                                               QStringLiteral("--disable-gpu"), QStringLiteral("--disable-quic"),
                                               QStringLiteral("--no-first-run"),
                                               QStringLiteral("--disable-background-networking"),
                                               QStringLiteral("--disable-component-update"),
                                               QStringLiteral("--disable-sync"),
                                               QStringLiteral("--user-data-dir=") + profile.path(),
                                               QStringLiteral("--dump-dom"),
                                               QUrl::fromLocalFile(page).toString(QUrl::FullyEncoded)});
        EXPECT_EQ(run.m_nExit, 0) << run.m_err.toStdString();
        return run.m_out;
    }
};

}

TEST_F(HtmlBrowserTest, HostileWhoisTextDoesNotRun)
{
    REQUIRE_TOOL(chromium, "chromium");
    Add("<script>document.title='pwned-name'</script>.com", STATUS_TAKEN, kHostile);
    Add("example.com", STATUS_TAKEN, kHostile);
    const QString report = PathOf(QStringLiteral("hostile.htm"));
    ASSERT_TRUE(WriteHtmlReport(m_doc, report, false).m_bOk);

    // The same text pasted in as it is proves that this browser runs such
    // scripts and that the DOM dump would show it.
    const QString raw = PathOf(QStringLiteral("raw.htm"));
    WriteBytes(raw, "<html><head><title>x</title></head><body><pre>" + kHostile + "</pre></body></html>");
    const QByteArray rawDom = RenderedDom(chromium, raw);
    ASSERT_TRUE(rawDom.contains("<title>pwned-")) << rawDom.toStdString();

    const QByteArray dom = RenderedDom(chromium, report);
    ASSERT_TRUE(dom.contains("TELVARO REPORT")) << dom.toStdString();
    EXPECT_TRUE(dom.contains("<title>Telvaro: Status Report</title>")) << dom.toStdString();
    EXPECT_FALSE(dom.contains("class=\"pwned\""));
    EXPECT_FALSE(dom.contains("<script"));
    EXPECT_FALSE(dom.contains("<img"));
    // The texts are shown, as text, in their cells.
    EXPECT_TRUE(dom.contains("&lt;/pre&gt;&lt;script&gt;document.title='pwned-script';"));
    EXPECT_TRUE(dom.contains("<b>&lt;script&gt;document.title='pwned-name'&lt;/script&gt;.com</b>"));
    EXPECT_EQ(dom.count("<pre>"), 2);
}
