#include "conversion_requests.h"

#include "options/my_options.h"
#include "shell/converter_module.h"
#include "shell/shell_view.h"
#include "source_tree.h"

namespace {

TreeRow rowOnGui(const RequestContext& context, int row)
{
    TreeRow item;
    context.gui.runAndWait([&] { item = context.tree.itemAtRow(row); });
    return item;
}

} // namespace

RunEnd convertSelectedFiles(const RequestContext& context)
{
    QList<int> selected;
    context.gui.runAndWait([&] { selected = context.tree.selectedRows(); });

    qsizetype position = 0; // into the ascending selected rows
    while (position < selected.size()) {
        int row = selected[position];
        QStringList tables;
        TreeRow item = rowOnGui(context, row);
        if (item.kind == TreeRow::None) { // the row went away meanwhile
            ++position;
            continue;
        }
        QString source = item.filename;
        if (item.kind == TreeRow::Table)
            tables.append(item.table);
        bool expanded = false;
        context.gui.runAndWait([&] { expanded = context.tree.isRowExpanded(row); });

        if (item.kind == TreeRow::File && !expanded) {
            tables = item.tables;
        } else {
            // The following selected rows that are tables of the same file
            // join this request.
            qsizetype next = position + 1;
            for (; next < selected.size(); ++next) {
                TreeRow following = rowOnGui(context, selected[next]);
                if (following.kind != TreeRow::Table || following.filename != source)
                    break;
                tables.append(following.table);
            }
            position = next - 1;
        }
        if (auto only = context.options.onlytables())
            tables = *only;

        bool goOn = context.module.convertFile(source, tables);
        if (!goOn || context.options.shouldBreak())
            return RunEnd::Cancelled;
        if (context.afterFile)
            context.afterFile();
        ++position;
    }
    return RunEnd::Finished;
}
