#pragma once
// The body of a run's loop, on the worker thread: turns the selected tree
// rows into one request per source file (its path and the tables wanted)
// and hands each to the module. Every read of the tree is a short blocking
// call onto the GUI thread.

#include <functional>

class ConverterModule;
class MainThread;
class SourceTree;
class myOptions;

enum class RunEnd { Finished, Cancelled };

struct RequestContext {
    const SourceTree& tree;
    MainThread& gui;
    ConverterModule& module;
    const myOptions& options;
    // Called on the worker after each source file that converted.
    std::function<void()> afterFile;
};

// Which tables a selection means, in ascending row order: a collapsed file
// row means the file's own table list; an expanded file row means its
// selected table rows (an empty list, every table, when none is); table
// rows without their file row mean those tables. The options' onlytables,
// when set, replaces every list. Stops when the module answers false or a
// break was asked for.
RunEnd convertSelectedFiles(const RequestContext& context);
