#include "view/LookupCommands.h"

#include "lookup/LookupScheduler.h"
#include "commands/CommandId.h"
#include "commands/CommandRegistry.h"

std::vector<CommandId> RegisterLookupCommands(CCommandRegistry& registry, CLookupScheduler& scheduler,
                                        std::function<int()> highlighted)
{
    CLookupScheduler* s = &scheduler;
    // Commands on the highlighted entry: handler and rule get its row.
    auto onHighlighted = [&registry, s, highlighted](CommandId id, void (CLookupScheduler::*run)(int),
                                                     bool (CLookupScheduler::*can)(int) const) {
        registry.Register(
            id, [=] { (s->*run)(highlighted()); }, [=] { return (s->*can)(highlighted()); });
    };
    onHighlighted(ID_CHECK_AVAILABILITY, &CLookupScheduler::CheckAvailability, &CLookupScheduler::CanCheckAvailability);
    onHighlighted(ID_STOP_LOOKUP, &CLookupScheduler::StopLookup, &CLookupScheduler::CanStopLookup);
    onHighlighted(ID_RESET_ENTRY, &CLookupScheduler::ResetEntry, &CLookupScheduler::CanResetEntry);

    registry.Register(ID_LOOKUP_SELECTED, [s] { s->LookupSelected(); }, [s] { return s->CanLookupSelected(); });
    registry.Register(ID_STOP_ALL, [s] { s->StopAll(); }, [s] { return s->IsBusy(); });
    // Reset Selected is offered whenever something is ticked, like Lookup Selected.
    registry.Register(ID_RESET_SELECTED, [s] { s->ResetSelected(); }, [s] { return s->CanLookupSelected(); });
    return {ID_CHECK_AVAILABILITY, ID_STOP_LOOKUP, ID_RESET_ENTRY, ID_LOOKUP_SELECTED, ID_STOP_ALL, ID_RESET_SELECTED};
}
