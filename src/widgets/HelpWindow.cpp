#include "widgets/HelpWindow.h"

#include "commands/CommandIcons.h"
#include "widgets/ShellResources.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const QString kHelpRoot = QStringLiteral("qrc:/help/");

QString ReadStyleSheet()
{
    QFile css(QStringLiteral(":/help/help.css"));
    return css.open(QIODevice::ReadOnly) ? QString::fromUtf8(css.readAll()) : QString();
}

}

CHelpWindow::CHelpWindow(QWidget* parent) : QDialog(parent), m_pBrowser(new QTextBrowser(this))
{
    InitShellResources();
    setWindowTitle(QStringLiteral("Telvaro Help"));
    setWindowIcon(GetAppIcon());
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    setModal(false);
    resize(720, 560);

    m_pBrowser->document()->setDefaultStyleSheet(ReadStyleSheet());
    m_pBrowser->setSearchPaths({QStringLiteral(":/help")});
    // Links out of the help go to the user's browser, never into the window.
    m_pBrowser->setOpenExternalLinks(true);

    auto* back = new QPushButton(QStringLiteral("< &Back"), this);
    auto* forward = new QPushButton(QStringLiteral("&Forward >"), this);
    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    for (QPushButton* b : {back, forward, contents, close})
        b->setAutoDefault(false);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, m_pBrowser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_pBrowser, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, this, [this] { ShowTopic(QStringLiteral("qzn-1.htm")); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(m_pBrowser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_pBrowser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Telvaro Help") : QStringLiteral("Telvaro Help - ") + title);
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(contents);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_pBrowser, 1);
}

void CHelpWindow::ShowTopic(const QString& page)
{
    const QString topic = page.isEmpty() ? QString::fromLatin1(kDefaultTopic) : page;
    m_pBrowser->setSource(QUrl(kHelpRoot + topic));
    show();
    raise();
    activateWindow();
}

void CHelpWindow::AddHelpKey(QDialog* dialog, const QString& page)
{
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), dialog);
    connect(key, &QShortcut::activated, dialog, [dialog, page] {
        auto* help = dialog->findChild<CHelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
        if (!help)
            help = new CHelpWindow(dialog);
        help->ShowTopic(page);
    });
}

QString CHelpWindow::CurrentTopic() const
{
    return m_pBrowser->source().fileName();
}
