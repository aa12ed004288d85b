#pragma once
// Path text operations with the rules the output naming relies on: they
// work on the text alone, never on the file system.

#include <QString>

namespace paths {

// "/out/a.b.dbf" -> "a.b.dbf"
QString lastComponent(const QString& path);
// "/out/a.b.dbf" -> "/out"; "a.dbf" -> ""; "/a" -> "/"
QString deletingLastComponent(const QString& path);
// "/out" + "a.dbf" -> "/out/a.dbf"; "" + "a.dbf" -> "a.dbf"
QString appendingComponent(const QString& base, const QString& component);
// Extension of the last component without the dot; "" when none.
QString extension(const QString& path);
// The path without its last extension and its dot.
QString deletingExtension(const QString& path);

} // namespace paths
