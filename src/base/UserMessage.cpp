#include "base/UserMessage.h"

#include <QDebug>

namespace {

UserMessageHandler& Handler()
{
    static UserMessageHandler handler;
    return handler;
}

}

UserMessageHandler SetUserMessageHandler(UserMessageHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}

void ReportUserError(const QString& text)
{
    if (Handler())
        Handler()(text);
    else
        qWarning().noquote() << text;
}

bool ReportResult(const CResult& result)
{
    if (result.HasMessage())
        ReportUserError(result.Message());
    return result.IsOk();
}
