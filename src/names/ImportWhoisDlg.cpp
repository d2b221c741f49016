#include "names/ImportWhoisDlg.h"

#include "base/ProgramFolder.h"
#include "base/Settings.h"
#include "model/SampleWholist.h"
#include "names/ImportFile.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CImportWhoisDlg::CImportWhoisDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Import WHOIS Servers"));

    m_pExplanation = new QPlainTextEdit(this);
    m_pExplanation->setObjectName(QStringLiteral("explanation"));
    m_pExplanation->setReadOnly(true);
    m_pExplanation->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pExplanation->setAccessibleName(QStringLiteral("How to prepare the file"));

    auto* import = new QPushButton(QStringLiteral("Click here to &Import from text file..."), this);
    import->setObjectName(QStringLiteral("import"));
    import->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);
    connect(import, &QPushButton::clicked, this, &CImportWhoisDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CImportWhoisDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(import);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pExplanation, 1);
    layout->addLayout(buttons);

    resize(480, 340);
    OnInitDialog();
    import->setFocus();
}

void CImportWhoisDlg::OnInitDialog()
{
    // A typewriter face, so that the format lines read as what to type.
    m_font = QFont(QStringLiteral("Courier"));
    m_font.setStyleHint(QFont::TypeWriter);
    m_font.setPixelSize(15);
    m_font.setWeight(QFont::Light);
    m_pExplanation->setFont(m_font);

    m_strExplanation = QStringLiteral(
        "To import TLD names and corresponding 'whois' servers prepare a text file in the following format:\r\n"
        "\r\n"
        "tld: whois server\r\n"
        "\r\n"
        "Eg:\r\n"
        "co.uk: whois.nic.uk\r\n"
        "net.uk: whois.nic.uk\r\n"
        "net.au: whois.auda.org.au\r\n"
        "\r\n"
        "A sample file (wholist.txt) is supplied along with the Telvaro and should be present in the QZN "
        "installation directory.");
    QString shown = m_strExplanation;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_pExplanation->setPlainText(shown);
}

void CImportWhoisDlg::accept()
{
    OnOK();
}

void CImportWhoisDlg::OnOK()
{
    // Until the user has imported from somewhere, start where the sample
    // file is, and offer it.
    const bool remembered = !Settings::ImportPathTxt.Get().isEmpty();
    const QString path = remembered ? ChooseImportFile(this)
                                    : ChooseImportFile(this, GetProgramFolder(),
                                                       QFileInfo(GetSampleWholistPath()).fileName());
    // A file that cannot be read has been reported; nothing is imported.
    if (!path.isEmpty())
        ReadImportFile(this, path, m_strFileText);
    QDialog::accept();
}
