#pragma once

class CCommandRegistry;
class CDomainView;
class QWidget;

// Registers "Options...": the Options dialog over parent, and after its OK
// the new limits handed to the view's running scheduler at once.
void RegisterOptionsCommand(CCommandRegistry& registry, QWidget* parent, CDomainView* view);
