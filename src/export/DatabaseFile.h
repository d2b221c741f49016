#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <memory>

class QSqlError;
class QSqlQuery;

// One SQLite database file, opened on a connection of its own, with the
// steps of the export as operations: each returns false on failure and
// leaves the message in GetError(), "Error: <operation>\r\n<engine's text>".
// Everything from opening on happens in one transaction, which only
// Commit() makes lasting; destruction rolls back what was not committed and
// removes the connection.
class CDatabaseFile
{
public:
    CDatabaseFile();
    ~CDatabaseFile();
    CDatabaseFile(const CDatabaseFile&) = delete;
    CDatabaseFile& operator=(const CDatabaseFile&) = delete;

    // Opens an existing database file; fails for a missing file and for one
    // that is not an SQLite database.
    bool OpenDatabase(const QString& path);
    // Creates a new database file; fails when the file exists and is not an
    // empty database. A file created here is deleted again unless the export
    // is committed.
    bool CreateDatabase(const QString& path);

    bool TableExists(const QString& name);
    // Opens an existing table with the four fields of the export.
    bool OpenTable(const QString& name);
    // A table definition, built by CreateField and CreateIndex and added to
    // the database by AppendTable.
    bool CreateTable(const QString& name);
    bool CreateField(const QString& name, const QString& type);
    bool CreateIndex(const QString& field, const QString& index);
    bool AppendTable();

    // Prepares finding, rewriting and adding rows of the open table.
    bool OpenRecordset();
    // Rewrites the first row whose name equals name (letter case ignored)
    // or adds one. Null texts leave a rewritten row's field as it was.
    bool WriteRecord(const QString& name, const QString& status, const QString& date,
                     const QString& information);

    bool Commit();

    const QString& GetError() const { return m_strError; }

private:
    struct Field
    {
        QString m_strName;
        QString m_strType;
    };
    struct Recordset;

    bool Open(const QString& path, const char* mode, const QString& operation);
    bool Fail(const QString& operation, const QSqlError& error);
    // A failure while rows are written: the engine's text, and that the
    // transaction leaves the database as it was.
    bool FailWriting(const QSqlError& error);
    bool Exec(const QString& sql, const QString& operation);
    void Discard();

    QString m_strConnection;
    QSqlDatabase m_db;
    QString m_strError;
    QString m_strCreatedPath;   // removed again unless committed
    bool m_bInTransaction = false;

    QString m_strTable;
    QList<Field> m_fields;
    QStringList m_indexSql;
    std::unique_ptr<Recordset> m_pRecordset;
};
