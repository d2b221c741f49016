#pragma once

#include "cli/CliCommand.h"

#include <QStringList>

class CCliDocument;

// A command on one document, named by its first operand: this base checks
// the words, opens the document (refusing to write over a damaged one) and
// saves it afterwards when the command changed it.
class CDocumentCommand : public CCliCommand
{
public:
    CliValue OperandValue() const override { return CliValue::List; }
    int Run(const CCliArgs& args) final;

protected:
    enum class Access { Read, Write };
    virtual Access DocumentAccess() const = 0;
    // Reads and checks the words before the document is touched, so usage
    // errors come first. operands are the words after FILE.
    virtual void Prepare(const CCliArgs& args, const QStringList& operands);
    virtual int RunOn(CCliDocument& file, const CCliArgs& args, const QStringList& operands) = 0;
};
