#include "names/ConstructNamesDlg.h"

#include "model/TLDTable.h"
#include "names/ConstructOptions.h"
#include "names/HelpPopup.h"
#include "names/ImportFile.h"
#include "names/KeywordHistory.h"
#include "names/NameConstructor.h"
#include "names/SelectedTLDs.h"
#include "names/TLDCheckListBox.h"
#include "names/TextBox.h"
#include "widgets/WaitCursor.h"
#include "names/WordLists.h"
#include "base/UserMessage.h"
#include "widgets/HelpWindow.h"
#include "base/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* AddButton(QWidget* parent, const QString& text, const char* name)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QCheckBox* AddCheckBox(QWidget* parent, const QString& text, const char* name)
{
    auto* check = new QCheckBox(text, parent);
    check->setObjectName(QString::fromLatin1(name));
    return check;
}

}

CConstructNamesDlg::CConstructNamesDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Construct Domain Names"));

    const CConstructOptions options = CConstructOptions::Load();
    m_bUseDash = options.m_bUseDash;
    m_bNoStartAppend = options.m_bNoStartAppend;
    m_bNoEndAppend = options.m_bNoEndAppend;
    m_bNoBothAppend = options.m_bNoBothAppend;

    // The keyword and the kind of web site.
    auto* keywordGroup = new QGroupBox(QStringLiteral("Type in the main keyword here:"), this);
    m_pKeyword = new QComboBox(keywordGroup);
    m_pKeyword->setObjectName(QStringLiteral("keyword"));
    m_pKeyword->setAccessibleName(QStringLiteral("Main keyword"));
    m_pKeyword->setEditable(true);
    m_pKeyword->setInsertPolicy(QComboBox::NoInsert);
    // Inline completion would silently turn "shop" into a longer keyword
    // from the history.
    m_pKeyword->setCompleter(nullptr);
    m_pWebType = new QComboBox(keywordGroup);
    m_pWebType->setObjectName(QStringLiteral("webType"));
    auto* webTypeLabel = new QLabel(QStringLiteral("Type of website"), keywordGroup);
    webTypeLabel->setBuddy(m_pWebType);
    auto* keywordLayout = new QHBoxLayout(keywordGroup);
    keywordLayout->addWidget(m_pKeyword, 1);
    keywordLayout->addSpacing(12);
    keywordLayout->addWidget(webTypeLabel);
    keywordLayout->addWidget(m_pWebType);

    // The pad words and how to use them.
    auto* wordsGroup = new QGroupBox(QStringLiteral("Words that may be padded (you may type in the boxes)"), this);
    auto* startLabel = new QLabel(QStringLiteral("at the beginning"), wordsGroup);
    auto* endLabel = new QLabel(QStringLiteral("at the end"), wordsGroup);
    m_pStartWords = CreateTextBox(wordsGroup);
    m_pStartWords->setObjectName(QStringLiteral("startWords"));
    m_pStartWords->setAccessibleName(QStringLiteral("Words at the beginning"));
    startLabel->setBuddy(m_pStartWords);
    m_pEndWords = CreateTextBox(wordsGroup);
    m_pEndWords->setObjectName(QStringLiteral("endWords"));
    m_pEndWords->setAccessibleName(QStringLiteral("Words at the end"));
    endLabel->setBuddy(m_pEndWords);
    auto* importStart = AddButton(wordsGroup, QStringLiteral("Import words from a file..."), "importStart");
    auto* importEnd = AddButton(wordsGroup, QStringLiteral("Import words from a file..."), "importEnd");
    m_pUseDash = AddCheckBox(wordsGroup, QStringLiteral("It is OK to use \"-\" (dash) between padded words."),
                             "useDash");
    m_pNoStartAppend = AddCheckBox(wordsGroup, QStringLiteral("Don't pad words at the beginning."), "noStart");
    m_pNoEndAppend = AddCheckBox(wordsGroup, QStringLiteral("Don't pad words at the end."), "noEnd");
    m_pNoBothAppend = AddCheckBox(
        wordsGroup, QStringLiteral("Pad words either at the beginning or at the end (not both)."), "noBoth");
    auto* wordsLayout = new QGridLayout(wordsGroup);
    wordsLayout->addWidget(startLabel, 0, 0);
    wordsLayout->addWidget(endLabel, 0, 1);
    wordsLayout->addWidget(m_pStartWords, 1, 0);
    wordsLayout->addWidget(m_pEndWords, 1, 1);
    wordsLayout->addWidget(importStart, 2, 0, Qt::AlignLeft);
    wordsLayout->addWidget(importEnd, 2, 1, Qt::AlignLeft);
    wordsLayout->addWidget(m_pUseDash, 3, 0, 1, 2);
    wordsLayout->addWidget(m_pNoStartAppend, 4, 0, 1, 2);
    wordsLayout->addWidget(m_pNoEndAppend, 5, 0, 1, 2);
    wordsLayout->addWidget(m_pNoBothAppend, 6, 0, 1, 2);
    wordsLayout->setRowStretch(1, 1);

    // The TLDs.
    auto* tldLabel = new QLabel(QStringLiteral("TLDs"), this);
    m_lstTLD = new CTLDCheckListBox(this);
    m_lstTLD->setObjectName(QStringLiteral("tldList"));
    m_lstTLD->setAccessibleName(QStringLiteral("TLDs"));
    tldLabel->setBuddy(m_lstTLD);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = AddButton(this, QStringLiteral("Cancel"), "cancel");
    auto* help = AddButton(this, QStringLiteral("&Help"), "help");
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto* layout = new QGridLayout(this);
    layout->addWidget(keywordGroup, 0, 0, 2, 1);
    layout->addLayout(buttons, 0, 1, 2, 1, Qt::AlignTop);
    layout->addWidget(wordsGroup, 2, 0, 2, 1);
    layout->addWidget(tldLabel, 2, 1, Qt::AlignBottom);
    layout->addWidget(m_lstTLD, 3, 1);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(3, 1);

    // Walk the dialog top to bottom, the TLDs and the buttons last.
    QWidget* order[] = {m_pKeyword, m_pWebType, m_pStartWords, importStart, m_pEndWords, importEnd,
                        m_pUseDash, m_pNoStartAppend, m_pNoEndAppend, m_pNoBothAppend, m_lstTLD, ok,
                        cancel, help};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(importStart, &QPushButton::clicked, this, [this] { OnImportWords(kStartWordList); });
    connect(importEnd, &QPushButton::clicked, this, [this] { OnImportWords(kEndWordList); });
    connect(ok, &QPushButton::clicked, this, &CConstructNamesDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CConstructNamesDlg::reject);
    connect(help, &QPushButton::clicked, this, &CConstructNamesDlg::OnHelp);

    resize(640, 420);
    CHelpWindow::AddHelpKey(this, QString::fromLatin1(CHelpWindow::kAddingNamesTopic));
    OnInitDialog();
    connect(m_pWebType, &QComboBox::currentIndexChanged, this, &CConstructNamesDlg::OnSelChangeWebType);
}

