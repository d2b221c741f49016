#pragma once

#include "names/ConstructOptions.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QDialog>
#include <QString>

class CHelpPopup;
class CTLDCheckListBox;
class QCheckBox;
class QComboBox;
class QPlainTextEdit;

// "Construct Domain Names": a main keyword, words to pad before and after
// it, and the TLDs to combine them with. OK stores the choices and builds
// m_arrNames, which the caller offers to the document.
class CConstructNamesDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr const char* kHelpText =
        "To create domain names based on keywords first decide\r\non the base (or main) word. This word "
        "will always occur in the\r\ndomain name.\r\n\r\nNames are created by padding additional keywords "
        "on either\r\nside of the base word.\r\n\r\nFor example if the main word is 'software' we can "
        "create\r\nnames like freesoftware, softwareweb, esoftware, softwarenet,\r\nfreesoftwareweb, etc. "
        "by padding keywords like free, web, e,\r\nnet etc to the word software.\r\n\r\nThe dialog panel "
        "allows you enter the main keyword, the set\r\nof words that can be padded on either side and "
        "options that\r\nspecify how to pad the keywords.";

    // No list can take more than a few tens of thousands of names, while
    // big word lists multiply into billions; building stops here instead
    // of running out of memory.
    static constexpr qsizetype kMaxConstructedNames = 1'000'000;

    explicit CConstructNamesDlg(QWidget* parent = nullptr);

    // Reads a file of words into the start box (list 1) or the end box
    // (list 2), replacing its words. An unreadable file leaves the box alone
    // and is reported.
    bool ImportWords(int list, const QString& path);

    // Every way of accepting (button, Enter) goes through OnOK.
    void accept() override;

    QByteArray m_strKeyword;
    QByteArray m_strStartWords;
    QByteArray m_strEndWords;
    bool m_bUseDash = false;
    bool m_bNoStartAppend = false;
    bool m_bNoEndAppend = false;
    bool m_bNoBothAppend = true;
    QString m_strWebType;
    // The candidates built on OK, at most kMaxConstructedNames of them.
    QByteArrayList m_arrNames;
    // How many more the words would have made beyond m_arrNames.
    qint64 m_nNamesLeftOut = 0;

private:
    void OnInitDialog();
    void OnSelChangeWebType();
    void OnImportWords(int list);
    void OnHelp();
    void OnOK();
    void UpdateData(bool bSaveAndValidate);
    void BuildNames();
    int GetWebType() const;
    CConstructOptions GetOptions() const;

    QComboBox* m_pKeyword = nullptr;
    QComboBox* m_pWebType = nullptr;
    QPlainTextEdit* m_pStartWords = nullptr;
    QPlainTextEdit* m_pEndWords = nullptr;
    QCheckBox* m_pUseDash = nullptr;
    QCheckBox* m_pNoStartAppend = nullptr;
    QCheckBox* m_pNoEndAppend = nullptr;
    QCheckBox* m_pNoBothAppend = nullptr;
    CTLDCheckListBox* m_lstTLD = nullptr;
};
