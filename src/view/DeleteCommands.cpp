#include "view/DeleteCommands.h"

#include "commands/CommandRegistry.h"
#include "model/DomainDelete.h"
#include "model/DomainDoc.h"
#include "model/DomainMarks.h"

#include <QMessageBox>

namespace {

// Asks before a delete: only Yes goes on. An empty list is not asked about.
bool Confirmed(const CDomainDoc& doc, const QString& question, QWidget* parent)
{
    if (doc.GetCount() == 0)
        return false;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Telvaro"), question,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

}

std::vector<CommandId> RegisterDeleteCommands(CCommandRegistry& registry, CDomainDoc& doc,
                                              std::function<int()> highlighted, QWidget* parent)
{
    CDomainDoc* d = &doc;
    auto holdsEntries = [d] { return d->GetCount() != 0; };
    // The question is asked even when nothing qualifies; No changes nothing.
    auto deleteAfter = [d, parent](DeleteKind kind, auto question) {
        return [d, parent, kind, question] {
            if (Confirmed(*d, question(), parent))
                DeleteDomains(*d, kind);
        };
    };
    registry.Register(ID_DELETE_SELECTED,
                      deleteAfter(DeleteKind::Selected, [] { return QString::fromLatin1(DeleteQuestions::kSelected); }),
                      [d] { return AnyMarked(*d); });
    registry.Register(
        ID_DELETE_ALL,
        deleteAfter(DeleteKind::All, [d] { return QString::fromLatin1(DeleteQuestions::kAll).arg(d->GetCount()); }),
        holdsEntries);
    registry.Register(ID_DELETE_REGISTERED,
                      deleteAfter(DeleteKind::Taken, [] { return QString::fromLatin1(DeleteQuestions::kTaken); }),
                      holdsEntries);
    registry.Register(ID_DELETE_FREE,
                      deleteAfter(DeleteKind::Available, [] { return QString::fromLatin1(DeleteQuestions::kAvailable); }),
                      holdsEntries);

    auto deletableRow = [d, highlighted] {
        const int row = highlighted();
        return row >= 0 && row < d->GetCount() && d->GetAt(row)->m_nStatus != STATUS_CHECKING ? row : -1;
    };
    registry.Register(
        ID_DELETE_ENTRY,
        [d, deletableRow] {
            // The highlighted record itself: a list read from elsewhere may
            // repeat a name, and then the first of that name is another row.
            const int row = deletableRow();
            if (row >= 0 && d->RemoveAt(row))
                d->NotifyRowRemoved(row);
        },
        [deletableRow] { return deletableRow() >= 0; });
    return {ID_DELETE_SELECTED, ID_DELETE_ALL, ID_DELETE_REGISTERED, ID_DELETE_FREE, ID_DELETE_ENTRY};
}
