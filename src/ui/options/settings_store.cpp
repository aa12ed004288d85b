#include "settings_store.h"

// Placeholder until saving lands.
SettingsStore::SettingsStore(myOptions& options, OptionsPanel& panel, SourceList& sources, OutputHistory& output,
                             ConverterModule& module)
    : options_(options), panel_(panel), sources_(sources), output_(output), module_(module)
{
}
void SettingsStore::SaveOptions() {}
void SettingsStore::RestoreOptions() {}
