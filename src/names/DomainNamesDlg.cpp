#include "names/DomainNamesDlg.h"

#include "model/TLDTable.h"
#include "names/ImportFile.h"
#include "names/TLDCheckListBox.h"
#include "names/TextBox.h"
#include "names/Tokens.h"
#include "base/UserMessage.h"
#include "widgets/HelpWindow.h"

#include <QHBoxLayout>
#include <QLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDomainNamesDlg::CDomainNamesDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Domain Names"));

    auto* intro = new QLabel(QStringLiteral("Please type all the domain names you want to check in the box below. "
                                            "Separate each name using a comma, carriage return or space. "
                                            "You can type in any number of names."),
                             this);
    intro->setWordWrap(true);

    m_pNames = CreateTextBox(this);
    m_pNames->setObjectName(QStringLiteral("names"));
    m_pNames->setAccessibleName(QStringLiteral("Domain names"));
    intro->setBuddy(m_pNames);

    auto* import = new QPushButton(QStringLiteral("Import from file..."), this);
    import->setObjectName(QStringLiteral("import"));
    import->setAutoDefault(false);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setAutoDefault(false);

    auto* group = new QGroupBox(QStringLiteral("TLDs"), this);
    m_lstTLD = new CTLDCheckListBox(group);
    m_lstTLD->setObjectName(QStringLiteral("tldList"));
    m_lstTLD->setAccessibleName(QStringLiteral("TLDs"));
    auto* tldHint = new QLabel(QStringLiteral("Select all the top level domains you are interested in."), group);
    tldHint->setWordWrap(true);
    tldHint->setBuddy(m_lstTLD);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(tldHint);
    groupLayout->addWidget(m_lstTLD, 1);

    // Names on the left; OK, Cancel and the TLDs in a narrow column on
    // the right, in the order Tab walks them.
    auto* left = new QVBoxLayout;
    left->addWidget(intro);
    left->addWidget(m_pNames, 1);
    left->addWidget(import, 0, Qt::AlignLeft);
    auto* right = new QVBoxLayout;
    right->addWidget(ok);
    right->addWidget(cancel);
    right->addSpacing(6);
    right->addWidget(group, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    // The order in which the dialog has always been walked with Tab.
    setTabOrder(m_pNames, import);
    setTabOrder(import, ok);
    setTabOrder(ok, cancel);
    setTabOrder(cancel, m_lstTLD);

    connect(import, &QPushButton::clicked, this, &CDomainNamesDlg::OnImportFromFile);
    connect(ok, &QPushButton::clicked, this, &CDomainNamesDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CDomainNamesDlg::reject);

    resize(560, 400);
    CHelpWindow::AddHelpKey(this, QString::fromLatin1(CHelpWindow::kAddingNamesTopic));
    OnInitDialog();
}

void CDomainNamesDlg::OnInitDialog()
{
    m_lstTLD->FillFromTable();
    // The column is as wide as the TLDs need (a wrapped label alone would
    // ask for much more), within reason for unusually long ones.
    constexpr int kMaxListWidth = 240;
    constexpr int kLabelRoom = 24;
    QWidget* group = m_lstTLD->parentWidget();
    const QMargins margins = group->layout()->contentsMargins();
    group->setFixedWidth(qMin(m_lstTLD->sizeHint().width(), kMaxListWidth) + kLabelRoom + margins.left() +
                         margins.right());
    UpdateData(false);
    m_pNames->setFocus();
}

void CDomainNamesDlg::UpdateData(bool bSaveAndValidate)
{
    if (bSaveAndValidate)
        m_strNames = GetBoxText(m_pNames);
    else
        SetBoxText(m_pNames, m_strNames);
}

bool CDomainNamesDlg::ImportFile(const QString& path)
{
    QByteArray text;
    if (!ReadImportFile(this, path, text))
        return false;
    SetBoxText(m_pNames, text);
    return true;
}

void CDomainNamesDlg::OnImportFromFile()
{
    const QString path = ChooseImportFile(this);
    if (!path.isEmpty())
        ImportFile(path);
}

void CDomainNamesDlg::accept()
{
    OnOK();
}

void CDomainNamesDlg::OnOK()
{
    UpdateData(true);
    // The ticks are kept even when the dialog stays open below.
    m_lstTLD->StoreToTable();
    ReportResult(SaveTLDTable());
    // Separators alone name nothing either.
    if (SplitTokens(m_strNames, kNameSeparators).isEmpty()) {
        QMessageBox::information(this, QStringLiteral("Telvaro"), QString::fromLatin1(kNoNamesMessage));
        m_pNames->setFocus();
        return;
    }
    QDialog::accept();
}
