#pragma once
// Where the program finds its interface files and documents: the folder
// named by LEDGERLINE_RESOURCES, else "resources" beside the program (the
// build tree), else "../share/ledgerline" beside it (an installed program).

#include <QString>

// The first of those folders that exists; empty when none does.
QString resourcesDir();
// A file in the resources folder; empty when there is no folder.
QString resourcePath(const QString& name);
