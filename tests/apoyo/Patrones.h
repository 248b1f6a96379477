// Test support: output kept in files under tests/ (a report's layout, for one). A test
// compares what it produced with the kept file; after a deliberate change the files are
// written anew by running the test with TARVELION_REESCRIBE_PATRONES=1, and the diff is
// reviewed like code.
#pragma once

#include <QString>
#include <QStringList>

// Empty when `lineas` equal the file `relativo` (from the tests folder); otherwise what
// differs: the first line that is not the same, or the file that cannot be read.
QString ComparaConPatron(const QStringList& lineas, const QString& relativo);
