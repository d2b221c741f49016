#pragma once

class CCliArgs;

// The commands of telvaro-cli; each returns the exit status.
int RunNew(CCliArgs& args);
int RunAdd(CCliArgs& args);
int RunConstruct(CCliArgs& args);
int RunSelect(CCliArgs& args);
int RunLookup(CCliArgs& args);
int RunList(CCliArgs& args);
int RunTld(CCliArgs& args);

// Throws a usage error when args holds an option the command does not know.
void RequireNoOptionsLeft(const CCliArgs& args);