void CConstructNamesDlg::OnInitDialog()
{
    UpdateData(false);
    m_lstTLD->FillFromTable();
    for (const char* kind : kWebTypeNames)
        m_pWebType->addItem(QString::fromLatin1(kind));
    m_pWebType->setCurrentIndex(CConstructOptions::Load().m_nWebType);
    m_strWebType = m_pWebType->currentText();
    OnSelChangeWebType();
    LoadKeywordHistory(m_pKeyword, Settings::KeywordsSection);
    if (m_pKeyword->count() > 0) {
        m_pKeyword->setCurrentIndex(0);
        m_strKeyword = m_pKeyword->currentText().toLatin1();
    }
    UpdateData(false);
    m_pKeyword->setFocus();
    m_pKeyword->lineEdit()->selectAll();
}

void CConstructNamesDlg::UpdateData(bool bSaveAndValidate)
{
    if (bSaveAndValidate) {
        m_strKeyword = m_pKeyword->currentText().toLatin1();
        m_strStartWords = GetBoxText(m_pStartWords);
        m_strEndWords = GetBoxText(m_pEndWords);
        m_bUseDash = m_pUseDash->isChecked();
        m_bNoStartAppend = m_pNoStartAppend->isChecked();
        m_bNoEndAppend = m_pNoEndAppend->isChecked();
        m_bNoBothAppend = m_pNoBothAppend->isChecked();
        m_strWebType = m_pWebType->currentText();
        return;
    }
    m_pKeyword->setEditText(QString::fromLatin1(m_strKeyword));
    SetBoxText(m_pStartWords, m_strStartWords);
    SetBoxText(m_pEndWords, m_strEndWords);
    m_pUseDash->setChecked(m_bUseDash);
    m_pNoStartAppend->setChecked(m_bNoStartAppend);
    m_pNoEndAppend->setChecked(m_bNoEndAppend);
    m_pNoBothAppend->setChecked(m_bNoBothAppend);
    const QSignalBlocker blocker(m_pWebType);
    m_pWebType->setCurrentIndex(m_pWebType->findText(m_strWebType));
}

