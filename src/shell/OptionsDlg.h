#pragma once

#include <QDialog>

class CIntSpinEdit;
class QCheckBox;

// The Options dialog: the general settings. The constructor reads them, OK
// stores them; Cancel stores nothing, except "Run at login", which (with
// its autostart entry) changes the moment its box is clicked. Numbers typed
// outside the arrows' ranges are stored as typed: whoever uses one holds it
// to what it can take.
class COptionsDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr char kNotAnInteger[] = "Please enter an integer.";

    explicit COptionsDlg(QWidget* parent = nullptr);

    int m_nMaxConnections;
    int m_nPrintLines;
    int m_nInterval;
    bool m_bMinimizeToTray;
    bool m_bRunAtStartup;
    int m_nMaxEntries;
    bool m_b16ColorToolbar;
    bool m_bStripOutput;

    // The program the autostart entry starts; the running program unless
    // set.
    void SetProgramPath(const QString& path) { m_strProgram = path; }

public Q_SLOTS:
    void accept() override;

private:
    void OnInitDialog();
    void OnRunAtStartup();
    // The four numbers into the members; false (and the user told, the
    // box focused) at the first that is not an integer.
    bool ReadNumbers();

    CIntSpinEdit* m_pConnections;
    CIntSpinEdit* m_pPrintLines;
    CIntSpinEdit* m_pInterval;
    CIntSpinEdit* m_pMaxEntries;
    QCheckBox* m_pMinimizeToTray;
    QCheckBox* m_pRunAtStartup;
    QCheckBox* m_p16ColorToolbar;
    QCheckBox* m_pStripOutput;
    QString m_strProgram;
};
