#pragma once
// Saved settings: the options, the output history, the source files with
// the tree's expanded rows and selection, in the per-user store
// (organisation and application "Ledgerline").

class ConverterModule;
class OptionsPanel;
class OutputHistory;
class SourceList;
class myOptions;

class SettingsStore {
public:
    SettingsStore(myOptions& options, OptionsPanel& panel, SourceList& sources, OutputHistory& output,
                  ConverterModule& module);

    // Reads the panel back into the record and writes everything; does
    // nothing while a command-line run (silent or batch above 0) is on.
    void SaveOptions();
    // At start-up, before the command line.
    void RestoreOptions();

private:
    myOptions& options_;
    OptionsPanel& panel_;
    SourceList& sources_;
    OutputHistory& output_;
    ConverterModule& module_;
};
