#include "shell/AboutDlg.h"

#include "commands/CommandIcons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent)
    , m_pTitle(new QLabel(QStringLiteral("Telvaro"), this))
    , m_pVersion(new QLabel(QStringLiteral("Version %1 (Free)").arg(QStringLiteral(TELVARO_VERSION)), this))
{
    setWindowTitle(QStringLiteral("About Telvaro"));

    auto* icon = new QLabel(this);
    icon->setPixmap(GetAppIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(18);
    titleFont.setBold(true);
    m_pTitle->setFont(titleFont);

    auto* blurb = new QLabel(QStringLiteral("Telvaro asks the whois servers of the registries which of your "
                                            "domain names are still free, so you can find a good name and "
                                            "register it before someone else does."),
                             this);
    blurb->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(18);
    layout->addWidget(icon, 0, 0, 3, 1);
    layout->addWidget(m_pTitle, 0, 1);
    layout->addWidget(m_pVersion, 1, 1);
    layout->addWidget(blurb, 2, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);
    layout->setRowStretch(2, 1);
    setFixedWidth(400);
}
