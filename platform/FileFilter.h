#pragma once
// File dialog filters written as pairs "Name|patterns|Name|patterns", the
// patterns of a pair separated by ";", turned into Qt's name filters.
#include <QStringList>

// One Qt name filter per pair: "Name (patterns)", with the patterns separated
// by spaces and "*.*" (every file) written "*". The dialog hides the
// parenthesised patterns, so the user sees the name as written. A trailing
// name without patterns is dropped.
QStringList QtNameFilters(const QString& filter);
