#pragma once

#include <QByteArrayList>

// The TLD texts of the ticked rows of g_tldTable, in table order, exactly as
// the table stores them. Name building takes them as a list so that it does
// not depend on the program-wide table.
QByteArrayList GetSelectedTLDs();
