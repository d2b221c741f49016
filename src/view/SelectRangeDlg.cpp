#include "view/SelectRangeDlg.h"

#include "base/Settings.h"
#include "model/DomainMarks.h"
#include "widgets/OkCancelButtons.h"
#include "widgets/UpDownEdit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

// What the arrows offer; any whole number may be typed.
constexpr int kLowest = 1;
constexpr int kHighest = 9999;

}

CSelectRangeDlg::CSelectRangeDlg(QWidget* parent)
    : QDialog(parent), m_pFrom(new CUpDownEdit(kLowest, kHighest)), m_pTo(new CUpDownEdit(kLowest, kHighest)),
      m_pUnselect(new QCheckBox(QStringLiteral("Unselect the others")))
{
    setWindowTitle(QStringLiteral("Select a Range"));
    m_pFrom->setObjectName(QStringLiteral("from"));
    m_pTo->setObjectName(QStringLiteral("to"));
    m_pUnselect->setObjectName(QStringLiteral("unselect"));

    auto* group = new QGroupBox(QStringLiteral("Select range"), this);
    auto* fromLabel = new QLabel(QStringLiteral("From"), group);
    fromLabel->setBuddy(m_pFrom);
    auto* toLabel = new QLabel(QStringLiteral("To"), group);
    toLabel->setBuddy(m_pTo);
    auto* fields = new QGridLayout(group);
    fields->addWidget(fromLabel, 0, 0);
    fields->addWidget(toLabel, 0, 1);
    fields->addWidget(m_pFrom, 1, 0);
    fields->addWidget(m_pTo, 1, 1);
    fields->addWidget(m_pUnselect, 2, 0, 1, 2);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(COkCancelButtons::Create(this).Column());

    m_pFrom->SetValue(Settings::RangeFirst.Get());
    m_pTo->SetValue(Settings::RangeLast.Get());
    m_pUnselect->setChecked(Settings::RangeUnselect.Get() != 0);
    m_pFrom->setFocus();
    m_pFrom->selectAll();
}

bool CSelectRangeDlg::ReadField(CUpDownEdit* edit, int& value)
{
    const std::optional<int> number = edit->Integer();
    if (number) {
        value = *number;
        return true;
    }
    QMessageBox::warning(this, QStringLiteral("Telvaro"), QString::fromLatin1(kNotAnInteger));
    edit->setFocus();
    edit->selectAll();
    return false;
}

void CSelectRangeDlg::accept()
{
    int from = 0;
    int to = 0;
    if (!ReadField(m_pFrom, from) || !ReadField(m_pTo, to))
        return;
    const CRowRange range = CRowRange{from, to}.Normalized();
    m_nFrom = range.m_nFrom;
    m_nTo = range.m_nTo;
    m_bUnselect = m_pUnselect->isChecked();
    Settings::RangeFirst.Set(m_nFrom);
    Settings::RangeLast.Set(m_nTo);
    Settings::RangeUnselect.Set(m_bUnselect ? 1 : 0);
    QDialog::accept();
}
