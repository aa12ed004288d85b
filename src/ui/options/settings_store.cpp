#include "settings_store.h"

#include <QSettings>
#include <QVariantList>

#include <algorithm>

#include "options/my_options.h"
#include "options_panel.h"
#include "settings_keys.h"
#include "stored_values.h"
#include "ui/window_parts.h"

namespace {

// The output box keeps at most this many entries, so a longer saved list
// (only a hand-edited one) is cut before it is replayed.
constexpr qsizetype kHistoryEntries = 20;

QSettings openStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Ledgerline"),
                     QStringLiteral("Ledgerline"));
}

QString keyName(const char* name)
{
    return QString::fromLatin1(name);
}

QVariantList rowList(const QList<int>& rows)
{
    QVariantList list;
    for (int row : rows)
        list.append(row);
    return list;
}

} // namespace

SettingsStore::SettingsStore(myOptions& options, OptionsPanel& panel, SourceList& sources, OutputHistory& output,
                             ConverterModule& module)
    : options_(options), panel_(panel), sources_(sources), output_(output), module_(module)
{
}

void SettingsStore::SaveOptions()
{
    if (options_.silent() >= 1 || options_.batch() > 0)
        return;
    panel_.readBack();

    QSettings store = openStore();
    for (const OptionKey& key : optionKeysInSavingOrder()) {
        QString name = keyName(key.name);
        if (key.isText()) {
            // An absent text removes its key, so the next start keeps the
            // field's default.
            if (OptionalText value = (options_.*key.getText)())
                store.setValue(name, *value);
            else
                store.remove(name);
        } else {
            store.setValue(name, qlonglong((options_.*key.get)()));
        }
    }
    store.setValue(keyName(kOutputHistoryKey), output_.items());
    QVariantList files;
    for (const FileAndTables& file : sources_.files())
        files.append(file.toMap());
    store.setValue(keyName(kSourceFilesKey), files);
    store.setValue(keyName(kExpandedKey), rowList(sources_.expandedRows()));
    QList<int> selection = sources_.selectedRows();
    std::sort(selection.begin(), selection.end());
    store.setValue(keyName(kSelectionKey), rowList(selection));
    store.sync();
}

void SettingsStore::RestoreOptions()
{
    QSettings store = openStore();
    restoreHistory(store);
    restoreSourceFiles(store);
    restoreOptionKeys(store);
}

void SettingsStore::restoreHistory(const QSettings& store)
{
    QStringList saved = storedStringList(store.value(keyName(kOutputHistoryKey))).value_or(QStringList());
    // Only the first occurrence of an entry survives the replay, and only
    // the first entries fit the box.
    QStringList entries;
    for (const QString& entry : saved) {
        if (entries.size() == kHistoryEntries)
            break;
        if (!entries.contains(entry))
            entries.append(entry);
    }
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry)
        output_.AddItem(*entry);
}

void SettingsStore::restoreSourceFiles(const QSettings& store)
{
    StoredSourceFiles stored = storedSourceFiles(store.value(keyName(kSourceFilesKey)));
    if (stored.files.isEmpty())
        return;
    sources_.setFiles(stored.files);
    // Saved row numbers count the records as saved; once a malformed
    // record was left out they point at other rows.
    if (!stored.allValid) {
        QList<FileAndTables> files = stored.files;
        CheckForTables(files, module_);
        sources_.setFiles(files);
        return;
    }
    for (int row : storedRowNumbers(store.value(keyName(kExpandedKey))))
        if (row < sources_.rowCount())
            sources_.expandRow(row);

    QList<FileAndTables> files = stored.files;
    if (CheckForTables(files, module_)) {
        QList<int> selection;
        for (int row : storedRowNumbers(store.value(keyName(kSelectionKey))))
            if (row < sources_.rowCount() && !selection.contains(row))
                selection.append(row);
        std::sort(selection.begin(), selection.end());
        sources_.selectRows(selection);
    } else {
        // Files vanished or changed their sheets: show what is left, with
        // no selection.
        sources_.setFiles(files);
    }
}

void SettingsStore::restoreOptionKeys(const QSettings& store)
{
    for (const OptionKey* key : optionKeysInRestoringOrder()) {
        QVariant value = store.value(keyName(key->name));
        if (key->isText()) {
            if (std::optional<QString> text = storedText(value))
                (options_.*key->setText)(*text);
        } else if (std::optional<int64_t> number = storedInteger(value)) {
            if (*number >= key->minimum && *number <= key->maximum)
                (options_.*key->set)(*number);
        }
    }
}
