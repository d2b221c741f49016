#include "export/DatabaseFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>
#include <QVariant>

namespace {

const QString kDriver = QStringLiteral("QSQLITE");

QString Quoted(QString identifier)
{
    return QLatin1Char('"') + identifier.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

// A null text binds as SQL NULL, which COALESCE in the rewrite turns into
// "keep the field".
QVariant TextValue(const QString& text)
{
    return text.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

// The four fields, in the order both row statements name them.
void BindFields(QSqlQuery& query, const QString& name, const QString& status, const QString& date,
                const QString& information)
{
    query.bindValue(0, TextValue(name));
    query.bindValue(1, TextValue(status));
    query.bindValue(2, date);
    query.bindValue(3, TextValue(information));
}

// The engine's own description of a failure.
QString EngineText(const QSqlError& error)
{
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.driverText();
    if (text.isEmpty())
        text = QStringLiteral("The SQLite driver is probably not installed or the installation is incorrect.");
    return text;
}

}

struct CDatabaseFile::Recordset
{
    explicit Recordset(const QSqlDatabase& db) : m_rewrite(db), m_add(db) {}
    QSqlQuery m_rewrite;
    QSqlQuery m_add;
};

CDatabaseFile::CDatabaseFile()
    : m_strConnection(QStringLiteral("telvaro-export-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

CDatabaseFile::~CDatabaseFile()
{
    Discard();
}

void CDatabaseFile::Discard()
{
    m_pRecordset.reset();
    if (m_db.isValid()) {
        if (m_bInTransaction)
            QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
        m_bInTransaction = false;
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_strConnection);
    }
    if (!m_strCreatedPath.isEmpty()) {
        QFile::remove(m_strCreatedPath + QStringLiteral("-journal"));
        QFile::remove(m_strCreatedPath);
        m_strCreatedPath.clear();
    }
}

bool CDatabaseFile::Fail(const QString& operation, const QSqlError& error)
{
    m_strError = QStringLiteral("Error: %1\r\n%2").arg(operation, EngineText(error));
    return false;
}

bool CDatabaseFile::FailWriting(const QSqlError& error)
{
    m_strError = EngineText(error) + QStringLiteral("\r\nNothing was written to the database.");
    return false;
}

bool CDatabaseFile::Exec(const QString& sql, const QString& operation)
{
    QSqlQuery query(m_db);
    return query.exec(sql) || Fail(operation, query.lastError());
}

bool CDatabaseFile::Open(const QString& path, const char* mode, const QString& operation)
{
    Discard();
    if (!QSqlDatabase::isDriverAvailable(kDriver)) {
        m_strError = QStringLiteral("Error: Opening Database.\r\nThe SQLite database driver is not installed.");
        return false;
    }
    const bool existed = QFileInfo::exists(path);
    m_db = QSqlDatabase::addDatabase(kDriver, m_strConnection);
    // A URI, so that the mode decides whether a missing file is created.
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setQuery(QStringLiteral("mode=") + QLatin1String(mode));
    m_db.setDatabaseName(url.toString(QUrl::FullyEncoded));
    if (!m_db.open())
        return Fail(operation, m_db.lastError());
    if (!existed)
        m_strCreatedPath = path;
    // SQLite opens any file lazily; reading the schema shows whether this
    // one is a database at all.
    if (!Exec(QStringLiteral("SELECT count(*) FROM sqlite_master"), operation))
        return false;
    // Taking the write lock at once: a database busy elsewhere fails here,
    // not after half the rows.
    if (!Exec(QStringLiteral("BEGIN IMMEDIATE"), operation))
        return false;
    m_bInTransaction = true;
    return true;
}

bool CDatabaseFile::OpenDatabase(const QString& path)
{
    return Open(path, "rw", QStringLiteral("Opening Database"));
}

bool CDatabaseFile::CreateDatabase(const QString& path)
{
    return Open(path, "rwc", QStringLiteral("Creating Database"));
}

bool CDatabaseFile::TableExists(const QString& name)
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    query.addBindValue(name);
    return query.exec() && query.next();
}

bool CDatabaseFile::OpenTable(const QString& name)
{
    // Naming the fields makes a table without them fail here, with the
    // engine's own words, rather than at the first row. Brackets, because
    // SQLite reads an unknown "quoted" name as a string.
    m_strTable = name;
    return Exec(QStringLiteral("SELECT [Names], [Status], [Last Lookup At], [Information] FROM %1 LIMIT 0")
                    .arg(Quoted(name)),
                QStringLiteral("Opening Table"));
}

bool CDatabaseFile::CreateTable(const QString& name)
{
    if (TableExists(name)) {
        m_strError = QStringLiteral("Table '%1' already exists.").arg(name);
        return false;
    }
    m_strTable = name;
    m_fields.clear();
    m_indexSql.clear();
    return true;
}

bool CDatabaseFile::CreateField(const QString& name, const QString& type)
{
    for (const Field& field : std::as_const(m_fields)) {
        if (field.m_strName.compare(name, Qt::CaseInsensitive) == 0) {
            m_strError = QStringLiteral("Field '%1' already exists.").arg(name);
            return false;
        }
    }
    m_fields.append({name, type});
    return true;
}

bool CDatabaseFile::CreateIndex(const QString& field, const QString& index)
{
    m_indexSql << QStringLiteral("CREATE INDEX %1 ON %2 (%3 ASC)").arg(Quoted(index), Quoted(m_strTable), Quoted(field));
    return true;
}

bool CDatabaseFile::AppendTable()
{
    QStringList columns;
    for (const Field& field : std::as_const(m_fields))
        columns << Quoted(field.m_strName) + QLatin1Char(' ') + field.m_strType;
    if (!Exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(Quoted(m_strTable), columns.join(QStringLiteral(", "))),
              QStringLiteral("Append Table")))
        return false;
    for (const QString& sql : std::as_const(m_indexSql)) {
        if (!Exec(sql, QStringLiteral("Creating Index")))
            return false;
    }
    return true;
}

bool CDatabaseFile::OpenRecordset()
{
    m_pRecordset = std::make_unique<Recordset>(m_db);
    const QString table = Quoted(m_strTable);
    // One statement finds and rewrites a row; only when it touched none is
    // a row added.
    const bool prepared =
        m_pRecordset->m_rewrite.prepare(
            QStringLiteral("UPDATE %1 SET \"Names\" = COALESCE(?, \"Names\"), \"Status\" = COALESCE(?, \"Status\"), "
                           "\"Last Lookup At\" = ?, \"Information\" = COALESCE(?, \"Information\") "
                           "WHERE rowid = (SELECT rowid FROM %1 WHERE \"Names\" = ? LIMIT 1)")
                .arg(table))
        && m_pRecordset->m_add.prepare(
            QStringLiteral("INSERT INTO %1 (\"Names\", \"Status\", \"Last Lookup At\", \"Information\") "
                           "VALUES (?, ?, ?, ?)")
                .arg(table));
    if (prepared)
        return true;
    const QSqlError error =
        m_pRecordset->m_rewrite.lastError().isValid() ? m_pRecordset->m_rewrite.lastError() : m_pRecordset->m_add.lastError();
    m_pRecordset.reset();
    return Fail(QStringLiteral("Opening Recordset"), error);
}

bool CDatabaseFile::WriteRecord(const QString& name, const QString& status, const QString& date,
                                const QString& information)
{
    if (!m_pRecordset) {
        m_strError = QStringLiteral("Error appending records.");
        return false;
    }
    QSqlQuery& rewrite = m_pRecordset->m_rewrite;
    BindFields(rewrite, name, status, date, information);
    rewrite.bindValue(4, name);
    QSqlQuery* failed = &rewrite;
    if (rewrite.exec()) {
        if (rewrite.numRowsAffected() > 0)
            return true;
        QSqlQuery& add = m_pRecordset->m_add;
        BindFields(add, name, status, date, information);
        if (add.exec())
            return true;
        failed = &add;
    }
    return FailWriting(failed->lastError());
}

bool CDatabaseFile::Commit()
{
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("COMMIT")))
        return FailWriting(query.lastError());
    m_bInTransaction = false;
    m_strCreatedPath.clear();
    return true;
}
