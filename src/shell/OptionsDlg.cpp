#include "shell/OptionsDlg.h"

#include "base/Settings.h"
#include "shell/AutostartEntry.h"
#include "widgets/IntSpinEdit.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

CIntSpinEdit* MakeNumberBox(const QString& name, const IntSetting& setting, int value, QWidget* parent)
{
    auto* box = new CIntSpinEdit(parent);
    box->setObjectName(name);
    box->SetRange(setting.m_nMin, setting.m_nMax);
    box->SetValue(value);
    box->setMinimumWidth(80);
    return box;
}

QCheckBox* MakeCheckBox(const QString& name, const QString& text, bool checked, QWidget* parent)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    return box;
}

// A group with a caption that carries the mnemonic, and its number box.
QGroupBox* MakeGroup(const QString& title, CIntSpinEdit* box, QLabel* note, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(group);
    auto* row = new QHBoxLayout;
    row->addWidget(box);
    row->addStretch();
    layout->addLayout(row);
    if (note)
        layout->addWidget(note);
    layout->addStretch();
    return group;
}

}

COptionsDlg::COptionsDlg(QWidget* parent)
    : QDialog(parent)
    , m_nMaxConnections(Settings::MaxConnections.Get())
    , m_nPrintLines(Settings::PrintLines.Get())
    , m_nInterval(Settings::ConnectionInterval.Get())
    , m_bMinimizeToTray(Settings::MinimizeToTray.Get() != 0)
    , m_bRunAtStartup(Settings::RunAtStartup.Get() != 0)
    , m_nMaxEntries(Settings::MaxEntries.Get())
    , m_b16ColorToolbar(Settings::SixteenColorToolbar.Get() != 0)
    , m_bStripOutput(Settings::StripOutput.Get() != 0)
    , m_strProgram(QCoreApplication::applicationFilePath())
{
    setWindowTitle(QStringLiteral("Options"));
    OnInitDialog();
}

void COptionsDlg::OnInitDialog()
{
    m_pConnections = MakeNumberBox(QStringLiteral("MaxConnections"), Settings::MaxConnections, m_nMaxConnections, this);
    m_pInterval = MakeNumberBox(QStringLiteral("ConnectionInterval"), Settings::ConnectionInterval, m_nInterval, this);
    m_pPrintLines = MakeNumberBox(QStringLiteral("PrintLines"), Settings::PrintLines, m_nPrintLines, this);
    m_pMaxEntries = MakeNumberBox(QStringLiteral("MaxEntries"), Settings::MaxEntries, m_nMaxEntries, this);
    m_pMinimizeToTray = MakeCheckBox(QStringLiteral("MinimizeToTray"), QStringLiteral("Minimize to &tray at start"),
                                     m_bMinimizeToTray, this);
    m_pRunAtStartup = MakeCheckBox(QStringLiteral("RunAtStartup"), QStringLiteral("&Run at login"), m_bRunAtStartup, this);
    m_p16ColorToolbar = MakeCheckBox(QStringLiteral("SixteenColorToolbar"), QStringLiteral("&Use 16 Color Toolbar"),
                                     m_b16ColorToolbar, this);
    m_pStripOutput = MakeCheckBox(QStringLiteral("StripOutput"), QStringLiteral("Cleanup &whois result text."),
                                  m_bStripOutput, this);
    // Kept, and stored on OK, but never offered.
    m_p16ColorToolbar->hide();

    auto* numbers = new QFormLayout;
    numbers->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    auto* connectionsLabel = new QLabel(QStringLiteral("&Max simultaneous connections"), this);
    connectionsLabel->setBuddy(m_pConnections);
    numbers->addRow(connectionsLabel, m_pConnections);
    auto* intervalLabel = new QLabel(QStringLiteral("&Connection Interval (seconds)"), this);
    intervalLabel->setBuddy(m_pInterval);
    numbers->addRow(intervalLabel, m_pInterval);

    auto* note = new QLabel(QStringLiteral("Please set this to a reasonable limit, may be 3000."), this);
    note->setWordWrap(true);
    auto* groups = new QHBoxLayout;
    groups->addWidget(MakeGroup(QStringLiteral("&Print lines per page "), m_pPrintLines, nullptr, this), 1);
    groups->addWidget(MakeGroup(QStringLiteral("Max allowable &entries in the domain list:"), m_pMaxEntries, note, this), 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COptionsDlg::reject);
    connect(m_pRunAtStartup, &QCheckBox::clicked, this, &COptionsDlg::OnRunAtStartup);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(numbers);
    layout->addLayout(groups);
    layout->addWidget(m_pMinimizeToTray);
    layout->addWidget(m_pRunAtStartup);
    layout->addWidget(m_p16ColorToolbar);
    layout->addWidget(m_pStripOutput);
    layout->addStretch();
    layout->addWidget(buttons);
    QWidget* const order[] = {m_pConnections, m_pInterval, m_pPrintLines, m_pMaxEntries,
                              m_pMinimizeToTray, m_pRunAtStartup, m_pStripOutput};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    m_pConnections->setFocus();
}

bool COptionsDlg::ReadNumbers()
{
    const std::pair<CIntSpinEdit*, int*> numbers[] = {
        {m_pConnections, &m_nMaxConnections},
        {m_pPrintLines, &m_nPrintLines},
        {m_pInterval, &m_nInterval},
        {m_pMaxEntries, &m_nMaxEntries},
    };
    for (const auto& [box, member] : numbers) {
        const std::optional<int> value = box->Value();
        if (!value) {
            QMessageBox::warning(this, QStringLiteral("Telvaro"), QString::fromLatin1(kNotAnInteger));
            box->setFocus();
            box->selectAll();
            return false;
        }
        *member = *value;
    }
    return true;
}

void COptionsDlg::accept()
{
    if (!ReadNumbers())
        return;
    m_bMinimizeToTray = m_pMinimizeToTray->isChecked();
    m_bRunAtStartup = m_pRunAtStartup->isChecked();
    m_b16ColorToolbar = m_p16ColorToolbar->isChecked();
    m_bStripOutput = m_pStripOutput->isChecked();
    Settings::MaxEntries.Set(m_nMaxEntries);
    Settings::MaxConnections.Set(m_nMaxConnections);
    Settings::PrintLines.Set(m_nPrintLines);
    Settings::ConnectionInterval.Set(m_nInterval);
    Settings::MinimizeToTray.Set(m_bMinimizeToTray ? 1 : 0);
    Settings::RunAtStartup.Set(m_bRunAtStartup ? 1 : 0);
    Settings::SixteenColorToolbar.Set(m_b16ColorToolbar ? 1 : 0);
    Settings::StripOutput.Set(m_bStripOutput ? 1 : 0);
    QDialog::accept();
}

void COptionsDlg::OnRunAtStartup()
{
    // Takes effect at once, whatever the dialog ends with.
    m_bRunAtStartup = m_pRunAtStartup->isChecked();
    Settings::RunAtStartup.Set(m_bRunAtStartup ? 1 : 0);
    if (!m_bRunAtStartup) {
        CAutostartEntry::Remove();
        return;
    }
    const CResult created = CAutostartEntry::Create(m_strProgram);
    if (!created)
        QMessageBox::warning(this, QStringLiteral("Telvaro"), created.Message());
}
