#pragma once
// A whole conversion without a window: the options record with its start
// values, the shell over a recording view, and the workbook module.

#include "module/converter/xls_dbf_module.h"
#include "options/my_options.h"
#include "recording_view.h"
#include "shell/shell.h"
#include "shell/startup.h"

struct HeadlessRun {
    HeadlessRun() { applyStartValues(options, module); }

    // Asks the run to stop once `records` records of a sheet are counted.
    void breakAtRecord(int records)
    {
        view.onProgress = [this, records](double value) {
            if (value >= records)
                options.setShouldBreak(true);
        };
    }

    bool convert(const QString& path, QStringList tables = {}) { return module.convertFile(path, tables); }

    myOptions options;
    RecordingView view;
    ImmediateMainThread main;
    Shell shell{options, view, main};
    XlsDbfModule module{options, shell};
};
