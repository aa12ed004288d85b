#pragma once
// Saved settings: the options, the output history, the source files with
// the tree's expanded rows and selection, in the per-user store
// (organisation and application "Ledgerline"; on Linux the INI file
// $XDG_CONFIG_HOME/Ledgerline/Ledgerline.conf).
//
// Restoring checks every value at this edge (see stored_values.h and the
// bounds in settings_keys.cpp): a value of the wrong type, or outside the
// choices its control offers, is skipped and the field keeps the value it
// had, so a damaged store can never select a missing pop-up item or an
// unknown character set.

class ConverterModule;
class OptionsPanel;
class OutputHistory;
class SourceList;
class myOptions;

class SettingsStore {
public:
    SettingsStore(myOptions& options, OptionsPanel& panel, SourceList& sources, OutputHistory& output,
                  ConverterModule& module);

    // Reads the panel back into the record and writes everything, then
    // flushes the store. Does nothing while a command-line run is on
    // (silent 1 or more, or batch above 0).
    void SaveOptions();
    // At start-up: after the start values and the module's defaults,
    // before the command line and updateOptions. Rebuilds the output
    // history, the source tree (expansion, and the selection when the
    // files are unchanged on disk) and the saved options.
    void RestoreOptions();

private:
    void restoreHistory(const class QSettings& store);
    void restoreSourceFiles(const class QSettings& store);
    void restoreOptionKeys(const class QSettings& store);

    myOptions& options_;
    OptionsPanel& panel_;
    SourceList& sources_;
    OutputHistory& output_;
    ConverterModule& module_;
};
