#include "shell/RegistrarDlg.h"

#include "base/Settings.h"
#include "print/CellFont.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The dialog's size in dialog units, a quarter of the average character
// width across and an eighth of the line height down.
constexpr int kWidthUnits = 277;
constexpr int kHeightUnits = 127;

}

CRegistrarDlg::CRegistrarDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("My Favorite Registrar!"));

    m_pCaption = new QLabel(QStringLiteral("***"), this);
    m_pCaption->setObjectName(QStringLiteral("caption"));
    m_pCaption->setTextFormat(Qt::PlainText);
    m_pCaption->setAlignment(Qt::AlignCenter);
    m_pCaption->setFont(MakeCellFont(QStringLiteral("Arial"), 18, 700));

    auto* prompt = new QLabel(QString::fromLatin1(kPrompt), this);
    prompt->setWordWrap(true);

    m_pURL = new QLineEdit(this);
    m_pURL->setObjectName(QStringLiteral("url"));
    m_pURL->setAccessibleName(QStringLiteral("Registrar URL"));
    prompt->setBuddy(m_pURL);

    m_pRemember = new QCheckBox(QStringLiteral("&Remember this URL"), this);
    m_pRemember->setObjectName(QStringLiteral("remember"));

    auto* examples = new QLabel(this);
    examples->setObjectName(QStringLiteral("examples"));
    examples->setTextFormat(Qt::PlainText);
    examples->setTextInteractionFlags(Qt::TextSelectableByMouse);
    examples->setText(QStringLiteral("Examples:\n%1\n%2").arg(Settings::RegistrarExample1.Get(), Settings::RegistrarExample2.Get()));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CRegistrarDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CRegistrarDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pCaption);
    layout->addWidget(prompt);
    layout->addWidget(m_pURL);
    layout->addWidget(m_pRemember);
    layout->addWidget(examples);
    layout->addStretch(1);
    layout->addWidget(buttons);

    // Wider when the examples need it.
    const QFontMetrics metrics = fontMetrics();
    resize(std::max(sizeHint().width(), kWidthUnits * metrics.averageCharWidth() / 4),
           std::max(sizeHint().height(), kHeightUnits * metrics.height() / 8));
}

void CRegistrarDlg::showEvent(QShowEvent* event)
{
    if (!m_bInitialised) {
        m_bInitialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CRegistrarDlg::OnInitDialog()
{
    m_bRemember = Settings::SaveRegistrarURL.Get() != 0;
    m_pCaption->setText(m_strTLD);
    m_pURL->setText(m_strURL);
    m_pRemember->setChecked(m_bRemember);
    m_pURL->setFocus();
}

void CRegistrarDlg::accept()
{
    OnOK();
}

void CRegistrarDlg::OnOK()
{
    m_strURL = m_pURL->text().trimmed();
    m_bRemember = m_pRemember->isChecked();
    Settings::SaveRegistrarURL.Set(m_bRemember ? 1 : 0);
    QDialog::accept();
}
