#pragma once

class CCommandRegistry;
class CDomainDoc;
class QWidget;

// Registers the Wizard (ID_WIZARD), enabled while the list is empty: its
// dialog opens over parent, and OK runs the chosen command as a menu
// choice would, once the dialog has gone.
void RegisterWizardCommand(CCommandRegistry& registry, const CDomainDoc& doc, QWidget* parent);
