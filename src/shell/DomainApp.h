#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

class CDomainDoc;
class CMainFrame;
class CRecentFileList;

// Starts and ends the program: settings store, recent files, the TLD table,
// the file-type registration, the one document and its frame. main() calls
// InitInstance, runs the event loop, then ExitInstance.
class CDomainApp : public QObject
{
    Q_OBJECT

public:
    static constexpr int kRecentFiles = 4;
    // The project version that CMake declares.
    static QString Version();

    // When arguments ask for the usage or the version, prints it and
    // returns true. Needs no display, only a QCoreApplication.
    static bool PrintTextRequest(const QStringList& arguments);

    CDomainApp();
    // Ends what InitInstance started, if ExitInstance did not.
    ~CDomainApp() override;

    // arguments as QCoreApplication::arguments() gives them: the program,
    // then an optional document path. False when the program should end at
    // once, successfully (help or version asked for).
    bool InitInstance(const QStringList& arguments);
    // Closes the frame and its view (which stops every lookup), saves the
    // TLD table and waits for background threads. Returns the exit code:
    // 1 when the TLD table could not be saved (the user was told).
    int ExitInstance();

    CMainFrame* GetMainFrame() const { return m_pFrame.get(); }
    CDomainDoc* GetDocument() const { return m_pDoc.get(); }
    CRecentFileList* GetRecentFileList() const { return m_pRecentFiles.get(); }

private:
    bool ParseCommandLine(const QStringList& arguments, QString& documentPath);
    void OpenStartDocument(const QString& path);

    std::unique_ptr<CRecentFileList> m_pRecentFiles;
    std::unique_ptr<CDomainDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pFrame;
    bool m_bStarted = false;
};