int CConstructNamesDlg::GetWebType() const
{
    return qMax(0, m_pWebType->currentIndex());
}

void CConstructNamesDlg::OnSelChangeWebType()
{
    UpdateData(true);
    // The kind's own lists replace whatever was typed into the boxes.
    LoadWordLists(GetWebType(), m_strStartWords, m_strEndWords);
    UpdateData(false);
}

bool CConstructNamesDlg::ImportWords(int list, const QString& path)
{
    QByteArray text;
    if (!ReadImportFile(this, path, text))
        return false;
    if (!text.isEmpty())
        NormalizeWordList(text);
    SetBoxText(list == kStartWordList ? m_pStartWords : m_pEndWords, text);
    return true;
}

void CConstructNamesDlg::OnImportWords(int list)
{
    const QString path = ChooseImportFile(this);
    if (!path.isEmpty())
        ImportWords(list, path);
}

void CConstructNamesDlg::OnHelp()
{
    QString text = QString::fromLatin1(kHelpText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    CHelpPopup::Popup(text, frameGeometry().topLeft() + QPoint(150, 100), this);
}

void CConstructNamesDlg::accept()
{
    OnOK();
}

CConstructOptions CConstructNamesDlg::GetOptions() const
{
    CConstructOptions options;
    options.m_bUseDash = m_bUseDash;
    options.m_bNoStartAppend = m_bNoStartAppend;
    options.m_bNoEndAppend = m_bNoEndAppend;
    options.m_bNoBothAppend = m_bNoBothAppend;
    options.m_nWebType = GetWebType();
    return options;
}

void CConstructNamesDlg::BuildNames()
{
    const CNameConstructor constructor(m_strKeyword, m_strStartWords, m_strEndWords, GetOptions());
    const QByteArrayList tlds = GetSelectedTLDs();
    const qint64 total = constructor.GetNameCount(tlds.size());

    m_arrNames.clear();
    m_arrNames.reserve(qsizetype(qMin<qint64>(total, kMaxConstructedNames)));
    constructor.ForEachName(tlds, [this](QByteArrayView name) {
        if (m_arrNames.size() >= kMaxConstructedNames)
            return false;
        m_arrNames.append(name.toByteArray());
        return true;
    });
    m_nNamesLeftOut = total - m_arrNames.size();
}

void CConstructNamesDlg::OnOK()
{
    const CWaitCursor wait;
    UpdateData(true);
    m_lstTLD->StoreToTable();
    ReportResult(SaveTLDTable());
    m_strKeyword = m_strKeyword.trimmed();
    BuildNames();

    GetOptions().Save();
    SaveKeywordHistory(m_pKeyword, Settings::KeywordsSection);
    SaveWordLists(GetWebType(), m_strStartWords, m_strEndWords);
    QDialog::accept();
}
