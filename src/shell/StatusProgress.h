#pragma once

#include <QWidget>

class CLookupScheduler;
class QLabel;
class QProgressBar;

// The status bar's progress of "Lookup Selected": a bar and "12 of 40 names
// looked up". Shown from the start of that command until its last lookup
// has ended.
class CStatusProgress : public QWidget
{
    Q_OBJECT

public:
    explicit CStatusProgress(QWidget* parent = nullptr);

    // Follows scheduler from now on (null: none).
    void Track(CLookupScheduler* scheduler);
    void Refresh();

    QString Text() const;

private:
    CLookupScheduler* m_pScheduler = nullptr;
    bool m_bFollowing = false;
    QLabel* m_pLabel;
    QProgressBar* m_pBar;
};
