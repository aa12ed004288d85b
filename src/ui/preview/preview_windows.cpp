#include "preview_windows.h"

// Placeholder until the previews land.
void PreviewWindows::showPreview(const QString& path, int charset) {}
